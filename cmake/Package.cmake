# scripts/package: a .deb of the installed tree; its dependencies come from the libraries the
# programs link (dpkg-shlibdeps).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrel)
set(CPACK_PACKAGE_VENDOR "The Tavrel developers")
# Debian wants a maintainer; the project has no mail address of its own, so the field names
# the developers and invents no address.
set(CPACK_PACKAGE_CONTACT "The Tavrel developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Loudspeaker box simulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Simulates loudspeaker boxes and crossovers from driver parameters or measurements.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugins are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Their dpkg triggers register the file types and the menu entry.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
