# The Debian package: `cpack` in the build folder (or the `package` target)
# gives sorvel_<version>_<architecture>.deb, installed under /usr. Its
# dependencies are read by dpkg-shlibdeps from the shared libraries the
# executables link, plus what the program loads without linking it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorvel)
set(CPACK_PACKAGE_VENDOR "Sorvel")
set(CPACK_PACKAGE_CONTACT "Sorvel <contact@sorvel.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dimensionnement de plancher chauffant")
set(CPACK_PACKAGE_DESCRIPTION
  "Sorvel dimensionne les grilles chauffantes (plancher chauffant hydraulique)
des logements individuels : données générales de l'installation, jusqu'à 30
pièces, pas de pose, longueurs de boucles, débits, pertes de charge et
équilibrage, températures de surface, tableau récapitulatif, liste du
matériel et rapports imprimés. L'outil sorvel-calcul recalcule les études
enregistrées en ligne de commande.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME sorvel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.sorvel.fr/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printed reports are measured in the metrics of Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# Qt's own French texts (standard buttons and dialogs), and the desktop's
# way of starting the mail program from the about box.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")

include(CPack)
