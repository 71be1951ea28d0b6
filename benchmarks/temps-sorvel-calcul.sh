#!/usr/bin/env bash
# Times the whole sorvel-calcul process (start, reading, check,
# recalculation, output) on two 30-room studies: an ordinary house, and the
# 30 costliest rooms the worst-case search of bench_calcul finds; and, with
# fewer runs, the two PDF reports of the ordinary house. Alongside, in the
# same rounds: (a) a program that links Qt Core and reads one file of the
# study, (b) a C++ program that does nothing, (c) /bin/true: what merely
# starting a process costs here. Target: sorvel-calcul --json on the
# ordinary house within 1 ms of (a).
#
#   benchmarks/temps-sorvel-calcul.sh [BUILD_DIR] [RUNS] [OTHER_BUILD_DIR]
#
# With a second build folder (an older build, say), both programs run in
# the same rounds and print side by side. Every command runs in turn, round
# after round (mesurer_processus), so that a load on the machine weighs on
# all alike. Prints medians in microseconds: wall time, then the CPU time
# (user + system) of the process itself.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
builds=("${1:-$racine/build}")
fois=${2:-50}
[ -n "${3:-}" ] && builds+=("$3")
fois_pdf=$(( fois / 10 > 5 ? fois / 10 : 5 ))
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

# The timer, the reference programs and the study writer come from the
# first folder that has them (an older build may lack the first three).
outil() {
  local b
  for b in "${builds[@]}"; do
    [ -x "$b/bin/$1" ] && { echo "$b/bin/$1"; return; }
  done
  echo "temps-sorvel-calcul.sh : $1 introuvable dans ${builds[*]} (cible à construire)" >&2
  exit 1
}
mesurer=$(outil mesurer_processus)
bench=$(outil bench_calcul)
"$bench" --ecrire-etude "$dossier" Trente
"$bench" --ecrire-pire "$dossier" Pire

# One line per command for the timer: "label<TAB>program<TAB>argument...";
# the label is "case|build folder", or "case|" for a reference program.
ligne() { local IFS=$'\t'; echo "$*"; }

commandes() {
  local b c
  for b in "${builds[@]}"; do
    c="$b/bin/sorvel-calcul"
    "$c" --json "$dossier" Trente > /dev/null   # checks it runs, warms the caches
    ligne "sorvel-calcul --json, 30 rooms|$b" "$c" --json "$dossier" Trente
    ligne "sorvel-calcul CSV,    30 rooms|$b" "$c" "$dossier" Trente
    ligne "sorvel-calcul --json, 30 worst rooms|$b" "$c" --json "$dossier" Pire
    ligne "sorvel-calcul CSV,    30 worst rooms|$b" "$c" "$dossier" Pire
  done
  ligne "(a) Qt Core, reads Trente.pla|" "$(outil lecture_qt_core)" "$dossier/Trente.pla"
  ligne "(b) C++, does nothing|" "$(outil programme_vide)"
  ligne "(c) /bin/true|" /bin/true
}

commandes_pdf() {
  local b r
  for b in "${builds[@]}"; do
    for r in chantier recapitulatif; do
      ligne "sorvel-calcul --pdf $r, 30 rooms|$b" "$b/bin/sorvel-calcul" --pdf "$r" "$dossier/$r.pdf" "$dossier" Trente
    done
  done
}

# The timer's lines as a table: one row per case, "median wall / median
# CPU" per build folder.
tableau() {
  local IFS=$'\t'
  awk -F'\t' -v colonnes="${builds[*]}" '
    BEGIN { n = split(colonnes, nom, "\t") }
    { split($1, cle, "|"); if (!(cle[1] in vu)) { vu[cle[1]] = 1; ordre[++cas] = cle[1] }
      valeur[cle[1], cle[2]] = sprintf("%7d / %6d", $2, $5) }
    END {
      printf "%-44s", "wall / CPU, median in us"
      for (i = 1; i <= n; i++) printf "  %-16s", nom[i]
      printf "\n"
      for (k = 1; k <= cas; k++) {
        printf "%-44s", ordre[k]
        if ((ordre[k], "") in valeur) printf "  %s", valeur[ordre[k], ""]
        else for (i = 1; i <= n; i++) printf "  %s", valeur[ordre[k], nom[i]]
        printf "\n"
      }
    }'
}

echo "$fois rounds:"
resultats=$(commandes | "$mesurer" "$fois")
tableau <<<"$resultats"
# The target: sorvel-calcul --json on the ordinary house against (a).
awk -F'\t' '
  $1 ~ /^\(a\)/ { mur = $2; cpu = $5 }
  $1 ~ /^sorvel-calcul --json, 30 rooms\|/ { split($1, c, "|"); ligne[c[2]] = $2 "\t" $5; ordre[++n] = c[2] }
  END { for (i = 1; i <= n; i++) { split(ligne[ordre[i]], v, "\t")
          printf "--json, 30 rooms, beyond (a): %+d us wall, %+d us CPU (%s)\n", v[1] - mur, v[2] - cpu, ordre[i] } }' \
  <<<"$resultats"
echo
echo "$fois_pdf rounds:"
commandes_pdf | "$mesurer" "$fois_pdf" | tableau
