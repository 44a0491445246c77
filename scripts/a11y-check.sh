#!/usr/bin/env bash
# Reads the real program as a screen reader does, through AT-SPI, under Xvfb
# with openbox and a D-Bus session of its own: names, values, what is showing
# and the events after Analyze, in each state (scripts/a11y-check.py).
# Usage: scripts/a11y-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${PLOVATRIX_IN_XVFB:-}" ]; then
  scripts/bootstrap.sh a11y
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$(nproc)" --target plovatrix >/dev/null
  export PLOVATRIX_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$0" 2> >(
    grep -v -e 'Failed to set fd limit' -e 'ctivat' -e 'SpiRegistry' -e XDG_RUNTIME_DIR >&2)
fi

openbox >/dev/null 2>&1 & wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 /usr/bin/python3 scripts/a11y-check.py build/plovatrix
