#!/usr/bin/env bash
# Each of the program's files at about 100 MB (the book of 10,000 documents,
# a book of copied blocks, the client file, the settings, the glossary, the
# company, the note, the seller and buyers files), read through the program's
# logic: one line a file with its size, time, memory and outcome; fails when
# a read crashes, takes longer than the bound or ends otherwise than the
# program documents (the note over 4 MiB is refused with its message).
# Then the program's windows on the three files a user meets there (the
# settings at start and at exit, the glossary and the client card in their
# dialogs), each in a process of its own started in a folder holding only
# that file: the times to start, to show the dialog and to quit, with the
# processor time in brackets, the peak memory and whether the file came back
# as it was; the empty folder's line is the start without any file.
#   bash scripts/fichier_enorme.sh [MEGAOCTETS [SECONDES]]   default 100 MB, 60 s a file
# Needs about 1 GB in the temporary folder and 2 GB of memory.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target fichier_enorme fenetre_enorme
DOSSIER=$(mktemp -d)
trap 'rm -rf "$DOSSIER"' EXIT
./build/bench/fichier_enorme "$DOSSIER" "${1:-100}" "${2:-60}"

echo
echo "Les fenêtres du programme :"
export QT_QPA_PLATFORM=offscreen
mkdir "$DOSSIER/vide"
./build/bench/fenetre_enorme ini "$DOSSIER/vide" "${2:-60}" | sed 's/^KyrFact.ini   /(dossier vide)/'
echec=0
for cas in ini:KyrFact.ini glo:Fact.Glo cli:Fact.cli; do
  mkdir "$DOSSIER/${cas%%:*}"
  mv "$DOSSIER/${cas#*:}" "$DOSSIER/${cas%%:*}/"
  ./build/bench/fenetre_enorme "${cas%%:*}" "$DOSSIER/${cas%%:*}" "${2:-60}" || echec=1
done
exit $echec
