# Fails when a build installed under a prefix does not give `man enviro-script` to a user whose PATH
# holds the prefix's bin folder, as `make install` promises. Run as a test:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P CheckInstalledManPage.cmake
cmake_minimum_required(VERSION 3.24)

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install ${BUILD_DIR} (exit ${result}):\n${errors}")
endif()
foreach(page enviro-script tolvane-enviro-scripter)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=MANPATH "PATH=${PREFIX}/bin:$ENV{PATH}" man -w ${page}
                    RESULT_VARIABLE result OUTPUT_VARIABLE found ERROR_VARIABLE errors)
    string(STRIP "${found}" found)
    if(NOT result EQUAL 0 OR NOT found STREQUAL "${PREFIX}/share/man/man1/${page}.1.gz")
        message(FATAL_ERROR "man -w ${page} after the install found '${found}' (exit ${result}): ${errors}")
    endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})
