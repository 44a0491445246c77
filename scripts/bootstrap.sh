#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running need.
# Quiet and quick when everything is already there; apt-get only when not.
#   scripts/bootstrap.sh          the build, the tests and the tools they use
#   scripts/bootstrap.sh a11y     also the AT-SPI stack that scripts/a11y-check.sh
#                                 reads the program through
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config dpkg-dev file
  qt6-base-dev libgl-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-comic-neue
  desktop-file-utils appstream librsvg2-bin lintian man-db
  clang libclang-rt-14-dev
  xvfb xauth xdotool openbox imagemagick
)
case "${1:-}" in
  '') ;;
  a11y) packages+=(at-spi2-core python3-pyatspi dbus) ;;
  *) echo "usage: $0 [a11y]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "bootstrap: missing packages (${missing[*]}) and neither root nor sudo" >&2
  exit 1
fi

echo "bootstrap: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
