#!/usr/bin/env bash
# Validates the desktop's files as the build makes them (build/partage):
# the menu entry with desktop-file-validate, the software-centre
# description with appstreamcli (without network). Exits non-zero on any
# error.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
partage="$racine/build/partage"
desktop-file-validate "$partage/applications/fr.sorvel.Sorvel.desktop"
appstreamcli validate --no-net "$partage/metainfo/fr.sorvel.Sorvel.metainfo.xml"
echo "Fichiers du bureau valides."
