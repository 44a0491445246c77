#!/usr/bin/env bash
# Starts the real program under Xvfb, drives it as a user would with xdotool
# and writes one PNG per state into the folder given:
#   splash, compact, strip4, bullish, bearish, nomatch, strip5;
# for each state of the main window it prints the window's outer corner and
# size (the corner stays put as the window grows).
# Usage: scripts/screenshot.sh OUTDIR [QT_SCALE_FACTOR] [SCREEN, default 1280x800]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:?usage: scripts/screenshot.sh OUTDIR [SCALE] [WxH]}")
scale=${2:-1}
size=${3:-1280x800}
mkdir -p "$out"

scripts/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target plovatrix >/dev/null

if [ -z "${PLOVATRIX_IN_XVFB:-}" ]; then
  export PLOVATRIX_IN_XVFB=1
  screen=$(awk -v s="$scale" -v wh="$size" 'BEGIN { split(wh, d, "x"); printf "%dx%dx24", d[1] * s, d[2] * s }')
  exec xvfb-run -a -s "-screen 0 $screen" "$0" "$out" "$scale" "$size"
fi

export QT_SCALE_FACTOR=$scale
# A window manager, so that the windows have the frames a desktop gives them.
openbox >/dev/null 2>&1 & wm=$!
sleep 1
build/plovatrix & pid=$!
trap 'kill $pid $wm 2>/dev/null || true' EXIT
sleep 2

s() { awk -v s="$scale" -v v="$1" 'BEGIN { printf "%d", v * s }'; }
win() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
# The frame's corner and size: the client's, widened by the frame extents.
place() {
  local w x y cw ch l r t b
  w=$(win '^Plovatrix$')
  read -r x y cw ch < <(xwininfo -id "$w" | awk '/Absolute upper-left/ { v = v $4 " " }
    /Width:|Height:/ { v = v $2 " " } END { print v }')
  read -r l r t b < <(xprop -id "$w" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$1: corner $((x - l)),$((y - t)) outer $((cw + l + r))x$((ch + t + b))"
}
shot() { sleep 0.7; import -frame -window "$(win "${2:-^Plovatrix$}")" "$out/$1.png"; place "$1"; }
# Clicks at a point of the main window's client area, in logical pixels.
click() { xdotool mousemove --window "$(win '^Plovatrix$')" "$(s "$1")" "$(s "$2")" click 1; sleep 0.3; }
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 40 "$1"; }

# The splash opens first, centred, with the focus; a key hands over.
import -window root "$out/splash.png"
xdotool key space
sleep 1
shot compact

click 80 44                       # 4 Points Pattern
shot strip4

click 294 42                      # A
typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2618; keys Tab; typed 5
keys Tab End                      # point size 0.0001
keys alt+a
shot bullish

click 294 42
typed 1.2000; keys Tab; typed 1.3000; keys Tab; typed 1.2618
keys alt+a
shot bearish

click 294 42
typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2388
keys alt+a
sleep 0.7; import -window root "$out/nomatch.png"
keys Return

click 80 84                       # 5 Points Pattern
shot strip5
echo "screenshots in $out"
