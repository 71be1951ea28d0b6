#!/usr/bin/env bash
# Installs what is missing, builds Sorvel and its tests, and runs every test
# through CTest. Exits non-zero when any test fails.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
bash "$racine/scripts/installer-dependances.sh"
bash "$racine/scripts/construire.sh"
export QT_QPA_PLATFORM=offscreen
(cd "$racine/build" && ctest --output-on-failure --parallel "$(nproc)" --timeout 300)
# CMake's default generator builds too: the generated files (pictures,
# cursors, help) are the part that depends on the generator.
cmake -S "$racine" -B "$racine/build-make" -G "Unix Makefiles" -DSORVEL_TESTS=OFF >/dev/null
cmake --build "$racine/build-make" --parallel "$(nproc)" --target sorvel_ressources
# The desktop entry and the software-centre description pass their validators.
bash "$racine/scripts/valider-bureau.sh"
