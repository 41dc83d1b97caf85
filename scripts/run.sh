#!/usr/bin/env bash
# Installs what is missing, builds, starts the local services and then Pennova.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BIN=${BUILD_DIR:-build}/bin

if [ -x "$BIN/pennova-server" ] && [ -z "${PENNOVA_HOST:-}" ]; then
  bash scripts/start-server.sh
fi
exec "$BIN/Pennova"
