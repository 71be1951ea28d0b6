#!/usr/bin/env bash
# Builds what is needed and takes screenshots of the real main window under
# a virtual X server (xvfb-run), for three screen sizes, into captures/<size>/.
# The screenshots are taken by build/bin/sorvel_captures, which drives the
# main window through its menus and grabs the X screen after each step; it
# previews both reports of the 12-room example study of tests/donnees.
# Then every page of both printed reports of the 12-room example study is
# rendered as PNG into captures/rapports/ (sorvel-calcul --pdf, pdftoppm).
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$racine/build/build.ninja" ]; then
  cmake -S "$racine" -B "$racine/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$racine/build" -j2 --target sorvel_captures sorvel_ressources sorvel-calcul
mkdir -p "$racine/captures"
for taille in 1024x768 800x600 1280x1024; do
  env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 ${taille}x24" \
    "$racine/build/bin/sorvel_captures" "$racine/captures/$taille" "$racine/tests/donnees"
done

# Printed reports, as a site foreman gets them on paper.
rapports="$racine/captures/rapports"
rm -rf "$rapports"
mkdir -p "$rapports"
for rapport in chantier recapitulatif; do
  "$racine/build/bin/sorvel-calcul" --pdf "$rapport" "$rapports/$rapport.pdf" \
    "$racine/tests/donnees" "Maison 12 pièces"
  pdftoppm -r 110 -png "$rapports/$rapport.pdf" "$rapports/$rapport"
done
echo "Captures dans $racine/captures"
