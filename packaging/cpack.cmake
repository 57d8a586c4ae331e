# The Debian package: `cpack` in the build folder writes velmora_<version>_<arch>.deb. Its dependencies are
# worked out from the libraries the executable links (dpkg-shlibdeps), so they follow the Qt it was built
# with.

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR Ostrel)
set(CPACK_PACKAGE_CONTACT Ostrel)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora draws random railway car assignments for model-railroad operating sessions, either from a table \
of up to eight industries with the car types that suit each, or from one list of car types.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Velmora)
set(CPACK_STRIP_FILES ON)

if(WIN32)
    set(CPACK_GENERATOR ZIP)
else()
    set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
