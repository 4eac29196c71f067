# `windows-zip`: enviro-script-<version>-win64.zip, for Windows users who unpack it anywhere: the
# program (linked statically, so it needs no DLLs), its help beside it where the program looks for it,
# the example project and a short README.
set(TES_ZIP_NAME enviro-script-${PROJECT_VERSION}-win64)
set(TES_ZIP_ROOT ${CMAKE_BINARY_DIR}/zip)
set(TES_ZIP_FOLDER ${TES_ZIP_ROOT}/${TES_ZIP_NAME})
# Windows' Notepad and every other editor there read CR LF.
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows-zip-readme.txt.in ${TES_ZIP_ROOT}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
add_custom_target(windows-zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TES_ZIP_FOLDER} ${CMAKE_BINARY_DIR}/${TES_ZIP_NAME}.zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TES_ZIP_FOLDER}/examples/Valley
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:enviro-script> ${PROJECT_SOURCE_DIR}/docs/TES_Help.html
            ${TES_ZIP_ROOT}/README.txt ${TES_ZIP_FOLDER}
    # The debugging information is for developers; the program shrinks to a quarter without it.
    COMMAND ${CMAKE_STRIP} ${TES_ZIP_FOLDER}/enviro-script.exe
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/examples/Valley
            ${TES_ZIP_FOLDER}/examples/Valley
    COMMAND ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${TES_ZIP_NAME}.zip --format=zip ${TES_ZIP_NAME}
    WORKING_DIRECTORY ${TES_ZIP_ROOT}
    DEPENDS enviro-script
    COMMENT "Packing ${TES_ZIP_NAME}.zip"
    VERBATIM)
