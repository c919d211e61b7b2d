# What a Windows user downloads: one folder with Calcaro.exe and only what it needs (the Qt
# libraries it links, the windows platform, the Windows styles, JPEG for the quit picture, Qt's
# French texts, MinGW's runtime), stripped; that folder zipped, to run from a USB stick; an
# installer made by NSIS from the same folder; and a Windows Installer package made by wixl from
# it, for deployment tools. `cmake --build` makes all four.
include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/CalcaroVersion.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/SourceDate.cmake)

# MinGW's runtime DLLs, where the compiler finds them.
set(CALCARO_MINGW_RUNTIME)
set(CALCARO_MINGW_RUNTIME_DIRS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    file(REAL_PATH "${path}" path)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "MinGW's ${dll} not found (g++-mingw-w64-x86-64-posix)")
    endif()
    list(APPEND CALCARO_MINGW_RUNTIME "${path}")
    get_filename_component(dir "${path}" DIRECTORY)
    list(APPEND CALCARO_MINGW_RUNTIME_DIRS "${dir}")
endforeach()
list(REMOVE_DUPLICATES CALCARO_MINGW_RUNTIME_DIRS)

find_file(CALCARO_QT_FRENCH qtbase_fr.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH
    NO_DEFAULT_PATH REQUIRED)
find_program(CALCARO_MAKENSIS makensis REQUIRED)
find_program(CALCARO_MINGW_STRIP NAMES x86_64-w64-mingw32-strip REQUIRED)
find_program(CALCARO_WIXL wixl REQUIRED)

set(CALCARO_DIST_NAME Calcaro-CM1-${CALCARO_DISPLAY_VERSION})
set(CALCARO_DIST_DIR ${PROJECT_BINARY_DIR}/dist/${CALCARO_DIST_NAME})
set(CALCARO_DIST_ZIP ${PROJECT_BINARY_DIR}/${CALCARO_DIST_NAME}-win64.zip)
set(CALCARO_DIST_SETUP ${PROJECT_BINARY_DIR}/${CALCARO_DIST_NAME}-setup.exe)
set(CALCARO_DIST_MSI ${PROJECT_BINARY_DIR}/${CALCARO_DIST_NAME}.msi)
# The same command makes the package in the tests, for another version (make-msi.py).
set(CALCARO_MAKE_MSI /usr/bin/python3 ${PROJECT_SOURCE_DIR}/resources/windows/make-msi.py)
set(calcaro_nsis ${PROJECT_SOURCE_DIR}/resources/windows/calcaro.nsi)

# Each shipped file as "folder|file", the folder relative to the program's.
set(calcaro_dist_files
    ".|$<TARGET_FILE:calcaro>"
    ".|$<TARGET_FILE:Qt6::Core>" ".|$<TARGET_FILE:Qt6::Gui>" ".|$<TARGET_FILE:Qt6::Widgets>"
    "platforms|$<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>"
    "styles|$<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>"
    "imageformats|$<TARGET_FILE:Qt6::QJpegPlugin>"
    "translations|${CALCARO_QT_FRENCH}")
foreach(dll IN LISTS CALCARO_MINGW_RUNTIME)
    list(APPEND calcaro_dist_files ".|${dll}")
endforeach()
string(JOIN "\n" calcaro_dist_list ${calcaro_dist_files})
file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/dist-files.txt CONTENT "${calcaro_dist_list}\n")

add_custom_command(
    OUTPUT ${CALCARO_DIST_ZIP} ${CALCARO_DIST_SETUP}
    COMMAND ${CMAKE_COMMAND} -DDIST_DIR=${CALCARO_DIST_DIR} -DFILES=${PROJECT_BINARY_DIR}/dist-files.txt
        -DSTRIP=${CALCARO_MINGW_STRIP} -DSOURCE_DATE_EPOCH=${CALCARO_SOURCE_DATE_EPOCH}
        -P ${CMAKE_CURRENT_LIST_DIR}/WindowsStage.cmake
    COMMAND ${CMAKE_COMMAND} -E rm -f ${CALCARO_DIST_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/dist
        ${CMAKE_COMMAND} -E tar cf ${CALCARO_DIST_ZIP} --format=zip ${CALCARO_DIST_NAME}
    COMMAND ${CALCARO_MAKENSIS} -INPUTCHARSET UTF8 -V2 -WX -NOCD
        -DVERSION=${CALCARO_DISPLAY_VERSION} -DVERSION4=${PROJECT_VERSION}
        -DSTAGE=${CALCARO_DIST_DIR} -DOUTFILE=${CALCARO_DIST_SETUP}.part
        -DICON=${PROJECT_SOURCE_DIR}/resources/icons/calcaro.ico
        -DART=${PROJECT_SOURCE_DIR}/resources/windows ${calcaro_nsis}
    # makensis writes for half a minute: the installer appears whole, or not at all.
    COMMAND ${CMAKE_COMMAND} -E rename ${CALCARO_DIST_SETUP}.part ${CALCARO_DIST_SETUP}
    DEPENDS calcaro ${PROJECT_BINARY_DIR}/dist-files.txt ${calcaro_nsis} ${CMAKE_CURRENT_LIST_DIR}/WindowsStage.cmake
        ${PROJECT_SOURCE_DIR}/resources/windows/installer-panel.bmp
        ${PROJECT_SOURCE_DIR}/resources/windows/installer-header.bmp
    COMMENT "Packing ${CALCARO_DIST_NAME}-win64.zip and ${CALCARO_DIST_NAME}-setup.exe"
    VERBATIM)

# Made from the folder that the command above stages, dated like the Debian package.
if(NOT CALCARO_SOURCE_DATE_EPOCH)
    message(WARNING "No SOURCE_DATE_EPOCH and no git history: the .msi will carry today's date")
endif()
set(calcaro_wxs ${PROJECT_SOURCE_DIR}/resources/windows/calcaro.wxs)
add_custom_command(
    OUTPUT ${CALCARO_DIST_MSI}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${CALCARO_SOURCE_DATE_EPOCH}
        ${CALCARO_MAKE_MSI} ${CALCARO_DIST_DIR} ${CALCARO_DISPLAY_VERSION}
        ${PROJECT_SOURCE_DIR}/resources/icons/calcaro.ico ${CALCARO_DIST_MSI}
    DEPENDS ${CALCARO_DIST_SETUP} ${calcaro_wxs} ${PROJECT_SOURCE_DIR}/resources/windows/make-msi.py
        ${PROJECT_SOURCE_DIR}/resources/icons/calcaro.ico
    COMMENT "Packing ${CALCARO_DIST_NAME}.msi"
    VERBATIM)
add_custom_target(windows_dist ALL DEPENDS ${CALCARO_DIST_ZIP} ${CALCARO_DIST_SETUP} ${CALCARO_DIST_MSI})
