#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the normal build, then every
# test again (the widget tests included) under AddressSanitizer and
# UndefinedBehaviorSanitizer, then each fuzz target a short time on its corpus
# (FUZZ_SECONDES, default 30; 0 skips them).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
J=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$J"
ctest --test-dir build --output-on-failure -j"$J"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKYR_SANITIZE=ON -DKYR_LOGIC_ONLY=OFF >/dev/null
cmake --build build-asan -j"$J"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
  ctest --test-dir build-asan --output-on-failure -j"$J"
if [ "${FUZZ_SECONDES:-30}" != 0 ]; then
  FUZZ_SECONDES=${FUZZ_SECONDES:-30} bash scripts/fuzz.sh
fi
