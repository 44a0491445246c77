#!/usr/bin/env bash
# scripts/debian13-check.sh --clean deletes its Debian 13 root and nothing
# else: not through a folder bound into the root (as /dev and /proc are during
# a run), not through a link, not outside its cache folder. Each case runs in a
# mount namespace of its own, so no mount it makes outlives it. Needs root.
# Usage: debian13_clean_test.sh SOURCE_DIR
set -euo pipefail
script=$1/scripts/debian13-check.sh
[ "$(id -u)" = 0 ] || { echo "SKIP: needs root"; exit 77; }
unshare --mount --propagation private true 2>/dev/null || { echo "SKIP: no mount namespace"; exit 77; }
[ -r /proc/self/mountinfo ] || { echo "SKIP: no /proc"; exit 77; }

# The caches under /var/cache; what must survive outside it.
mkdir -p /var/cache
base=$(mktemp -d /var/cache/plovatrix-clean-test.XXXXXX)
elsewhere=$(mktemp -d)
trap 'rm -rf --one-file-system "$base" "$elsewhere"' EXIT
failed=0

# One case: CACHE (evaluated, with $outside the case's folder outside /var/cache)
# is the cache folder handed to the script; SETUP, run in the case's namespace
# with $cache, $root and $outside set, makes what is there; WANT is pass or
# refuse. After the script every file named sentinel outside must still be
# there, and nothing be mounted below the cache.
check() {
  local name=$1 want=$3 setup=$4 got cache
  local outside=$elsewhere/$RANDOM$RANDOM
  mkdir -p "$outside/pts"
  echo keep >"$outside/sentinel"
  cache=$(eval "echo \"$2\"")
  got=$(unshare --mount --propagation private bash -euc '
    cache=$1 root=$1/root outside=$2 script=$3
    eval "$4"
    kept=$(find "$outside" -name sentinel | wc -l)
    if PLOVATRIX_DEBIAN13_CACHE=$cache bash "$script" --clean >/dev/null 2>&1; then r=pass; else r=refuse; fi
    [ "$(find "$outside" -name sentinel | wc -l)" = "$kept" ] || r="$r, deleted outside"
    [ -z "$(awk -v p="${cache%/}/" "index(\$5, p) == 1" /proc/self/mountinfo)" ] || r="$r, left mounted"
    [ "$r" != pass ] || [ ! -e "$root" ] || r="$r, root still there"
    echo "$r"' bash "$cache" "$outside" "$script" "$setup") || got="setup failed"
  if [ "$got" = "$want" ]; then
    echo "ok: $name"
  else
    echo "FAIL: $name: want $want, got $got"
    failed=1
  fi
}

# The folders bound during a run, and what a run cut short leaves.
check "bound folders (dev, dev/pts, proc) unmounted, not emptied" '$base/1' pass '
  mkdir -p "$root/dev" "$root/proc" "$root/work"
  mount --bind "$outside" "$root/dev"; mount --bind "$outside/pts" "$root/dev/pts"
  mount --bind "$outside" "$root/proc"'
check "a folder bound twice on one point" '$base/2' pass '
  mkdir -p "$root/dev"; mount --bind "$outside" "$root/dev"; mount --bind "$outside" "$root/dev"'
check "a half made root beside a made one" '$base/3' pass '
  mkdir -p "$root/etc" "$cache/root.new/dev"; mount --bind "$outside" "$cache/root.new/dev"'
check "links inside the root to folders outside" '$base/4' pass '
  mkdir -p "$root/usr"; ln -s "$outside" "$root/usr/lib"; ln -s / "$root/host"'
check "no root yet" '$base/5' pass ':'
# Roots and caches that lead elsewhere.
check "the root a link to a folder outside" '$base/6' refuse '
  mkdir -p "$cache"; ln -s "$outside" "$root"'
check "the cache folder a link out of /var/cache" '$base/7' refuse '
  ln -s "$outside" "$cache"; mkdir -p "$outside/root"; cp "$outside/sentinel" "$outside/root/"'
check "a cache folder outside /var/cache" '$outside/cache' refuse '
  mkdir -p "$root"; cp "$outside/sentinel" "$root/"'
check "a cache folder climbing out by .." '$base/8/../../../../../..$outside/up' refuse '
  mkdir -p "${cache%%/../*}" "$outside/up/root"; cp "$outside/sentinel" "$outside/up/root/"'

exit "$failed"
