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

# Median, min and max in microseconds of `fois` runs of the command.
mesurer() {
  local durees=() debut fin n
  for ((n = 0; n < fois; n++)); do
    debut=$(date +%s%N)
    "$@" > /dev/null
    fin=$(date +%s%N)
    durees+=($(( (fin - debut) / 1000 )))
  done
  local tri=($(printf '%s\n' "${durees[@]}" | sort -n))
  echo "median ${tri[fois / 2]} us, min ${tri[0]} us, max ${tri[fois - 1]} us"
}

echo "sorvel-calcul --json, 30 rooms, $fois runs: $(mesurer "$build/bin/sorvel-calcul" --json "$dossier" Trente)"
echo "sorvel-calcul CSV,    30 rooms, $fois runs: $(mesurer "$build/bin/sorvel-calcul" "$dossier" Trente)"
# What merely starting a process costs on this machine, for comparison.
echo "/bin/true,                    $fois runs: $(mesurer /bin/true)"
