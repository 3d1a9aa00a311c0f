# `make package`: one .deb of the three programs and their desktop files. Its
# dependencies are computed from the binaries (dpkg-shlibdeps); it needs no
# maintainer scripts, since Debian's triggers refresh the menu, icon and MIME
# caches. Binaries are stripped in the package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME veltramarlin)
set(CPACK_PACKAGE_VENDOR "VeltraMarlin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VM_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "total station data download, upload and conversion")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "VeltraMarlin is a desktop tool for land surveyors who work with an electronic
total station. It talks to the instrument over an RS-232 line (downloads its
measurement and coordinate files, uploads coordinate files), converts the
downloaded files into the layouts that surveying and mapping packages read,
converts coordinate files between user-defined column layouts, and exports
points as an Excel workbook, a DXF drawing and a printable table. The user
interface is in Simplified Chinese.
.
The package also holds veltramarlin-cli, the same operations for scripts,
and veltramarlin-sim, a simulated total station on a pseudo-terminal.")
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VM_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Chinese interface needs a CJK font and Qt's Chinese texts (standard
# buttons, file dialogs); the desktop's viewer opens written files.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n, xdg-utils")
set(CPACK_STRIP_FILES ON)
# Packaging installs what is built; it does not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)
