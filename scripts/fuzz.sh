#!/usr/bin/env bash
# Builds the fuzz target over stored studies with clang's libFuzzer and the
# address and undefined-behaviour sanitizers, and runs it on one core.
#   scripts/fuzz.sh [SECONDS] [EXTRA LIBFUZZER OPTIONS...]
# Default: 900 seconds. The working corpus grows in build-fuzz/corpus (the
# seeds of tests/fuzz/corpus are read, never written); a crashing or slow
# input lands in build-fuzz/trouvailles: fix the fault, then copy the input
# into tests/fuzz/trouvailles so that CTest replays it.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
duree=${1:-900}
shift || true
sortie=$racine/build-fuzz
mkdir -p "$sortie/obj" "$sortie/corpus" "$sortie/trouvailles"

cxx=${CXX_FUZZ:-clang++-14}
if ! command -v "$cxx" > /dev/null; then
  echo "fuzz.sh : $cxx est introuvable (paquets clang-14 et libclang-rt-14-dev)." >&2
  exit 1
fi

# The layers the target goes through, compiled with the sanitizers (and
# with the fuzzer's coverage instrumentation) from their sources.
drapeaux=(-std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined
          -fno-sanitize-recover=undefined -I"$racine/src" -I"$racine/tests")
objets=()
for source in "$racine"/src/commun/*.cpp "$racine"/src/calcul/*.cpp "$racine"/src/etude/*.cpp \
              "$racine"/src/enregistrements/*.cpp \
              "$racine"/tests/fuzz/CibleEtude.cpp; do
  objet=$sortie/obj/$(basename "$(dirname "$source")")_$(basename "$source" .cpp).o
  "$cxx" "${drapeaux[@]}" -c "$source" -o "$objet"
  objets+=("$objet")
done
"$cxx" -fsanitize=fuzzer,address,undefined "${objets[@]}" -o "$sortie/fuzz_etude"

cd "$sortie"
# One process on one core: the machine is shared. A study settled in more
# than a second is reported as slow, one taking 10 s is a failure.
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
./fuzz_etude -max_total_time="$duree" -timeout=10 -report_slow_units=1 \
  -max_len=4096 -print_final_stats=1 -artifact_prefix="$sortie/trouvailles/" "$@" \
  "$sortie/corpus" "$racine/tests/fuzz/corpus" "$racine/tests/fuzz/trouvailles"
