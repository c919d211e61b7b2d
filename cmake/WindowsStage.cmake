# cmake -DDIST_DIR=folder -DFILES=list -DSTRIP=strip -P WindowsStage.cmake
# FILES names a file with one line "folder|file" for each file shipped.
# Copies the files that Calcaro.exe needs into DIST_DIR afresh, and strips the programs and
# libraries: what ships carries no debugging information.
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
