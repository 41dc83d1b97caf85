#!/usr/bin/env bash
# Installs the Debian packages of build/packages/ into a clean Debian 12 root made with
# debootstrap, starts the server there as its service would, checks an essay with
# pennova-cli and takes a screenshot of the client under Xvfb (build/packages/client.png).
# Needs root (debootstrap, chroot). Run scripts/package.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
packages=$(realpath "$BUILD_DIR/packages")
ls "$packages"/pennova_*.deb "$packages"/pennova-server_*.deb >/dev/null

for p in debootstrap; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
    || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
done

# The chroot shares this machine's network: another server on the service's port would
# answer in place of the installed one.
if (exec 3<>/dev/tcp/127.0.0.1/18640) 2>/dev/null; then
  echo "test-package: 127.0.0.1:18640 is in use; stop the server listening there first" >&2
  exit 1
fi

root=$(mktemp -d /tmp/pennova-root.XXXXXX)
chmod 0755 "$root" # the chroot's /: readable by the service user
cleanup() {
  for m in proc sys dev/pts dev; do umount -l "$root/$m" 2>/dev/null || true; done
  rm -rf "$root"
}
trap cleanup EXIT

echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >/dev/null
mount -t proc proc "$root/proc"
mount --rbind /sys "$root/sys"
mount --rbind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$packages"/*.deb "$root/tmp/"
# No systemd runs in the chroot: the maintainer scripts make the user and folder, and
# the server is started below with the unit's command line.
printf '#!/bin/sh\nexit 101\n' > "$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"

echo "== apt install ./pennova_*.deb ./pennova-server_*.deb"
chroot "$root" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  /tmp/pennova_*.deb /tmp/pennova-server_*.deb xvfb xauth x11-apps imagemagick curl >/dev/null'
chroot "$root" dpkg -l pennova pennova-server | tail -2
chroot "$root" stat -c '%U %a %n' /var/lib/pennova-server

echo "== the service's command line, as the pennova user"
chroot "$root" sh -c 'cd / && setpriv --reuid=pennova --regid=pennova --init-groups \
  pennova-server --listen 127.0.0.1:18640 --data /var/lib/pennova-server >/tmp/server.log 2>&1 &'
for _ in $(seq 1 120); do
  chroot "$root" curl -sf http://127.0.0.1:18640/ >/dev/null 2>&1 && break
  sleep 1
done
chroot "$root" setpriv --reuid=pennova --regid=pennova --init-groups \
  pennova-server --data /var/lib/pennova-server user add pupil01 pupil@school.example pupil123456

echo "== pennova-cli check"
printf 'I has a apple. She go to school yesterday.\n' > "$root/tmp/essay.txt"
chroot "$root" pennova-cli check --user pupil01 --password pupil123456 /tmp/essay.txt

echo "== the client under Xvfb"
chroot "$root" sh -c 'export QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1; \
  Xvfb :77 -screen 0 1280x900x24 >/dev/null 2>&1 & x=$!; sleep 2; \
  DISPLAY=:77 Pennova >/tmp/client.log 2>&1 & c=$!; sleep 12; \
  DISPLAY=:77 import -window root /tmp/client.png; kill $c $x 2>/dev/null; true'
cp "$root/tmp/client.png" "$packages/client.png"
echo "screenshot: $packages/client.png"
pkill -f "pennova-server --listen 127.0.0.1:18640 --data /var/lib/pennova-server" || true
