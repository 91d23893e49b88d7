#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each of them on a
# corpus seeded from tests/data, two at a time, for FUZZ_SECONDES seconds each
# (default 60), or until FUZZ_EXECUTIONS inputs when that comes first. A crash
# stops the script with the input that caused it; keep that input in
# tests/data as a regression test.
#   FUZZ_SECONDES=3600 bash scripts/fuzz.sh              every target an hour
#   FUZZ_SECONDES=600 bash scripts/fuzz.sh fuzz_nombres  one target
#   FUZZ_EXECUTIONS=1000000 FUZZ_SECONDES=3600 bash scripts/fuzz.sh fuzz_livre
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDES=${FUZZ_SECONDES:-60}
EXECUTIONS=${FUZZ_EXECUTIONS:--1}
J=$(nproc)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DKYR_FUZZ=ON -DKYR_LOGIC_ONLY=ON >/dev/null
CIBLES=("$@")
if [ ${#CIBLES[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do CIBLES+=("$(basename "$f" .cpp)"); done
fi
cmake --build build-fuzz -j"$J" --target "${CIBLES[@]}"
TRAVAIL=$(mktemp -d)
trap 'rm -rf "$TRAVAIL"' EXIT
lance() {
  local c=$1
  mkdir -p "$TRAVAIL/$c"
  cp tests/data/* "$TRAVAIL/$c/"
  if ./build-fuzz/fuzz/"$c" -max_total_time="$SECONDES" -runs="$EXECUTIONS" -max_len=4096 -timeout=10 \
      -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$TRAVAIL/$c-" "$TRAVAIL/$c" \
      >"$TRAVAIL/$c.log" 2>&1; then
    echo "$c : $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$TRAVAIL/$c.log" | grep -o '[0-9]*$') exécutions" \
      "($(grep -m1 -o 'stat::average_exec_per_sec: *[0-9]*' "$TRAVAIL/$c.log" | grep -o '[0-9]*$') par seconde), rien trouvé"
  else
    echo "$c : ÉCHEC"
    tail -n 40 "$TRAVAIL/$c.log"
    for a in "$TRAVAIL/$c"-*; do [ -e "$a" ] && cp "$a" . && echo "entrée gardée : $(basename "$a")"; done
    return 1
  fi
}
export -f lance
export SECONDES EXECUTIONS TRAVAIL
printf '%s\n' "${CIBLES[@]}" | xargs -P "$J" -I{} bash -c 'lance {}'
