# The date every shipped package carries, so that two builds of the same commit, in any folders,
# give the same bytes: SOURCE_DATE_EPOCH from the environment, else the date of the last commit.
# CALCARO_SOURCE_DATE_EPOCH is empty when neither is known.
include_guard(GLOBAL)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(CALCARO_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
            OUTPUT_VARIABLE CALCARO_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE git_failed ERROR_QUIET)
        if(git_failed)
            set(CALCARO_SOURCE_DATE_EPOCH "")
        endif()
    endif()
endif()
if(NOT CALCARO_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
    set(CALCARO_SOURCE_DATE_EPOCH "")
endif()
