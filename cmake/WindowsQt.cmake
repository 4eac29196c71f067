# Qt for Windows when cross-building: the build of Debian's Qt sources that
# scripts/build-windows-qt.sh leaves in its cache folder (TES_WINDOWS_QT), with the host's moc, rcc
# and uic, which are the same Qt version.
set(TES_WINDOWS_QT "" CACHE PATH "Qt built for Windows (scripts/build-windows-qt.sh prints it)")
if(NOT EXISTS "${TES_WINDOWS_QT}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "Set TES_WINDOWS_QT to a Qt for Windows; `make windows` builds one")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${TES_WINDOWS_QT})
list(APPEND CMAKE_PREFIX_PATH ${TES_WINDOWS_QT})
set(QT_HOST_PATH /usr CACHE PATH "")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
