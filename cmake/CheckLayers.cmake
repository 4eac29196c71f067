# Fails when a source file includes a header of a layer above its own, or a layer that must stay free
# of Qt includes a Qt header. Run as a test:
#   cmake -DSOURCE_DIR=<repository>/src -P CheckLayers.cmake
# The layers, each using only those before it: lib -> project -> core -> form -> ui; cli uses core and
# below; picture (the preview's PNG, drawn with QtGui) stands on core beside form, for ui and cli; app
# is the window's main() only.
cmake_minimum_required(VERSION 3.24)

set(allowed_lib lib)
set(allowed_project lib project)
set(allowed_core lib project core)
set(allowed_picture lib project core picture)
set(allowed_form lib project core form)
set(allowed_cli lib project core picture cli)
set(allowed_ui lib project core form picture ui)
set(allowed_app lib ui)
set(qt_layers picture ui app)

set(wrong "")
foreach(layer lib project core picture form cli ui app)
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
    foreach(source IN LISTS sources)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
        file(STRINGS ${source} includes REGEX "^#include \"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" used "${line}")
            if(NOT used IN_LIST allowed_${layer})
                list(APPEND wrong "${shown}: ${line}")
            endif()
        endforeach()
        if(NOT layer IN_LIST qt_layers)
            file(STRINGS ${source} qt_includes REGEX "^#include <Q")
            foreach(line IN LISTS qt_includes)
                list(APPEND wrong "${shown}: ${line} (Qt belongs to picture, ui and app only)")
            endforeach()
        endif()
    endforeach()
endforeach()

if(wrong)
    list(JOIN wrong "\n  " listed)
    message(FATAL_ERROR "Includes across the layers:\n  ${listed}")
endif()
message(STATUS "Every include stays within its layer or those below it")
