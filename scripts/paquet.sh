#!/usr/bin/env bash
# Builds the Debian package kyrfact_<version>_<arch>.deb (CPack) and checks it:
# lintian without error, the install that apt would make. Usage:
#   bash scripts/paquet.sh            # the package in build/
#   bash scripts/paquet.sh --installe # and installs it on this machine
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
# Tools for the package only: dpkg-shlibdeps (the libraries' packages) and lintian.
for p in dpkg-dev lintian; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$p"
done

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kyrfact
bash scripts/verifie_installation.sh build
rm -f build/kyrfact_*.deb
(cd build && cpack -G DEB >/dev/null)
paquet=$(ls build/kyrfact_*.deb)
echo "Paquet : $paquet"
dpkg-deb --field "$paquet" Package Version Depends Recommends

# lintian reports errors with "E:"; warnings are shown but do not fail.
rapport=$(lintian --pedantic "$paquet" 2>&1 | grep -v 'running with root privileges' || true)
[ -n "$rapport" ] && echo "$rapport"
if grep -q '^E:' <<<"$rapport"; then
  echo "lintian : erreurs dans le paquet"
  exit 1
fi
echo "lintian : aucune erreur"

echo "Ce qu'apt installerait :"
$SUDO apt-get install --simulate "./$paquet" | grep -E '^(Inst|Conf) ' || true
if [ "${1:-}" = "--installe" ]; then
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "./$paquet"
fi
