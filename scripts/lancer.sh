#!/usr/bin/env bash
# Installs what is missing, builds Sorvel and starts it.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
bash "$racine/scripts/installer-dependances.sh"
bash "$racine/scripts/construire.sh"
exec "$racine/build/bin/sorvel" "$@"
