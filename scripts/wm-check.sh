#!/usr/bin/env bash
# Runs the real program under the X11 window managers and the Wayland
# compositors a trader may have, each inside its own Xvfb, drives it as a user
# would and prints what it finds:
#   X11 (metacity, xfwm4, openbox, fluxbox, kwin_x11 with Breeze; 1024x768): in
#     the compact, strip and full sizes the size hints, whether the window
#     manager allows a resize and a maximize, the outer corner and size, and a
#     drag on the frame's bottom-right corner; then a maximize and a full
#     screen asked with wmctrl, and what is left of them 1.5 s later.
#   Wayland (weston's x11 backend 1024x768, five runs; mutter --nested, GNOME
#     Shell --nested, kwin_wayland --x11-display with its Breeze frame and
#     with none, 1366x768), Qt's wayland plugin: the window's corner and size
#     on the output, compact, as the strip and at gold's full size, whether
#     it lies wholly on the output and whether rows of a result panel show;
#     then a no match: where the box's OK button lies against the window, and
#     the window 3 s after OK, against the strip.
# Screenshots go to the folder given (default: shots/wm).
#   scripts/wm-check.sh [OUTDIR] [x11|wayland|all] [names...]
#   names: metacity xfwm4 openbox fluxbox kwin_x11 weston mutter gnome-shell kwin
set -uo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-shots/wm}")
what=${2:-all}
shift $(($# > 2 ? 2 : $#))
only=" ${*:-} "
mkdir -p "$out"

scripts/bootstrap.sh wm
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target plovatrix >/dev/null
bin=${PLOVATRIX_BIN:-$PWD/build/plovatrix} # another build to compare with

work=$(mktemp -d)
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" -m 700 "$XDG_RUNTIME_DIR"
pids=()
topbar=0
# Each started in a session of its own, ended with all it started (D-Bus).
stop_all() {
  local p
  for p in "${pids[@]}"; do kill -- "-$p" 2>/dev/null; done
  sleep 0.5
  for p in "${pids[@]}"; do kill -9 -- "-$p" 2>/dev/null; done
  pids=()
}
trap 'stop_all; rm -rf "$work"' EXIT
bg() {
  setsid "$@" >>"$work/log" 2>&1 &
  pids+=($!)
  disown
}

# An Xvfb of its own on a free display.
xvfb() {
  local n=150
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
  export DISPLAY=:$n
  bg Xvfb "$DISPLAY" -screen 0 "${1}x24" -nolisten tcp
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

win() { xdotool search --onlyvisible --name '^Plovatrix$' 2>/dev/null | head -1; }
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 40 "$1"; sleep 0.2; }

# ---- X11 ---------------------------------------------------------------------

# The frame's corner and size: the client's, widened by the frame extents.
outer() {
  local w=$1 x y cw ch l r t b
  read -r x y cw ch < <(xwininfo -id "$w" | awk '/Absolute upper-left/ { v = v $4 " " }
    /Width:|Height:/ { v = v $2 " " } END { print v }')
  read -r l r t b < <(xprop -id "$w" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$((x - ${l:-0})) $((y - ${t:-0})) $((cw + ${l:-0} + ${r:-0})) $((ch + ${t:-0} + ${b:-0}))"
}
geom() { local g; read -r -a g < <(outer "$1"); echo "corner ${g[0]},${g[1]} outer ${g[2]}x${g[3]}"; }
hints() {
  xprop -id "$1" WM_NORMAL_HINTS | awk '/minimum size/ { mn = $(NF-2) "x" $NF }
    /maximum size/ { mx = $(NF-2) "x" $NF }
    END { printf "min %s max %s", mn ? mn : "-", mx ? mx : "-" }'
}
actions() {
  xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | tr -d ',' | awk '{
    for (i = 3; i <= NF; i++) {
      if ($i == "_NET_WM_ACTION_RESIZE") rs = 1
      if ($i ~ /_NET_WM_ACTION_MAXIMIZE/) mx = 1
      if ($i == "_NET_WM_ACTION_FULLSCREEN") fs = 1
    }
    printf "resize %s, maximize %s, fullscreen %s", rs ? "yes" : "no", mx ? "yes" : "no", fs ? "yes" : "no"
  }'
}
state() { local s; s=$(xprop -id "$1" _NET_WM_STATE | sed "s/.*= //; s/_NET_WM_STATE_//g; s/.*not found.*//"); echo "${s:-none}"; }

# Presses 3 px inside the frame's bottom-right corner (or, with `out`, 3 px
# outside it, where a window manager keeps its resize border invisible) and
# drags it by dx,dy.
drag() {
  local w=$1 dx=$2 dy=$3 g x y i
  read -r -a g < <(outer "$w")
  x=$((g[0] + g[2] - 3)) y=$((g[1] + g[3] - 3))
  [ "${4:-}" = out ] && x=$((x + 6)) y=$((y + 6))
  xdotool mousemove "$x" "$y"; sleep 0.3
  xdotool mousedown 1; sleep 0.2
  for i in 1 2 3 4; do
    xdotool mousemove $((x + dx * i / 4)) $((y + dy * i / 4)); sleep 0.15
  done
  xdotool mouseup 1; sleep 0.6
}
# Clicks at a point of the main window's client area.
click() { xdotool mousemove --window "$(win)" "$1" "$2" click 1; sleep 0.4; }

report() {
  local w=$1 name=$2 before after where
  before=$(geom "$w")
  echo "  $name: $before; hints $(hints "$w"); allowed $(actions "$w")"
  drag "$w" 40 30
  after=$(geom "$w") where=inside
  if [ "$after" = "$before" ]; then
    drag "$w" 40 30 out
    after=$(geom "$w") where=outside
  fi
  echo "    drag +40,+30 on the corner (3 px $where): ${after}$([ "$after" = "$before" ] && echo ' (unchanged)')"
}

x11() {
  local wm=$1 w
  echo "== $wm (X11, Xvfb 1024x768)"
  xvfb 1024x768 || return
  case $wm in
    metacity) bg metacity ;;
    xfwm4) bg dbus-run-session -- xfwm4 --compositor=off ;; # its settings come over D-Bus
    kwin_x11) bg dbus-run-session -- kwin_x11; sleep 2.5 ;; # with its Breeze frame
    *) bg "$wm" ;;
  esac
  sleep 1.5
  bg "$bin"
  sleep 2
  keys space # the splash hands over
  sleep 1
  w=$(win)
  [ -n "$w" ] || { echo "  no main window"; stop_all; return; }
  report "$w" compact
  click 80 44 # 4 Points Pattern
  report "$w" strip
  click 294 42 # A
  typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2618; keys Tab; typed 5
  keys Tab End # point size 0.0001
  keys alt+a
  report "$w" full
  keys alt+a # the designed size again
  echo "  Analyze again: $(geom "$w")"
  for ask in maximized_vert,maximized_horz fullscreen; do
    wmctrl -i -r "$w" -b add,$ask
    sleep 1.5
    echo "  wmctrl add,$ask, 1.5 s later: $(geom "$w"); state: $(state "$w")"
  done
  if [ "$wm" = openbox ]; then
    # No match, OK, then the border dragged down to the full height.
    click 294 42
    typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2388
    keys alt+a
    sleep 0.5
    import -window root "$out/x11-$wm-nomatch-box.png"
    keys Return
    drag "$w" 0 472
    echo "  no match, then the border dragged: $(geom "$w")"
    import -window root "$out/x11-$wm-nomatch-dragged.png"
  fi
  import -window root "$out/x11-$wm-end.png"
  stop_all
}

