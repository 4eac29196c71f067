# What the Windows programs need beside them: MinGW's C++ runtime and, with the windows, the Qt DLLs
# and plugins (Qt looks for plugins in the program's folder). Copied into the build's bin/ so the
# programs and tests run there under Wine, and installed with the programs. The command line needs
# Qt's Core and Gui and the offscreen platform (the preview picture); the rest is the window's
# (install component `window`; the zip leaves it out).
# Debian's runtime DLLs carry their debugging information, ten times their size: they go stripped.
set(TES_RUNTIME_DLLS "")
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/runtime)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know ${dll}")
    endif()
    set(stripped ${CMAKE_BINARY_DIR}/runtime/${dll})
    add_custom_command(OUTPUT ${stripped} COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${stripped} ${path}
                       DEPENDS ${path} VERBATIM)
    list(APPEND TES_RUNTIME_DLLS ${stripped})
endforeach()
install(FILES ${TES_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})

set(bin ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(copies ${CMAKE_COMMAND} -E copy_if_different ${TES_RUNTIME_DLLS} ${bin})
if(TES_BUILD_GUI)
    # target; folder under bin/; install component: cli (the default one, both programs), window, or
    # "" (only in bin/, for the tests)
    set(qt_files
        Qt6::Core . cli Qt6::Gui . cli Qt6::QOffscreenIntegrationPlugin platforms cli
        Qt6::Widgets . window Qt6::QWindowsIntegrationPlugin platforms window
        Qt6::QWindowsVistaStylePlugin styles window Qt6::Test . "")
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/platforms ${bin}/styles)
    while(qt_files)
        list(POP_FRONT qt_files target folder component)
        list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${bin}/${folder})
        if(component STREQUAL cli)
            install(FILES $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
        elseif(component)
            install(FILES $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder}
                    COMPONENT ${component})
        endif()
    endwhile()
    # Qt is LGPL: its text, and where its source comes from, go with its DLLs.
    file(READ ${TES_WINDOWS_QT}/SOURCE.txt TES_QT_SOURCE)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/qt-source.txt.in qt-source.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${TES_WINDOWS_QT}/LGPL-3.0.txt ${CMAKE_CURRENT_BINARY_DIR}/qt-source.txt
            DESTINATION ${CMAKE_INSTALL_BINDIR}/qt-license)
endif()
add_custom_target(tes_windows_runtime ALL COMMAND ${copies} DEPENDS ${TES_RUNTIME_DLLS} VERBATIM)

# Every program waits for the DLLs: the test programs run as soon as they are linked, to list their
# tests.
function(tes_programs_need_runtime dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL EXECUTABLE)
            add_dependencies(${target} tes_windows_runtime)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        tes_programs_need_runtime(${subdir})
    endforeach()
endfunction()
tes_programs_need_runtime(${PROJECT_SOURCE_DIR})

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/Valley DESTINATION ${CMAKE_INSTALL_BINDIR}/examples)
