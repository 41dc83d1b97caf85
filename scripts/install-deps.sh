#!/usr/bin/env bash
# Installs every Debian 12 package Pennova needs to build, run and test.
# Idempotent and non-interactive; skips apt entirely when nothing is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache mold
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6svg6 qt6-svg-dev
  qt6-webengine-dev qt6-multimedia-dev libqt6opengl6-dev libgl-dev libvulkan-dev
  zlib1g-dev libjsoncpp-dev libicu-dev
  libhunspell-dev hunspell-en-us
  # wider word evidence for the spelling check: British dictionary, large word lists, medical terms
  hunspell-en-gb wamerican-huge wbritish-huge hunspell-en-med
  # what tools/closednames reads to rebuild the checker's list of place and calendar names
  hunspell iso-codes tzdata
  wordnet-base wordnet-dev
  espeak-ng lame python3-jieba
  libsqlite3-dev libsodium-dev
  # the shared database of several server processes, and a real one for its tests
  libpq-dev postgresql
  libcpp-httplib-dev libssl-dev
  libzip-dev
  qt6-translations-l10n
  # the desktop's secret store for a remembered password
  qtkeychain-qt6-dev libqt6keychain1
  # test fixtures of the document reader (LibreOffice stays optional: .doc tests skip without it)
  python3-docx
  iputils-ping iproute2
  # the deployment's load balancer (tests and bench run it unprivileged)
  nginx
  xvfb xauth fonts-wqy-microhei fonts-dejavu-core
  # Trying the windows by hand under Xvfb: pointer and keys, a window manager, a tray.
  xdotool openbox trayer
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
