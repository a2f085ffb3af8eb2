# `cpack` in the build folder makes the Debian package tiko_VERSION_ARCH.deb.
# Its library dependencies come from dpkg-shlibdeps; lintian checks it in CI.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tiko)
set(CPACK_PACKAGE_VENDOR "The Tiko simulator project")
set(CPACK_PACKAGE_CONTACT "Tiko simulator project <tiko-simulator@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of the Bolo Garu Tiko LCD handheld game")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows are laid out for Arial's widths: Liberation Sans has them, and
# fontconfig gives it for Arial. Shell open (the text files, Config.ini, the
# links) goes through xdg-open. SDL2 (sound, game controllers) is loaded at run
# time, so dpkg-shlibdeps does not see it: it is named here, from the version
# of Debian's symbols file that has every function the program resolves.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libsdl2-2.0-0 (>= 2.0.12)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TIKO_HOMEPAGE})
# Qt's Wayland platform: with it the program runs natively on a Wayland
# desktop, without it through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
# The extended description; CPack indents it and marks its empty lines.
file(READ ${CMAKE_SOURCE_DIR}/packaging/debian/description CPACK_PACKAGE_DESCRIPTION)

set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/TikoDebianLayout.cmake)

include(CPack)
