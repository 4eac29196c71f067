# Unicode folders and names end to end, through the program's real command line (on Windows its
# UTF-16 arguments): a project in a folder whose name holds letters beyond Windows-1252 (Greek,
# Cyrillic, CJK) loads, and a Max file path and an object name in Windows-1252 letters reach the
# script intact, in that code page.
#   cmake -DPROGRAM=enviro-script [-DEMULATOR=runner] -DEXAMPLE=examples/Valley -DWORK=scratch -P this
cmake_minimum_required(VERSION 3.24)

set(folder "${WORK}/Ελληνικά Кириллица 漢字")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}")
foreach(extension prj txt scn est)
    file(COPY_FILE "${EXAMPLE}/Valley.${extension}" "${folder}/Tal ü.${extension}")
endforeach()

function(run_program)
    execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "enviro-script ${ARGN} ended with ${status}:\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run_program(info "${folder}/Tal ü.prj")
if(NOT out MATCHES "records: [1-9]")
    message(FATAL_ERROR "The project in the Unicode folder kept no records:\n${out}")
endif()

run_program(build "${folder}/Tal ü.prj" --vegetation 1 --max-file "C:\\Modèles\\Pine.max"
            --object "Kiefer_ä")
set(script "${folder}/Tal ü_MainVeg_01.ms")
if(NOT EXISTS "${script}")
    file(GLOB written "${folder}/*")
    message(FATAL_ERROR "No script ${script}; the folder holds: ${written}")
endif()
file(READ "${script}" bytes HEX)
# In Windows-1252: "MODÈLES" (È is C8, the path in capitals as the script merges it) and "Kiefer_ä"
# (ä is E4).
foreach(expected 4d4f44c84c4553 4b69656665725fe4)
    string(FIND "${bytes}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The script lacks the bytes ${expected}")
    endif()
endforeach()
message(STATUS "The Unicode folder loaded and the names reached the script intact")
