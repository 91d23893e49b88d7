#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only when one of them is missing.
set -euo pipefail
PAQUETS=(build-essential cmake ninja-build qt6-base-dev libgl-dev libgtest-dev
         libbenchmark-dev libx11-dev fonts-liberation qt6-translations-l10n xvfb xauth
         poppler-utils systemd pkg-config libqpdf-dev qpdf libfontconfig-dev
         qt6-pdf-dev libxml2-utils default-jre-headless libsaxonhe-java desktop-file-utils appstream
         clang libclang-rt-14-dev)
manquants=()
for p in "${PAQUETS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
if [ ${#manquants[@]} -gt 0 ]; then
  echo "Installation des paquets manquants : ${manquants[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${manquants[@]}"
fi
