# The Debian package: `cpack -G DEB` in the build folder makes orbiquant_<version>_<arch>.deb.
# Library dependencies come from the executables themselves (dpkg-shlibdeps); the fonts the
# program finds through fontconfig and the web page opener are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbiquant)
set(CPACK_PACKAGE_VENDOR "Orbiquant developers")
set(CPACK_PACKAGE_CONTACT "Orbiquant developers <orbiquant@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turning 3D Earth with market quotes, world clocks and news")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Orbiquant shows a turning Earth in an OpenGL window with its night half shaded,
market quote tags at their cities (green up, red down), four world clocks and a
scrolling news ticker, with a small Display panel of options and view presets.

The package also holds orbiquant-feed, the feed server the program reads by
default on 127.0.0.1:8404: a market simulator, or a relay of a quote source and
news feeds the user names. It runs as a systemd user service, enabled for
every user.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orbiquant.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# The clocks read the zone database; without it they keep their own rules.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, tzdata")
# Enable the feed server's user unit for every user on install, disable it on removal.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/dist/debian/postinst
    ${PROJECT_SOURCE_DIR}/dist/debian/prerm ${PROJECT_SOURCE_DIR}/dist/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
