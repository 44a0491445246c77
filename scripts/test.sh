#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

"scripts/bootstrap.sh"

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
