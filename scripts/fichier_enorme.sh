#!/usr/bin/env bash
# Each of the program's files at about 100 MB (the book of 10,000 documents,
# a book of copied blocks, the client file, the settings, the glossary, the
# company, the note, the seller and buyers files), read through the program's
# logic: one line a file with its size, time, memory and outcome; fails when
# a read crashes, takes longer than the bound or ends otherwise than the
# program documents (the note over 4 MiB is refused with its message).
#   bash scripts/fichier_enorme.sh [MEGAOCTETS [SECONDES]]   default 100 MB, 60 s a file
# Needs about 1 GB in the temporary folder and 2 GB of memory.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target fichier_enorme
DOSSIER=$(mktemp -d)
trap 'rm -rf "$DOSSIER"' EXIT
./build/bench/fichier_enorme "$DOSSIER" "${1:-100}" "${2:-60}"
