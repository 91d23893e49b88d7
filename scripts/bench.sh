#!/usr/bin/env bash
# Builds and runs the scale benchmarks, then prints one table (each command's
# time as a ratio to one pass over the book's bytes, at 1,000 and 10,000
# documents, against its target), then the memory and start figures of the
# program with the largest book, measured under Xvfb. Arguments go to the
# benchmark program (for example --benchmark_repetitions=15).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target bench_echelle bench_recues bench_genere fenetre_vide bench_demarrage kyrfact

ESSAIS=${KYR_BENCH_ESSAIS:-9}
TMP=$(mktemp -d)
XPID=""
nettoie() {
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
  rm -rf "$TMP"
}
trap nettoie EXIT

echo "Benchmarks (a few minutes)..."
./build/bench/bench_echelle "$@" >"$TMP/bancs.txt" 2>&1 || { cat "$TMP/bancs.txt"; exit 1; }
./build/bench/bench_recues --benchmark_repetitions=5 >"$TMP/recues.txt" 2>&1 || { cat "$TMP/recues.txt"; exit 1; }

# The largest book, reopened at start by its settings file; an empty folder
# for the program's empty start.
mkdir -p "$TMP/livre" "$TMP/vide"
./build/bench/bench_genere "$TMP/livre" 10000 grand.fct
TAILLE=$(stat -c %s "$TMP/livre/grand.fct")

# A display of its own, whichever number is free.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$TMP/affichage" 2>/dev/null &
XPID=$!
for _ in $(seq 50); do [ -s "$TMP/affichage" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$TMP/affichage")"
mesure() { ./build/bench/bench_demarrage "$ESSAIS" "$@" 2>/dev/null; }
read -r T_MIN _ < <(mesure "Fenetre vide" "$TMP" "$PWD/build/bench/fenetre_vide")
read -r T_VIDE M_VIDE < <(mesure "Kyr Facture - [" "$TMP/vide" "$PWD/build/src/shell/kyrfact")
read -r T_LIVRE M_LIVRE < <(mesure "Kyr Facture - [grand.fct]" "$TMP/livre" "$PWD/build/src/shell/kyrfact")

sed -n '/^command /,$p' "$TMP/bancs.txt"
awk -v taille="$TAILLE" -v mv="$M_VIDE" -v ml="$M_LIVRE" -v tm="$T_MIN" -v tv="$T_VIDE" \
    -v tl="$T_LIVRE" -v n="$ESSAIS" 'BEGIN {
  mo = taille / 1048576; dm = (ml - mv) / 1024; rm = dm / mo; rt = tl / tm
  printf "\nMemory and start, medians of %d runs under Xvfb, book of 10,000 documents (%.1f MB):\n", n, mo
  printf "%-62s %8s %8s  %s\n", "measure", "value", "target", "met"
  printf "%-62s %8.2f %8.1f  %s\n", sprintf("peak memory above the empty start / file size (%.0f MB)", dm), rm, 4, rm <= 4 ? "yes" : "NO"
  printf "%-62s %8.2f %8.1f  %s\n", sprintf("start with the book shown / minimal Qt start (%.0f / %.0f ms)", tl, tm), rt, 1.5, rt <= 1.5 ? "yes" : "NO"
  printf "Empty start of the program: %.0f ms (%.2f times the minimal Qt start), peak memory %.0f MB.\n", tv, tv / tm, mv / 1024
}'
echo
echo "Received invoices (medians of 5 repetitions):"
tail -n 2 "$TMP/recues.txt"
