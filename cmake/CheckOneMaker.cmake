# Fails unless the installers and the copyright name the maker the window's credits name. Run as a test:
#   cmake -DSOURCE_DIR=<source folder> -P CheckOneMaker.cmake
file(READ ${SOURCE_DIR}/src/ui/main/main_window_layout.cpp credits)
string(REGEX MATCH "by the ([A-Za-z][A-Za-z ]*[a-z]) +Version:" credits "${credits}")
set(maker "${CMAKE_MATCH_1}")
foreach(file cmake/WindowsInstaller.cmake cmake/DebianPackage.cmake packaging/copyright)
    file(READ ${SOURCE_DIR}/${file} text)
    if(maker STREQUAL "" OR NOT text MATCHES "(VENDOR \"|[0-9] the )${maker}[\"\n]")
        message(FATAL_ERROR "${file} does not name the maker of the window's credits (${maker})")
    endif()
endforeach()
