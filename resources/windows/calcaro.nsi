; placeholder, replaced by the real installer script
Unicode true
OutFile "${OUTFILE}"
Section
SetOutPath $INSTDIR
SectionEnd
