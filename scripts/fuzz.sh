#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 30). Fails on the first crash or broken invariant; the
# input that caused it is left in build-fuzz/artifacts/.
#   scripts/fuzz.sh 30          the CI smoke
#   scripts/fuzz.sh 3600        a long run; new inputs collect in build-fuzz/corpus/
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
case "$seconds" in
  '' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

"scripts/bootstrap.sh"

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPLOVATRIX_FUZZ=ON -DPLOVATRIX_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_display

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
mkdir -p "$build/artifacts"
for target in display; do
  # The committed seeds stay as they are; what the run finds grows a copy.
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "fuzz: $target for ${seconds}s"
  if ! "$build/fuzz/fuzz_$target" "$corpus" "fuzz/corpus/$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/artifacts/${target}-" -print_final_stats=1 \
      >"$build/fuzz_$target.log" 2>&1; then
    tail -n 40 "$build/fuzz_$target.log" >&2
    echo "fuzz: $target FAILED; input in $build/artifacts/" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/fuzz_$target.log" || true
done
echo "fuzz: all targets ran ${seconds}s without a fault"