# ---- Wayland -----------------------------------------------------------------

# Where the window lies on the output, "x y w h": the box of the pixels that
# differ from a capture of the output taken before the program started (the
# compositor's window is at the top left of the X screen). The pointer stays
# parked at the output's bottom-right corner; weston draws its own, at the top
# left until it moves: both corners are left out, and so is a top bar of
# `topbar` rows (GNOME Shell's clock). The border is drawn with the compose
# method back at over: ImageMagick 7 (Debian 13) draws it with the one in
# force, and the box was then the output.
seen() {
  local png=$1 ow=$2 oh=$3
  convert "$work/empty.png" "$png" -compose difference -composite -compose over -threshold 10% \
    -fill black -draw 'rectangle 0,0 15,23' -draw "rectangle $((ow - 24)),$((oh - 24)) $ow,$oh" \
    -draw "rectangle 0,0 $ow,$((topbar - 1))" \
    -bordercolor black -border 1 -trim -format '%X %Y %w %h' info: |
    awk '{ sub(/^\+/, "", $1); sub(/^\+/, "", $2); print $1 - 1, $2 - 1, $3, $4 }'
}
# Rows of that box more than half pure black: a result panel in view.
panelrows() {
  local png=$1 x=$2 y=$3 w=$4 h=$5
  convert "$png" -crop "${w}x${h}+${x}+${y}" +repage -fill white +opaque black \
    -colorspace gray -scale "1x${h}!" -depth 8 txt:- |
    awk -F'[(,)]' 'NR > 1 && $3 + 0 < 128 { n++ } END { print n + 0 }'
}
# Captures the output and says where the window lies, in `at`, its box in `g`.
# Wholly on the output: the box has the window's whole outer size `want`, or,
# where the compositor draws a frame of its own (`want` -), touches no edge.
g=() at=
onoutput() {
  local ow=$1 oh=$2 png=$3 want=$4 whole
  import -window root -crop "${ow}x${oh}+0+0" +repage "$png"
  read -r -a g < <(seen "$png" "$ow" "$oh")
  if [ "$want" = - ]; then
    [ "${g[0]}" -gt 0 ] && [ "${g[1]}" -gt "$topbar" ] && [ $((g[0] + g[2])) -lt "$ow" ] &&
      [ $((g[1] + g[3])) -lt "$oh" ] && whole=1
    want=
  else
    [ "${g[2]}x${g[3]}" = "$want" ] && whole=1
    want=" of $want"
  fi
  at="corner ${g[0]},${g[1]}, ${g[2]}x${g[3]}$want seen on ${ow}x${oh}:"
  at+=" $([ -n "${whole:-}" ] && echo 'wholly on the output' || echo 'NOT wholly on the output')"
}

