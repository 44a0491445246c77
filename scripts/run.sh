#!/usr/bin/env bash
# Installs what is missing, builds a Release into build/ and starts Plovatrix.
set -euo pipefail
cd "$(dirname "$0")/.."

"scripts/bootstrap.sh"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target plovatrix
exec build/plovatrix "$@"
