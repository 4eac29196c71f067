# Cross-compiles for 64-bit Windows with MinGW-w64, posix threads. The programs use MinGW's C++
# runtime as DLLs, as the Qt DLLs do, and find them beside themselves (cmake/WindowsRuntime.cmake).
# The tests run through Wine (cmake/run-under-wine.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TES_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TES_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TES_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TES_MINGW_PREFIX}-windres)

# Libraries and headers come from the cross sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TES_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests run under Wine, in a prefix inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh ${CMAKE_BINARY_DIR}/wine-prefix)
# zlib from the cross sysroot as a static library, like everything else the programs link.
set(ZLIB_USE_STATIC_LIBS ON)
