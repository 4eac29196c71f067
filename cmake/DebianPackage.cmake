# `make package` (cpack) writes tolvane-enviro-scripter_<version>_<arch>.deb from a Release build. The
# Qt runtime packages it depends on are found by dpkg-shlibdeps from the libraries the programs use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvane-enviro-scripter)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tolvane Tools team")
set(TES_PACKAGE_MAINTAINER "TolvaneEnviroScripter maintainers <maintainers@users.noreply.c-seed-42d0fd12.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT ${TES_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns Tolvane terrain vegetation into 3ds Max scripts")
set(CPACK_PACKAGE_DESCRIPTION
    "Tolvane Enviro Scripter loads a Tolvane terrain project, keeps the vegetation\n"
    "objects that stand on one tile of the terrain and writes a MAXScript that\n"
    "places a 3ds Max object at each of their positions. A second window joins\n"
    "several scripts into one, and the enviro-script command does every job of\n"
    "the window in batch pipelines.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help opens in the desktop's browser through xdg-open; without it the program's own viewer shows it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
