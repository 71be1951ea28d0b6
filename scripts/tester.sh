#!/usr/bin/env bash
# Installs what is missing, builds Sorvel and its tests, and runs every test
# through CTest. Exits non-zero when any test fails.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
bash "$racine/scripts/installer-dependances.sh"
bash "$racine/scripts/construire.sh"
export QT_QPA_PLATFORM=offscreen
cd "$racine/build"
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
