#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
BUILD_DIR=${BUILD_DIR:-build}
cd "$BUILD_DIR"
# Many tests wait on servers and child processes, so twice the cores keeps them busy.
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(( $(nproc) * 2 ))"