# Drives the program by the keyboard: the compact size, the 4-point strip,
# gold's match, then a no match and OK. `wants` are the outer sizes, or - where
# the compositor draws the frame; with `overview`, the user leaves GNOME
# Shell's overview first.
wayland_run() {
  local name=$1 ow=$2 oh=$3 frame=$5 mode=${6:-} strip full=() ok=() mid
  export WAYLAND_DISPLAY=$4
  local compact_want=171x158 strip_want=954x158 full_want=954x630
  [ "$frame" = own ] && compact_want=- strip_want=- full_want=-
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
  sleep 1
  # The keys go where the pointer is: into the compositor's window, at the
  # corner where the background is sampled.
  xdotool mousemove $((ow - 1)) $((oh - 1))
  if [ "$mode" = overview ]; then keys Escape; sleep 1; fi
  # The empty output, once the compositor has drawn it: two captures alike.
  import -window root -crop "${ow}x${oh}+0+0" +repage "$work/empty.png"
  for _ in $(seq 40); do
    sleep 0.5
    import -window root -crop "${ow}x${oh}+0+0" +repage "$work/again.png"
    [ "$(compare -metric AE "$work/empty.png" "$work/again.png" null: 2>&1)" = 0 ] &&
      [ "$(identify -format %k "$work/again.png")" -gt 2 ] && break
    mv "$work/again.png" "$work/empty.png"
  done
  bg env QT_QPA_PLATFORM=wayland "$bin"
  sleep 2.5
  keys space # the splash hands over
  sleep 1.5
  onoutput "$ow" "$oh" "$out/$name-compact.png" $compact_want
  echo "  compact: $at; panel rows in view: $(panelrows "$out/$name-compact.png" "${g[@]}")"
  keys space # 4 Points Pattern has the focus
  sleep 0.8
  onoutput "$ow" "$oh" "$out/$name-strip.png" $strip_want
  echo "  strip:   $at; panel rows in view: $(panelrows "$out/$name-strip.png" "${g[@]}")"
  strip="${g[*]}"
  keys Tab Tab
  typed 1950.5; keys Tab; typed 1900.0; keys Tab; typed 1931.2; keys Tab; typed 5
  keys Tab Home # point size 0.1
  keys alt+a
  sleep 1
  onoutput "$ow" "$oh" "$out/$name-full.png" $full_want
  echo "  full:    $at"
  full=("${g[@]}")
  # No match: back from Analyze to A, the prices, point size 0.0001.
  keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
  typed 1.3000; keys Tab; typed 1.2000; keys Tab; typed 1.2388; keys Tab; typed 5
  keys Tab End
  keys alt+a
  sleep 1.5
  # The box's OK button: what a held Space changes (released, it closes the box).
  import -window root -crop "${ow}x${oh}+0+0" +repage "$out/$name-nomatch-box.png"
  xdotool keydown space; sleep 0.4
  import -window root -crop "${ow}x${oh}+0+0" +repage "$work/pressed.png"
  xdotool keyup space
  read -r -a ok < <(convert "$out/$name-nomatch-box.png" "$work/pressed.png" -compose difference \
    -composite -compose over -threshold 10% -bordercolor black -border 1 -trim -format '%X %Y %w %h' info: |
    awk '{ sub(/^\+/, "", $1); sub(/^\+/, "", $2); print $1 - 1, $2 - 1, $3, $4 }')
  mid=$((full[0] + full[2] / 2))
  echo "  the box: its OK button's middle at $((ok[0] + ok[2] / 2)),$((ok[1] + ok[3] / 2))," \
    "$((ok[0] + ok[2] / 2 - mid)) px right of the window's middle; the window ${full[0]}..$((full[0] + full[2])) x ${full[1]}..$((full[1] + full[3]))"
  sleep 3
  onoutput "$ow" "$oh" "$out/$name-nomatch.png" $strip_want
  echo "  3 s after OK: $at; panel rows in view: $(panelrows "$out/$name-nomatch.png" "${g[@]}");" \
    "$([ "${g[*]}" = "$strip" ] && echo 'as the strip' || echo 'NOT as the strip')"
}

