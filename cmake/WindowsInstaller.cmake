# `windows-installer` (cpack -G NSIS): TolvaneEnviroScripter-<version>-setup.exe, written with NSIS
# (makensis, Debian's nsis package) from everything installed, both programs with their DLLs. The
# script is our own template (packaging/windows/NSIS.template.in): per-user or all-users installs,
# the .prj "Open with" entry and an uninstaller that removes exactly the files CPack installed.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME TolvaneEnviroScripter)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tolvane Tools team")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY TolvaneEnviroScripter)
set(CPACK_PACKAGE_FILE_NAME TolvaneEnviroScripter-${PROJECT_VERSION}-setup)
set(CPACK_TES_ICON ${PROJECT_SOURCE_DIR}/packaging/icons/tolvane-enviro-scripter.ico)
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
set(CPACK_MONOLITHIC_INSTALL ON) # one installer with every component; the zip takes one
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
include(CPack)
