# `cpack -G DEB` (scripts/package.sh): a Debian package installed under /usr, with the
# same bytes from two builds of the same commit when SOURCE_DATE_EPOCH is set. The
# library dependencies come from dpkg-shlibdeps; the fonts the plan's texts use and the
# French translation of Qt's own dialogs are added by hand. The system's triggers
# refresh the MIME, desktop and icon caches, so the package needs no scripts of its own.
set(CPACK_PACKAGE_NAME kestrion)
set(CPACK_PACKAGE_VENDOR "Kestrion")
set(CPACK_PACKAGE_CONTACT "Maëlle Kerjean <contact@kestrion.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "plan the interior layout of a fitted-out van")
# The extended description, wrapped under 80 columns as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Kestrion draws the interior layout of a vehicle being fitted out,\n\
typically a van, on calibrated views of the vehicle, with accessories\n\
at their real size. The user interface is in French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
