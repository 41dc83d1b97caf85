#!/usr/bin/env bash
# Builds the Debian packages pennova and pennova-server into build/packages/ and checks
# them with lintian, desktop-file-validate and appstreamcli.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}

bash scripts/install-deps.sh
# The packaging checkers are only needed here.
checkers=(lintian desktop-file-utils appstream dpkg-dev)
missing=()
for p in "${checkers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

bash scripts/build.sh
out="$BUILD_DIR/packages"
rm -rf "$out"
mkdir -p "$out"
(cd "$BUILD_DIR" && cpack -G DEB -D CPACK_STRIP_FILES=ON -B "$PWD/packages" >/dev/null)
rm -rf "$out/_CPack_Packages"
ls -l "$out"/*.deb

echo "== desktop-file-validate"
desktop-file-validate deploy/desktop/org.pennova.Pennova.desktop && echo ok
echo "== appstreamcli validate"
appstreamcli validate --no-net --pedantic deploy/desktop/org.pennova.Pennova.metainfo.xml || true
appstreamcli validate --no-net deploy/desktop/org.pennova.Pennova.metainfo.xml
echo "== lintian"
# Errors fail the script; warnings are printed for the reader.
lintian --fail-on error "$out"/*.deb
