#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, on
# Debian 12 or 13 (every name below is the same on both). Quiet and quick when
# everything is already there; apt-get only when not.
#   scripts/bootstrap.sh          the build, the tests and the tools they use
#   scripts/bootstrap.sh cross    also the ARM cross compilers and qemu-user
#                                 that scripts/cross-check.sh uses
#   scripts/bootstrap.sh a11y     also the AT-SPI stack that scripts/a11y-check.sh
#                                 reads the program through, and the Orca that
#                                 scripts/orca-check.sh listens to
#   scripts/bootstrap.sh wm       also the window managers, compositors (KWin
#                                 with its Breeze frames, as KDE has it) and
#                                 Qt's Wayland plugin that scripts/wm-check.sh runs
#   scripts/bootstrap.sh debian13 also debootstrap, which makes the Debian 13
#                                 root of scripts/debian13-check.sh
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config dpkg-dev file
  qt6-base-dev qt6-base-private-dev libgl-dev libwayland-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-comic-neue
  desktop-file-utils appstream librsvg2-bin lintian man-db
  clang
  xvfb xauth xdotool x11-utils openbox imagemagick
)
case "${1:-}" in
  '') ;;
  cross) packages+=(g++-arm-linux-gnueabihf g++-aarch64-linux-gnu qemu-user) ;;
  a11y) packages+=(at-spi2-core python3-pyatspi dbus orca) ;;
  wm) packages+=(metacity xfwm4 fluxbox wmctrl weston mutter kwin-wayland kwin-style-breeze qt6-wayland dbus gnome-shell kwin-x11 adwaita-qt6 dbus-x11) ;;
  debian13) packages+=(debootstrap) ;;
  *) echo "usage: $0 [cross|a11y|wm|debian13]" >&2; exit 2 ;;
esac

updated=0
# Installs those of the packages named that are not installed yet.
ensure() {
  local missing=() p status
  for p in "$@"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "bootstrap: missing packages (${missing[*]}) and neither root nor sudo" >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "bootstrap: installing ${missing[*]}" >&2
  # Another install may hold the package database for a while: wait for it.
  local wait=(-o DPkg::Lock::Timeout=600)
  if [ "$updated" = 0 ]; then
    "${sudo[@]}" apt-get "${wait[@]}" update -qq
    updated=1
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get "${wait[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

ensure "${packages[@]}"
# The sanitizer and libFuzzer runtimes of the clang just installed, whichever
# major version the distribution's clang is.
ensure "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
