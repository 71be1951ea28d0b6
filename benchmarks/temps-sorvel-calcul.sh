#!/usr/bin/env bash
# Times the whole sorvel-calcul process (start, reading, recalculation,
# JSON output) on a 30-room study. Prints the median and the extremes.
#   benchmarks/temps-sorvel-calcul.sh [BUILD_DIR] [RUNS]
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$racine/build}
fois=${2:-50}
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

"$build/bin/bench_calcul" --ecrire-etude "$dossier" Trente
"$build/bin/sorvel-calcul" --json "$dossier" Trente > /dev/null   # warm the caches

durees=()
for ((n = 0; n < fois; n++)); do
  debut=$(date +%s%N)
  "$build/bin/sorvel-calcul" --json "$dossier" Trente > /dev/null
  fin=$(date +%s%N)
  durees+=($(( (fin - debut) / 1000 )))
done
tri=($(printf '%s\n' "${durees[@]}" | sort -n))
echo "sorvel-calcul --json, 30 rooms, $fois runs:"
echo "  median $(( tri[fois / 2] )) us, min ${tri[0]} us, max ${tri[fois - 1]} us"
