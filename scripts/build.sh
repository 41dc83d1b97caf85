#!/usr/bin/env bash
# Configures and builds everything into build/ (programs in build/bin). Arguments go to
# CMake's configuration, e.g. -DPENNOVA_RELEASE_PUBLIC_KEY="$(cat release.key.pub)".
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ ! -f "$BUILD_DIR/build.ninja" ] || [ $# -gt 0 ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$BUILD_DIR" -j "$(nproc)"
