#!/usr/bin/env bash
# Installs what is missing, builds Sorvel in ./build and makes its Debian
# package there: build/sorvel_<version>_<architecture>.deb.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
bash "$racine/scripts/installer-dependances.sh"
bash "$racine/scripts/construire.sh"
(cd "$racine/build" && cpack)
ls "$racine"/build/sorvel_*.deb
