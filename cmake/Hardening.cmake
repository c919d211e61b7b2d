# Debian's hardening for the builds that reach players (Release, and so the package): stack
# protector, fortified libc calls, stack-clash and control-flow (CET) protection, read-only
# relocations bound at start-up, position-independent executable. The flags come from
# dpkg-buildflags where it exists, as for any Debian package; what this dpkg does not yet give by
# default, or all of it on a system without dpkg, is added from the same list.
include_guard(GLOBAL)
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

set(calcaro_harden_default OFF)
if(CMAKE_BUILD_TYPE STREQUAL "Release" AND NOT CALCARO_SANITIZE)
    set(calcaro_harden_default ON)
endif()
option(CALCARO_HARDEN "Build with Debian's hardening flags (default: on in Release)"
    ${calcaro_harden_default})
if(NOT CALCARO_HARDEN)
    return()
endif()

if(MINGW)
    # A Windows program: address-space layout randomisation with the full 64-bit range (the
    # image can load anywhere), data execution prevention, and no section both writable and
    # executable (the linker's default, checked by the tests). GCC's stack protector and
    # fortified calls would need MinGW's libssp beside the program; Windows' own heap and stack
    # checks stand in for them.
    add_link_options(-Wl,--dynamicbase -Wl,--high-entropy-va -Wl,--nxcompat)
    message(STATUS "Hardening: --dynamicbase --high-entropy-va --nxcompat")
    return()
endif()

set(calcaro_compile_flags)
set(calcaro_link_flags)
find_program(CALCARO_DPKG_BUILDFLAGS dpkg-buildflags)
if(CALCARO_DPKG_BUILDFLAGS)
    # Run from the sources so that -ffile-prefix-map turns their path into ".", which keeps the
    # folder the build happens in out of the program.
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${CALCARO_DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
            COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        # The build type chooses optimisation and debugging information.
        list(FILTER flags EXCLUDE REGEX "^-(O.*|g.*)$")
        # Level 3 also checks copies whose size is only known at run time (GCC 12, glibc 2.34);
        # newer dpkg gives it by default.
        list(TRANSFORM flags REPLACE "^-D_FORTIFY_SOURCE=2$" "-D_FORTIFY_SOURCE=3")
        if(kind STREQUAL "LDFLAGS")
            list(APPEND calcaro_link_flags ${flags})
        else()
            list(APPEND calcaro_compile_flags ${flags})
        endif()
    endforeach()
else()
    list(APPEND calcaro_compile_flags -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
        -D_FORTIFY_SOURCE=3 -fstack-protector-strong -Wformat -Werror=format-security)
endif()

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
    if(NOT flag IN_LIST calcaro_compile_flags)
        string(MAKE_C_IDENTIFIER "CALCARO_HAS${flag}" supported)
        check_cxx_compiler_flag(${flag} ${supported})
        if(${supported})
            list(APPEND calcaro_compile_flags ${flag})
        endif()
    endif()
endforeach()
if(NOT "-D_FORTIFY_SOURCE=3" IN_LIST calcaro_compile_flags)
    list(APPEND calcaro_compile_flags -D_FORTIFY_SOURCE=3)
endif()
foreach(flag -Wl,-z,relro -Wl,-z,now)
    if(NOT flag IN_LIST calcaro_link_flags)
        list(APPEND calcaro_link_flags ${flag})
    endif()
endforeach()

add_compile_options(${calcaro_compile_flags})
add_link_options(${calcaro_link_flags})
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
message(STATUS "Hardening: ${calcaro_compile_flags} ${calcaro_link_flags}")
