#!/usr/bin/env bash
# Builds Kyr Facture and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kyrfact
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kyr Facture a besoin d'un écran graphique : aucun affichage (DISPLAY) n'est disponible."
  exit 1
fi
exec ./build/src/shell/kyrfact
