# Fails when man or groff has anything to say about a manual page. Run as a test:
#   cmake -DPAGE=<page.1> -P CheckManPage.cmake
cmake_minimum_required(VERSION 3.24)

execute_process(COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l ${PAGE}
                RESULT_VARIABLE result OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR page STREQUAL "")
    message(FATAL_ERROR "man -l ${PAGE} (exit ${result}):\n${warnings}")
endif()
