#!/usr/bin/env bash
# Starts the real program under Xvfb, drives it as a user would with xdotool
# and writes one PNG per state into the folder given:
#   splash, compact, strip4, bullish, bearish, nomatch, strip5.
# Usage: scripts/screenshot.sh OUTDIR [QT_SCALE_FACTOR]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:?usage: scripts/screenshot.sh OUTDIR [SCALE]}")
scale=${2:-1}
mkdir -p "$out"

scripts/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target plovatrix >/dev/null

if [ -z "${PLOVATRIX_IN_XVFB:-}" ]; then
  export PLOVATRIX_IN_XVFB=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$out" "$scale"
fi

export QT_SCALE_FACTOR=$scale
build/plovatrix & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 2

s() { awk -v s="$scale" -v v="$1" 'BEGIN { printf "%d", v * s }'; }
shot() { sleep 0.7; import -window root "$out/$1.png"; }
# Crops a shot to the window at the top left corner.
crop() { convert "$out/$1.png" -crop "$(s "$2")x$(s "$3")+0+0" +repage "$out/$1.png"; }
click() { xdotool mousemove "$(s "$1")" "$(s "$2")" click 1; sleep 0.3; }
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 40 "$1"; }
closebox() { sleep 0.5; keys Return; }

splash=$(xdotool search --name '^$' 2>/dev/null | head -1 || true)
if xdotool search --classname plovatrix >/dev/null 2>&1 && [ -n "$splash" ]; then
  shot splash
  xdotool key --window "$splash" space || true
  sleep 1
fi
# The main window stands at the top left corner: there is no window manager.
shot compact; crop compact 171 158

click 80 44                       # 4 Points Pattern
shot strip4; crop strip4 954 158

click 294 42                      # A
typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2618; keys Tab; typed 5
keys Tab End                      # point size 0.0001
keys alt+a
shot bullish; crop bullish 954 630

click 294 42
typed 1.2000; keys Tab; typed 1.3000; keys Tab; typed 1.2618
keys alt+a
shot bearish; crop bearish 954 630

click 294 42
typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2388
keys alt+a
shot nomatch
closebox

click 80 84                       # 5 Points Pattern
shot strip5; crop strip5 954 158
echo "screenshots in $out"