weston_check() {
  local run
  mkdir -p "$work/weston"
  printf '[shell]\npanel-position=none\nbackground-color=0xff305070\n' >"$work/weston/weston.ini"
  for run in $(seq "${WESTON_RUNS:-5}"); do
    echo "== weston, x11 backend, 1024x768 output, run $run"
    xvfb 1024x768 || return
    bg weston --backend=x11-backend.so --width=1024 --height=768 --socket=wl-weston \
      --config="$work/weston/weston.ini"
    sleep 2
    wayland_run "weston-$run" 1024 768 wl-weston qt
    stop_all
  done
}

mutter_check() {
  echo "== mutter --nested --wayland, 1366x768"
  xvfb 1366x768 || return
  bg env MUTTER_DEBUG_DUMMY_MODE_SPECS=1366x768 dbus-run-session -- \
    mutter --nested --wayland --no-x11 --wayland-display=wl-mutter
  sleep 3
  wayland_run mutter 1366 768 wl-mutter qt
  stop_all
}

gnome_check() {
  echo "== gnome-shell --nested --wayland, 1366x768"
  xvfb 1366x768 || return
  # GNOME Shell asks the system bus for logind: a private bus stands in.
  bg bash -c 'eval "$(dbus-launch --sh-syntax)"; echo "$DBUS_SESSION_BUS_PID" >"$0"
    export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
    unset DBUS_SESSION_BUS_ADDRESS DBUS_SESSION_BUS_PID
    exec env MUTTER_DEBUG_DUMMY_MODE_SPECS=1366x768 LIBGL_ALWAYS_SOFTWARE=1 dbus-run-session -- \
      gnome-shell --nested --wayland --no-x11 --wayland-display=wl-gnome' "$work/systembus.pid"
  sleep 8
  topbar=32 wayland_run gnome 1366 768 wl-gnome qt overview
  stop_all
  kill "$(cat "$work/systembus.pid" 2>/dev/null)" 2>/dev/null
}

# With its Breeze frame, or with none (Qt then draws its own).
kwin_check() {
  local kwin=kwin_wayland frame=$1
  echo "== kwin_wayland --x11-display, 1366x768, $([ "$frame" = own ] && echo 'Breeze frame' || echo 'no frame plugin')"
  # A binary with file capabilities refuses to run where it cannot get them.
  if ! /usr/bin/kwin_wayland --help >/dev/null 2>&1; then
    cp /usr/bin/kwin_wayland "$work/kwin_wayland" && kwin=$work/kwin_wayland
  fi
  mkdir -p "$HOME/.config"
  if [ "$frame" = qt ]; then
    printf '[org.kde.kdecoration2]\nNoPlugin=true\n' >"$HOME/.config/kwinrc"
  else
    rm -f "$HOME/.config/kwinrc"
  fi
  xvfb 1366x768 || return
  bg dbus-run-session -- "$kwin" --x11-display "$DISPLAY" --width 1366 --height 768 \
    --socket wl-kwin
  sleep 4
  wayland_run "kwin-$frame" 1366 768 wl-kwin "$frame"
  stop_all
}

want() { [ "$only" = "  " ] || [[ "$only" == *" $1 "* ]]; }
if [ "$what" != wayland ]; then
  for wm in metacity xfwm4 openbox fluxbox kwin_x11; do want "$wm" && x11 "$wm"; done
fi
if [ "$what" != x11 ]; then
  want weston && weston_check
  want mutter && mutter_check
  want gnome-shell && gnome_check
  want kwin && kwin_check own
  want kwin && kwin_check qt
fi
echo "screenshots in $out"
