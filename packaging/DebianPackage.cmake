# The Debian package of both programs, made with `cpack -G DEB` in the build folder. Its dependencies are read
# from the installed programs by dpkg-shlibdeps; libogre1.12.10, which they link, also brings the GL render
# system, the image codec and the shadow programs that the game loads by path.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dunestride)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(DUNESTRIDE_PACKAGE_MAINTAINER "The dunestride developers <dunestride@packages.invalid>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${DUNESTRIDE_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D chase game over the dunes, with its trajectory drawing tool")
# Lines of the long description as Debian shows them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "dunestride is a small 3D chase game seen from above: steer a lone hero over the"
    "dunes while running men, spawned ever faster and in bursts of fifteen, try to"
    "catch him. Survive 180 seconds to win."
    ""
    "pathsketch is the drawing tool that makes the runners' trajectories: every"
    "stroke drawn with the mouse becomes a timed path, and kept drawings are saved"
    "as an XML trajectory library that the game reads.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The play time is drawn with a font that the game reads by path, which the library scan cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
include(CPack)
