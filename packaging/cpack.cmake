# The Debian package: `cpack` in the build folder writes velmora_<version>_<arch>.deb. Its library
# dependencies are worked out from the libraries the executable links (dpkg-shlibdeps), so they follow the
# Qt it was built with.

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Ostrel Software")
set(CPACK_PACKAGE_CONTACT "Ostrel Software <velmora@ostrel.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# In lines of at most 80 characters, as Debian's package descriptions want them.
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora draws random railway car assignments for model-railroad operating\n\
sessions, either from a table of up to eight industries with the car types\n\
that suit each, or from one list of car types.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velmora)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows.cmake) # the ZIP and the installer, with the DLLs they need
else()
    set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ostrel Software <velmora@ostrel.net>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds the Qt libraries the program links, not the platform plug-ins Qt loads at run time:
# without one the program cannot open a window at all. Debian's qt6-qpa-plugins holds X11's (xcb);
# qt6-wayland holds Wayland's. The program runs on a Wayland desktop without it, through XWayland, so
# Wayland's plug-in is recommended rather than required.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

include(CPack)
