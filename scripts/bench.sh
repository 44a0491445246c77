#!/usr/bin/env bash
# Builds Release and runs the three benchmarks: the display step per click,
# start-up (the splash painted against a bare Qt window's first paint, the
# hand-over from a key to the main window painted, peak memory), and Analyze
# latency on the real window. --runs N start-ups of each program (300 by
# default: start-up times fall in two clusters some 6 ms apart on this kind of
# machine, and with 100 runs the median ratio moves by up to 0.1 from run to run).
# Prints each benchmark's own output, then one table of figure, target, verdict.
# A missed target is reported, not failed: these are measurements, not tests.
#   scripts/bench.sh [--runs N] [--clicks N]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=300
clicks=1000
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --clicks) clicks="$2"; shift 2 ;;
    *) echo "usage: scripts/bench.sh [--runs N] [--clicks N]" >&2; exit 1 ;;
  esac
done

"scripts/bootstrap.sh"

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLOVATRIX_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target analysis_bench startup_bench startup_bench_app \
  startup_bare_app analyze_latency_bench

# Offscreen unless the caller chose a platform; both start-up programs share it.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
figures="$work/figures"
# Qt complains about a missing runtime directory when none is set; give it one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

load_before=$(cut -d' ' -f1-3 /proc/loadavg)

run() {
  echo
  echo "== $*"
  "$@" | tee -a "$figures" | grep -v '^FIGURE|'
}
run "$build/bench/analysis_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
run "$build/bench/startup_bench" --runs "$runs"
run "$build/bench/analyze_latency_bench" --clicks "$clicks"
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

echo
echo "== Plovatrix benchmarks: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "   load average before $load_before, after $load_after; platform $QT_QPA_PLATFORM"
grep '^FIGURE|' "$figures" | awk -F'|' '
  BEGIN { printf "%-46s %-44s %-17s %s\n", "figure", "measured", "target", "verdict" }
  { printf "%-46s %-44s %-17s %s\n", $2, $3, $4, $5 }'
