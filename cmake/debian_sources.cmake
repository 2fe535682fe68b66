# SPDX-License-Identifier: GPL-3.0-or-later
# ERFA and Swiss Ephemeris for the browser build, compiled from Debian's source packages
# (fetched from the machine's archive when this tree is configured, never kept in the
# repository), so that the page runs the code the desktop program links.
enable_language(C)
set(VORNAK_DEBIAN_SRC ${CMAKE_BINARY_DIR}/debian-src CACHE INTERNAL "Debian's sources, unpacked")
foreach(package erfa libswe)
  execute_process(
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-debian-source.sh ${package} ${VORNAK_DEBIAN_SRC}
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "Debian's source package ${package} could not be fetched")
  endif()
endforeach()

# The library's routines, without its self-test and its version (which needs its configure).
file(GLOB erfa_sources ${VORNAK_DEBIAN_SRC}/erfa/src/*.c)
list(FILTER erfa_sources EXCLUDE REGEX "/(t_erfa_c.*|erfaversion)\\.c$")
add_library(vornak_erfa STATIC ${erfa_sources})
target_include_directories(vornak_erfa SYSTEM PUBLIC ${VORNAK_DEBIAN_SRC}/erfa/src)

# The files of Swiss Ephemeris' shared library, as its Makefile lists them.
set(swe_dir ${VORNAK_DEBIAN_SRC}/libswe)
add_library(vornak_swe STATIC ${swe_dir}/swedate.c ${swe_dir}/swehouse.c ${swe_dir}/swejpl.c
            ${swe_dir}/swemmoon.c ${swe_dir}/swemplan.c ${swe_dir}/sweph.c ${swe_dir}/swephlib.c
            ${swe_dir}/swecl.c ${swe_dir}/swehel.c)
target_include_directories(vornak_swe SYSTEM PUBLIC ${swe_dir})
# Their own code, built as their authors build it: our warnings are not theirs to meet.
foreach(lib vornak_erfa vornak_swe)
  target_compile_options(${lib} PRIVATE -w -O2)
endforeach()
