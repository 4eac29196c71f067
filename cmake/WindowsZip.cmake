# `windows-zip`: enviro-script-<version>-win64.zip, for Windows users who unpack it anywhere and for
# pipelines: what the installer installs except the window (install component `window`), so
# enviro-script.exe with the DLLs it uses, its help beside it where the program looks for it, the
# example project, Qt's licence and a short README.
set(TES_ZIP_NAME enviro-script-${PROJECT_VERSION}-win64)
set(TES_ZIP_ROOT ${CMAKE_BINARY_DIR}/zip)
set(TES_ZIP_FOLDER ${TES_ZIP_ROOT}/${TES_ZIP_NAME})
# Windows' Notepad and every other editor there read CR LF.
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows-zip-readme.txt.in ${TES_ZIP_ROOT}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
add_custom_target(windows-zip
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${TES_ZIP_FOLDER} ${CMAKE_BINARY_DIR}/${TES_ZIP_NAME}.zip
    # The debugging information is for developers; the program shrinks to a quarter without it.
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${TES_ZIP_FOLDER} --component Unspecified --strip
    COMMAND ${CMAKE_COMMAND} -E copy ${TES_ZIP_ROOT}/README.txt ${TES_ZIP_FOLDER}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${CMAKE_BINARY_DIR}/${TES_ZIP_NAME}.zip --format=zip ${TES_ZIP_NAME}
    WORKING_DIRECTORY ${TES_ZIP_ROOT}
    DEPENDS enviro-script tes_windows_runtime
    COMMENT "Packing ${TES_ZIP_NAME}.zip"
    VERBATIM)
