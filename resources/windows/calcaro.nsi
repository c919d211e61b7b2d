; The installer of Calcaro CM1 for Windows, which makensis builds from the folder that
; cmake/WindowsDist.cmake stages. That script defines:
;   VERSION   the version as the game shows it (1.00)
;   VERSION4  its four numbers, for the version record (1.0.0.0)
;   STAGE     the staged folder: Calcaro.exe and all it needs
;   OUTFILE   the installer to write
;   ICON      the game's icon
;   ART       the folder of the pictures of its pages (resources/make-images.sh draws them)
;
; Schools install the game in two ways. A teacher without administrator rights installs it for
; themself, in their own profile; an administrator or a deployment tool runs the installer
; elevated, and it installs for every user of the computer. /CURRENTUSER and /ALLUSERS force one
; way or the other; /S installs and uninstalls without a window, /D=folder (last) chooses the
; folder. Run again, the installer replaces the version installed the same way.

; The game is 64-bit only, so is its installer: it runs wherever the game runs, and sees the
; 64-bit Program Files and registry as they are.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
; Elevated only when the user asks (Run as administrator) or the deployment tool is.
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinVer.nsh

!define NAME "Calcaro CM1"
!define PUBLISHER "L’équipe Calcaro"
!define UNINSTALLER "Desinstaller.exe"
; "Applications et fonctionnalités" lists what this key holds, under HKLM or HKCU.
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CalcaroCM1"
!define SHORTCUT "$SMPROGRAMS\${NAME}.lnk"
; Windows' own codes, which deployment tools report.
!define ERROR_INVALID_PARAMETER 87
!define ERROR_OLD_WIN_VERSION 1150
!define ERROR_ELEVATION_REQUIRED 740

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"

; The uninstaller deletes by name what this installer puts in the folder, and nothing else: the
; folder may have been chosen among other things (/D=, or the folder page). The list is made here
; from the staged folder, children before their folder. makensis turns every backslash of a
; command into a slash, hence awk's sprintf for the backslash and the quote.
!tempfile UNINSTALL_LIST
!system `cd "${STAGE}" && find . ! -path . \
    '(' -type f -exec echo Delete {} ';' -o -type d -exec echo RMDir {} ';' ')' \
    | LC_ALL=C sort -r -k 2 | awk 'BEGIN { b = sprintf("%c", 92); q = sprintf("%c", 34) } \
    { p = substr($0, index($0, " ") + 3); gsub("/", b, p); print $1 " " q "$INSTDIR" b p q }' \
    >"${UNINSTALL_LIST}"` = 0

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The game's own art (resources/make-images.sh), where NSIS would show its stock pictures.
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ART}/installer-panel.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${ART}/installer-panel.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "${ART}/installer-header.bmp"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Calcaro.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

VIProductVersion ${VERSION4}
VIFileVersion ${VERSION4}
VIAddVersionKey /LANG=${LANG_FRENCH} ProductName "${NAME}"
VIAddVersionKey /LANG=${LANG_FRENCH} ProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_FRENCH} FileDescription "Installation de ${NAME}"
VIAddVersionKey /LANG=${LANG_FRENCH} CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_FRENCH} LegalCopyright "© 2026 ${PUBLISHER}"

Var AllUsers    ; 1: for every user (Program Files, HKLM); 0: for this user alone

Function .onInit
    SetRegView 64
    ; Qt 6, which the game is made with, needs Windows 10.
    ${IfNot} ${AtLeastWin10}
        MessageBox MB_ICONSTOP "${NAME} demande Windows 10 ou plus récent." /SD IDOK
        SetErrorLevel ${ERROR_OLD_WIN_VERSION}
        Quit
    ${EndIf}

    ; UserInfo sees the token the installer runs with: an administrator's session counts as
    ; "Admin" only once elevated.
    UserInfo::GetAccountType
    Pop $0
    ${GetParameters} $1
    ${GetOptions} $1 "/ALLUSERS" $2
    ${If} ${Errors}
        StrCpy $AllUsers ""
    ${Else}
        StrCpy $AllUsers 1
    ${EndIf}
    ${GetOptions} $1 "/CURRENTUSER" $2
    ${IfNot} ${Errors}
        ${If} $AllUsers == 1
            MessageBox MB_ICONSTOP "Choisissez /ALLUSERS ou /CURRENTUSER, pas les deux." /SD IDOK
            SetErrorLevel ${ERROR_INVALID_PARAMETER}
            Quit
        ${EndIf}
        StrCpy $AllUsers 0
    ${EndIf}
    ${If} $AllUsers == ""
        StrCpy $AllUsers 0
        ${If} $0 == "Admin"
            StrCpy $AllUsers 1
        ${EndIf}
    ${ElseIf} $AllUsers == 1
    ${AndIf} $0 != "Admin"
        MessageBox MB_ICONSTOP "Pour installer ${NAME} pour tous les utilisateurs, lancez l’installation en tant qu’administrateur." /SD IDOK
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
    ${EndIf}

    ; From here on $SMPROGRAMS and the SHCTX registry root follow the choice.
    ${If} $AllUsers == 1
        SetShellVarContext all
    ${EndIf}
    ; A folder given by /D= stands; otherwise the previous install's, else the usual one.
    ${If} $INSTDIR == ""
        ReadRegStr $INSTDIR SHCTX "${UNINST_KEY}" "InstallLocation"
    ${EndIf}
    ${If} $INSTDIR == ""
    ${AndIf} $AllUsers == 1
        StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
    ${ElseIf} $INSTDIR == ""
        StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${NAME}"
    ${EndIf}
FunctionEnd

Section
    ; Over an earlier install made the same way, that install's own uninstaller first removes
    ; what it installed, which may not be what this version installs, and where this one may
    ; not install. Run in place (_?=) it can be waited for, but cannot delete itself.
    ReadRegStr $0 SHCTX "${UNINST_KEY}" "InstallLocation"
    ${If} ${FileExists} "$0\${UNINSTALLER}"
        ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
        Delete "$0\${UNINSTALLER}"
        RMDir "$0"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\Calcaro.exe"

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${NAME}"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Calcaro.exe,0"
    WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" $0
    WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller runs from a copy in %TEMP%, with $INSTDIR the folder it was started from.
Function un.onInit
    SetRegView 64
    ; Installed for every user when the all-users entry names this folder.
    ReadRegStr $0 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != "Admin"
            ; Asked from the Settings of an administrator's session: elevate, and let the
            ; elevated copy do the work. Deployment tools run it elevated already.
            ${IfNot} ${Silent}
                ClearErrors
                ExecShellWait "runas" "$EXEPATH" "_?=$INSTDIR"
                ${IfNot} ${Errors}
                    Quit
                ${EndIf}
            ${EndIf}
            MessageBox MB_ICONSTOP "${NAME} est installé pour tous les utilisateurs : seul un administrateur peut le désinstaller." /SD IDOK
            SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
            Quit
        ${EndIf}
        SetShellVarContext all
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Delete "${SHORTCUT}"
    !include "${UNINSTALL_LIST}"
    !delfile "${UNINSTALL_LIST}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINST_KEY}"
SectionEnd
