#!/usr/bin/env bash
# Configures and builds Sorvel in ./build (executables and what lies beside
# them in ./build/bin).
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$racine" -B "$racine/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$racine/build" --parallel "$(nproc)"
