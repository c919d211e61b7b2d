# cmake -DDIST_DIR=folder -DFILES=list -DSTRIP=strip [-DSOURCE_DATE_EPOCH=seconds]
#       -P WindowsStage.cmake
# FILES names a file with one line "folder|file" for each file shipped.
# Copies the files that Calcaro.exe needs into DIST_DIR afresh, and strips the programs and
# libraries: what ships carries no debugging information. strip writes the time into each
# program's and library's header: SOURCE_DATE_EPOCH's when it is given, so that the same sources
# ship the same bytes; the files are dated by it too.
if(SOURCE_DATE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} ${SOURCE_DATE_EPOCH})
endif()
file(REMOVE_RECURSE "${DIST_DIR}")
file(STRINGS "${FILES}" entries)
foreach(entry IN LISTS entries)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 folder)
    list(GET entry 1 file)
    file(COPY "${file}" DESTINATION "${DIST_DIR}/${folder}")
    get_filename_component(name "${file}" NAME)
    if(name MATCHES "\\.(exe|dll)$")
        execute_process(COMMAND "${STRIP}" --strip-all "${DIST_DIR}/${folder}/${name}"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
if(SOURCE_DATE_EPOCH)
    execute_process(COMMAND find "${DIST_DIR}" -exec touch --date=@${SOURCE_DATE_EPOCH} {} +
        COMMAND_ERROR_IS_FATAL ANY)
endif()
