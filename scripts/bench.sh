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
cmake --build build --target bench_echelle bench_recues bench_genere fenetre_formulaire bench_demarrage kyrfact

ESSAIS=${KYR_BENCH_ESSAIS:-7}
TMP=$(mktemp -d)
XPID=""
nettoie() {
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null
  rm -rf "$TMP"
}
trap nettoie EXIT

# KYR_BENCH_DEMARRAGE_SEUL=1: only the start and memory figures.
if [ -z "${KYR_BENCH_DEMARRAGE_SEUL:-}" ]; then
  echo "Benchmarks (a few minutes)..."
  ./build/bench/bench_echelle "$@" >"$TMP/bancs.txt" 2>&1 || { cat "$TMP/bancs.txt"; exit 1; }
  ./build/bench/bench_recues --benchmark_repetitions=5 >"$TMP/recues.txt" 2>&1 || { cat "$TMP/recues.txt"; exit 1; }
else
  : >"$TMP/bancs.txt"
  : >"$TMP/recues.txt"
fi

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
mesure() { ./build/bench/bench_demarrage "$@" 2>/dev/null; }
# The four starts one after the other, round after round, so that a change
# in the machine's load weighs on each alike; medians of the rounds.
for _ in $(seq "$ESSAIS"); do
  mesure 1 "Fenetre formulaire" "$TMP" "$PWD/build/bench/fenetre_formulaire" >>"$TMP/formulaire"
  mesure 1 "Kyr Facture - [" "$TMP/vide" "$PWD/build/src/shell/kyrfact" >>"$TMP/vide.txt"
  mesure 1 "Kyr Facture - [grand.fct]" "$TMP/livre" "$PWD/build/src/shell/kyrfact" >>"$TMP/livre.txt"
  mesure -k F2 "Liste des factures" 1 "Kyr Facture - [grand.fct]" "$TMP/livre" \
    "$PWD/build/src/shell/kyrfact" >>"$TMP/liste.txt"
done
mediane() { sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
T_MIN=$(mediane "$TMP/formulaire" 1)
T_VIDE=$(mediane "$TMP/vide.txt" 1)
M_VIDE=$(mediane "$TMP/vide.txt" 2)
T_LIVRE=$(mediane "$TMP/livre.txt" 1)
M_LIVRE=$(mediane "$TMP/livre.txt" 2)
T_LISTE=$(mediane "$TMP/liste.txt" 1)

sed -n '/^command /,$p' "$TMP/bancs.txt"
awk -v taille="$TAILLE" -v mv="$M_VIDE" -v ml="$M_LIVRE" -v tm="$T_MIN" -v tv="$T_VIDE" \
    -v tl="$T_LIVRE" -v tf="$T_LISTE" -v n="$ESSAIS" 'BEGIN {
  mo = taille / 1048576; dm = (ml - mv) / 1024
  printf "\nStart and memory, medians of %d alternating rounds under Xvfb, book of 10,000 documents (%.1f MB)\n", n, mo
  printf "opened at start; times from the launch until the window is on screen:\n"
  printf "%-66s %8s %8s  %s\n", "measure", "value", "target", "met"
  ligne(sprintf("book shown / minimal form window (%.0f / %.0f ms)", tl, tm), tl / tm, 1.3)
  ligne(sprintf("book shown + F2 list open / minimal form window (%.0f / %.0f ms)", tf, tm), tf / tm, 1.5)
  ligne(sprintf("book shown / the program started without a book (%.0f / %.0f ms)", tl, tv), tl / tv, 1.1)
  ligne(sprintf("extra memory / file size (%.0f MB above the empty start)", dm), dm / mo, 4)
  printf "Empty start of the program: %.0f ms, peak memory %.0f MB.\n", tv, mv / 1024
}
function ligne(nom, v, cible) { printf "%-66s %8.2f %8.1f  %s\n", nom, v, cible, v <= cible ? "yes" : "NO" }'
if [ -s "$TMP/recues.txt" ]; then
  echo
  echo "Received invoices (medians of 5 repetitions):"
  tail -n 2 "$TMP/recues.txt"
fi
