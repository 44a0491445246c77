#!/usr/bin/env bash
# What Orca says while a user works the program with real X input, under Xvfb
# with openbox and a D-Bus session of its own: a gold quote typed with its
# candle counts, the point size picked by the arrow keys, Alt+A, Tab alone
# through the window, then three clicks on the bullish stop spinner's up arrow.
# Orca's speech is read from its debug log, its "SPEECH OUTPUT" lines.
# Usage: scripts/orca-check.sh [log]   (the log is kept where given)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${PLOVATRIX_IN_XVFB:-}" ]; then
  scripts/bootstrap.sh a11y
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$(nproc)" --target plovatrix >/dev/null
  export PLOVATRIX_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$0" "$@" 2>/dev/null
fi

log=${1:-$(mktemp)}
prefs=$(mktemp -d)
marks=$prefs/marks
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$prefs"' EXIT
openbox >/dev/null 2>&1 & pids+=($!)
orca --replace --user-prefs "$prefs" --debug-file="$log" >/dev/null 2>&1 & pids+=($!)
sleep 5
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 build/plovatrix >/dev/null 2>&1 & pids+=($!)
sleep 3

xdo() { xdotool "$@"; sleep 1; }
# Clicks at a point of the main window, in its own pixels.
click() {
  local window
  window=$(xdotool search --onlyvisible --name '^Plovatrix$' | head -1)
  xdo mousemove --window "$window" "$1" "$2" click 1
}
# Orca writes its log at its own offset: the steps are noted beside it, timed alike.
mark() { echo "$(date +%H:%M:%S.%6N) - MARK: $*" >>"$marks"; }

xdo key space                   # past the splash
click 80 44                     # 4 Points Pattern
mark A
click 294 42                    # A
for t in 1950.5 1900.0 1931.2 5; do
  xdo type --delay 40 "$t"
  mark "Tab after $t"
  xdo key Tab
done
n=0
for k in Down Down Down Up Home; do # the point size, ending on 0.1
  n=$((n + 1))
  mark "list $n $k"
  xdo key "$k"
done
xdo key Tab Tab                 # past Analyze to the candle counts
for t in 10 8; do
  xdo type --delay 40 "$t"
  mark "Tab after $t"
  xdo key Tab
done
mark Analyze
xdo key alt+a
sleep 2
# Tab alone through the window: the counts, the panel, the stop, the strip.
for n in 1 2 3 4 5 6 7 8 9 10 11 12; do
  mark "tab $n"
  xdo key Tab
done
for n in 1 2 3; do              # the up arrow of ud1; the first click moves the focus there
  mark "click $n"
  click 824 518
  sleep 2
done
# Orca writes its log through a buffer that a stop loses: keys that change
# nothing push the last steps' lines out.
mark end
for _ in 1 2 3 4 5 6 7 8; do xdo key shift; done
kill "${pids[@]}" 2>/dev/null || true

speech=$(grep -a -h -e ' - MARK: ' -e ' - SPEECH OUTPUT: ' "$log" "$marks" | sort -s -k1,1 |
  sed -E 's/^[0-9:.]+ - //; s/^SPEECH OUTPUT: //; s/\{.*//')
echo "$speech"
fails=0
# Each text expected between a mark and the next.
expect() {
  if ! echo "$speech" | sed -n "/MARK: $1\$/,/MARK: /p" | grep -q -e "$2"; then
    echo "orca-check: no \"$2\" spoken after $1"
    fails=$((fails + 1))
  fi
}
expect 'list 2 Down' "'0\.01\.'"            # each pick as the list moves
expect 'list 4 Up' "'0\.01\.'"
expect 'list 5 Home' "'0\.1\.'"
expect 'Tab after 1950.5' "'0 selected\.'"  # a field read whole as it is entered
for step in 'tab 1:10' 'tab 2:8' 'tab 7:1950\.5' 'tab 8:1900\.0' 'tab 9:1931\.2' 'tab 10:5'; do
  expect "${step%%:*}" "'${step#*:} selected\.'"
done
expect Analyze 'stop loss 1880\.2, TP1 1911\.909, TP2 1923\.8364, CD 10 candles'
for heard in 'AB=CD at 1880\.7' 'TP1(0\.618CD) at 1911\.909' 'TP2(0\.618AD) at 1923\.8364' \
  'StopLoss at 1880\.2' 'AB Leg = 505' 'BC Leg = 312'; do
  expect 'tab 3' "$heard"                    # the result again, entering the panel
done
expect 'tab 4' "'5\.'"                       # the stop's box with its number
expect 'click 1' 'stop loss 1880\.1'
expect 'click 3' 'stop loss 1879\.9'
if [ "$fails" != 0 ]; then
  echo "orca-check: $fails problems"
  exit 1
fi
echo "orca-check: passed"
