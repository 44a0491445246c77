#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless. Warnings are
# errors here (PLOVATRIX_WERROR), not in a packager's build.
#   scripts/test.sh              Release build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

"scripts/bootstrap.sh"

if [ "$sanitize" = 1 ]; then
  build=build-sanitize
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLOVATRIX_WERROR=ON \
    -DPLOVATRIX_SANITIZE=ON -DPLOVATRIX_BENCH=OFF >/dev/null
  # Any report fails the test that caused it. Leaks are checked; only those
  # allocated wholly inside the system libraries below us are suppressed.
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/sanitize/lsan.supp:print_suppressions=0"
else
  build=build
  # The benchmarks are built, not run, so that they keep compiling.
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOVATRIX_WERROR=ON \
    -DPLOVATRIX_BENCH=ON >/dev/null
fi
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
