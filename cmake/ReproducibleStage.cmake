# Read by cpack twice: first as the project's CPack configuration, where it hands the commit date
# to the package generator, then once the files are staged, where it dates every one of them.
if(NOT CPACK_CALCARO_SOURCE_DATE_EPOCH)
    return()
endif()
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_CALCARO_SOURCE_DATE_EPOCH})
if(CPACK_TEMPORARY_INSTALL_DIRECTORY AND IS_DIRECTORY "${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
    execute_process(
        COMMAND find "${CPACK_TEMPORARY_INSTALL_DIRECTORY}" -exec
            touch --no-dereference --date=@${CPACK_CALCARO_SOURCE_DATE_EPOCH} {} +
        COMMAND_ERROR_IS_FATAL ANY)
endif()
