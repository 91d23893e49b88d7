#!/usr/bin/env bash
# Installs a built Kyr Facture into a fresh prefix and checks that a Linux
# desktop finds it there: the program, its menu entry and AppStream metadata
# (validated), its icon at every size. Usage: verifie_installation.sh BUILD_DIR
set -euo pipefail
construction=${1:?dossier de construction}
prefixe=$(mktemp -d)
trap 'rm -rf "$prefixe"' EXIT
cmake --install "$construction" --prefix "$prefixe" >/dev/null

erreurs=0
attendu() {
  if [ ! -s "$prefixe/$1" ]; then
    echo "manque : $1"
    erreurs=$((erreurs + 1))
  fi
}
id=fr.kyr.kyrfact
attendu bin/kyrfact
attendu lib/kyrfact/modules/libkyrfact_facturx.so
attendu lib/kyrfact/modules/libkyrfact_pages.so
attendu share/applications/$id.desktop
attendu share/metainfo/$id.metainfo.xml
attendu share/icons/hicolor/scalable/apps/$id.svg
for cote in 16 32 48 64 128 256; do
  attendu share/icons/hicolor/${cote}x${cote}/apps/$id.png
  # The PNG's own width and height (bytes 17 to 24 of its header).
  taille=$(od -An -tu1 -j16 -N8 "$prefixe/share/icons/hicolor/${cote}x${cote}/apps/$id.png" | tr -s ' ')
  octets="0 0 $((cote / 256)) $((cote % 256))"
  [ "$taille" = " $octets $octets" ] || { echo "icône ${cote}x${cote} de taille$taille"; erreurs=$((erreurs + 1)); }
done
[ -x "$prefixe/bin/kyrfact" ] || { echo "bin/kyrfact n'est pas exécutable"; erreurs=$((erreurs + 1)); }

entree="$prefixe/share/applications/$id.desktop"
desktop-file-validate "$entree" || erreurs=$((erreurs + 1))
grep -qx 'Exec=kyrfact' "$entree" || { echo "Exec inattendu"; erreurs=$((erreurs + 1)); }
grep -qx "Icon=$id" "$entree" || { echo "Icon inattendu"; erreurs=$((erreurs + 1)); }
appstreamcli validate --no-net --pedantic "$prefixe/share/metainfo/$id.metainfo.xml" ||
  erreurs=$((erreurs + 1))
if grep -q '@' "$prefixe/share/metainfo/$id.metainfo.xml"; then
  echo "métadonnées non remplies"
  erreurs=$((erreurs + 1))
fi

if [ "$erreurs" -ne 0 ]; then
  echo "Installation : $erreurs erreur(s)"
  exit 1
fi
echo "Installation : programme, entrée de menu, métadonnées et icônes en place"
