#!/usr/bin/env bash
# Builds what is needed and takes screenshots of the real main window under
# a virtual X server (xvfb-run), for three screen sizes, into captures/<size>/.
# The screenshots are taken by build/bin/sorvel_captures, which drives the
# main window through its menus and grabs the X screen after each step; it
# previews both reports of the 12-room example study of tests/donnees.
# Then the same at 800x600 and 1024x768 under a window manager (openbox),
# the window left at the size the program chooses, as a user sees it, into
# captures/<size>-openbox/.
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
  rm -rf "$racine/captures/$taille"
  env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 ${taille}x24" \
    "$racine/build/bin/sorvel_captures" "$racine/captures/$taille" "$racine/tests/donnees"
done

# Under a window manager: openbox is started on the virtual server, and the
# screenshots begin once it manages the screen.
sous_openbox='
  openbox >/dev/null 2>&1 &
  gestionnaire=$!
  for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  # It announces itself before it is done starting: a window shown in
  # between would be left without a frame.
  sleep 1
  statut=0
  "$@" || statut=$?
  kill "$gestionnaire" 2>/dev/null || true
  wait "$gestionnaire" 2>/dev/null || true
  exit $statut'
for taille in 800x600 1024x768; do
  rm -rf "$racine/captures/$taille-openbox"
  env -u QT_QPA_PLATFORM QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 ${taille}x24" \
    bash -c "$sous_openbox" _ \
    "$racine/build/bin/sorvel_captures" "$racine/captures/$taille-openbox" "$racine/tests/donnees" --gestionnaire
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
