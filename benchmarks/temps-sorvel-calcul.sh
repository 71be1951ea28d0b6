#!/usr/bin/env bash
# Times the whole sorvel-calcul process (start, reading, check,
# recalculation, output) on two 30-room studies: an ordinary house, and the
# 30 costliest rooms the worst-case search of bench_calcul finds (target:
# under 50 ms, process start included). Prints the median and the extremes.
#   benchmarks/temps-sorvel-calcul.sh [BUILD_DIR] [RUNS]
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$racine/build}
fois=${2:-50}
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

"$build/bin/bench_calcul" --ecrire-etude "$dossier" Trente
"$build/bin/bench_calcul" --ecrire-pire "$dossier" Pire
for etude in Trente Pire; do
  "$build/bin/sorvel-calcul" --json "$dossier" "$etude" > /dev/null   # checks it runs, warms the caches
done

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

echo "sorvel-calcul --json, 30 rooms,       $fois runs: $(mesurer "$build/bin/sorvel-calcul" --json "$dossier" Trente)"
echo "sorvel-calcul CSV,    30 rooms,       $fois runs: $(mesurer "$build/bin/sorvel-calcul" "$dossier" Trente)"
echo "sorvel-calcul --json, 30 worst rooms, $fois runs: $(mesurer "$build/bin/sorvel-calcul" --json "$dossier" Pire)"
echo "sorvel-calcul CSV,    30 worst rooms, $fois runs: $(mesurer "$build/bin/sorvel-calcul" "$dossier" Pire)"
# What merely starting a process costs on this machine, for comparison.
echo "/bin/true,                            $fois runs: $(mesurer /bin/true)"
