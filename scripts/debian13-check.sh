#!/usr/bin/env bash
# The suite on Debian 13 (trixie, Qt 6.8) from any Debian: scripts/test.sh runs
# as root inside a Debian 13 root made with debootstrap, as on a fresh Debian 13
# machine. The root is kept in /var/cache/plovatrix/debian13 (or
# $PLOVATRIX_DEBIAN13_CACHE, a folder of its own under /var/cache) with the
# packages installed in it, and reused by the next run; one that is broken,
# half made or 30 days old is made anew.
#   scripts/debian13-check.sh               scripts/test.sh in the root
#   scripts/debian13-check.sh CMD [ARG...]  another command of the tree there,
#                                           e.g. scripts/wm-check.sh shots x11
#   scripts/debian13-check.sh --clean       deletes the root (about 2 GB)
# The tree (what git tracks or would track, no build folders) is copied to
# /work/plovatrix in the root and left there until the next run, with what the
# command wrote (ROOT/work/plovatrix/shots, build...).
# /proc, /sys and /dev are bound in a mount and PID namespace of the run's own,
# so no mount and no process outlives it; without such a namespace they are
# bound here and unmounted on every exit. Where mounts are refused the root
# has the device nodes debootstrap made, and no /proc or /sys (the suite passes
# so). PLOVATRIX_CHROOT_MOUNTS=namespace|host|none forces one way.
set -euo pipefail

suite=trixie
mirror=http://deb.debian.org/debian
recipe="$suite minbase 1" # a root made by another recipe is made anew
max_age_days=30

say() { echo "debian13: $*" >&2; }
die() { say "$*"; exit 1; }

# ---- Inside the namespace (the script calls itself) -------------------------

# Mounts what a build and the tests use, runs the command in the root and
# unmounts on every exit. Arguments: ROOT MODE CMD...
mounted=()
inside() {
  local root=$1 mode=$2 rc=0
  shift 2
  unmount_all() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
      umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" 2>/dev/null || true
    done
    mounted=()
  }
  trap unmount_all EXIT
  trap 'exit 130' INT TERM
  bind() { # SOURCE: bound at the same place in the root
    [ -d "$1" ] || return 0
    mount --bind "$1" "$root$1" 2>/dev/null || return 1
    mounted+=("$root$1")
  }
  local how=bound
  if [ "$mode" = none ]; then
    how=none
  elif [ "$mode" != host ] && mount --bind "$root" "$root" 2>/dev/null &&
    mounted+=("$root") && mount -t proc proc "$root/proc" 2>/dev/null; then
    # The root a mount of its own, so that a mount namespace can be made
    # inside it too; and a /proc of the run's own processes only.
    mounted+=("$root/proc")
    bind /sys && bind /dev && bind /dev/pts && { ! mountpoint -q /dev/shm || bind /dev/shm; } ||
      how=partly
  else
    bind /proc && bind /sys && bind /dev && bind /dev/pts &&
      { ! mountpoint -q /dev/shm || bind /dev/shm; } || how=partly
  fi
  if [ "$how" = partly ]; then
    unmount_all
    say "mounts refused: debootstrap's device nodes, no /proc or /sys"
  fi
  env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    chroot "$root" /bin/bash -c 'cd /work/plovatrix && "$@"' bash "$@" || rc=$?
  unmount_all
  return "$rc"
}

if [ "${1:-}" = --inside ]; then
  shift
  inside "$@"
  exit
fi

# ---- The run ----------------------------------------------------------------

cd "$(dirname "$0")/.."
tree=$PWD
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 || die "needs root (chroot, mounts) and there is no sudo"
  exec sudo --preserve-env=PLOVATRIX_DEBIAN13_CACHE,PLOVATRIX_CHROOT_MOUNTS,CI,TERM "$0" "$@"
fi
clean=0
if [ "${1:-}" = --clean ]; then
  [ $# = 1 ] || die "usage: $0 --clean"
  clean=1
fi
[ $# -gt 0 ] || set -- scripts/test.sh

# The cache folder: absolute, plain, of its own under /var/cache. Only what is
# below it is ever deleted.
cache=${PLOVATRIX_DEBIAN13_CACHE:-/var/cache/plovatrix/debian13}
case "$cache" in
  /var/cache/?*/?* | /var/cache/?*) ;;
  *) die "the cache folder must be under /var/cache: $cache" ;;
esac
[[ "$cache" =~ ^[A-Za-z0-9/._-]+$ && "$cache" != *..* ]] || die "not a plain path: $cache"
mkdir -p "$cache"
cache=$(realpath -e "$cache")
[[ "$cache" == /var/cache/?* ]] || die "the cache folder leads out of /var/cache: $cache"
root=$cache/root

# One run at a time on a root.
exec 9>"$cache/lock"
flock -w 3600 9 || die "another run holds $cache/lock"

# The mount points at or below a folder, as this namespace sees them.
mounts_under() {
  awk -v p="$1" '$5 == p || index($5, p "/") == 1 { print $5 }' /proc/self/mountinfo
}
# Unmounts what is mounted at or below a folder, the deepest first.
unmount_under() {
  local m
  for m in $(mounts_under "$1" | sort -r); do
    umount "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
  done
}
# Deletes a folder below the cache folder, never through a mount: what is
# mounted below it is unmounted first, and if anything still is, nothing is
# deleted. --one-file-system guards the same once more.
remove() {
  local dir=$1
  [[ "$dir" == "$cache"/?* && "$dir" != *..* ]] || die "refusing to delete $dir: outside $cache"
  [ -e "$dir" ] || [ -L "$dir" ] || return 0
  [ -L "$dir" ] && die "refusing to delete $dir: a symbolic link"
  [ "$(realpath -e "$dir")" = "$dir" ] || die "refusing to delete $dir: leads elsewhere"
  unmount_under "$dir"
  if [ -n "$(mounts_under "$dir")" ]; then
    die "refusing to delete $dir: still mounted there: $(mounts_under "$dir" | tr '\n' ' ')"
  fi
  rm -rf --one-file-system -- "$dir"
}

# What a run killed in this namespace left mounted in the root.
unmount_under "$root"
if [ "$clean" = 1 ]; then
  remove "$cache/root.new"
  remove "$root"
  rm -f "$cache/debootstrap.log"
  say "removed the root in $root"
  exit 0
fi

scripts/bootstrap.sh debian13

# Which way the command will run: in a mount and PID namespace of its own, or
# in this one, with mounts or, where they are refused, without.
mode=${PLOVATRIX_CHROOT_MOUNTS:-auto}
if [ "$mode" = auto ]; then
  probe=$(mktemp -d)
  if unshare --mount --propagation private mount --bind / "$probe" 2>/dev/null; then
    mode=namespace
  elif mount --bind "$probe" "$probe" 2>/dev/null && umount "$probe"; then
    mode=host
  else
    mode=none
  fi
  rmdir "$probe"
fi
case "$mode" in
  namespace) ns=(unshare --mount --pid --fork --kill-child --propagation private) ;;
  host | none) ns=() ;;
  *) die "PLOVATRIX_CHROOT_MOUNTS is namespace, host or none, not $mode" ;;
esac
say "mounts: $mode"

# Processes left behind in the root when it ran without a PID namespace of its own.
stop_strays() {
  local p
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  return 0
}
[ ${#ns[@]} -gt 0 ] || trap stop_strays EXIT

usable() {
  [ -f "$root/.plovatrix-root" ] && [ "$(cat "$root/.plovatrix-root")" = "$recipe" ] &&
    [ -z "$(find "$root/.plovatrix-root" -mtime +"$max_age_days")" ] &&
    [[ "$(cat "$root/etc/debian_version" 2>/dev/null)" == 13* ]] &&
    chroot "$root" /bin/true 2>/dev/null
}

make_root() {
  local start=$SECONDS new=$cache/root.new
  remove "$new"
  remove "$root"
  say "making the root with debootstrap ($suite, minbase) in $root"
  # debootstrap mounts /proc and /sys in the root itself: in a namespace of its
  # own where possible, so that an interrupted run leaves no mount behind.
  local log=$cache/debootstrap.log
  if ! "${ns[@]}" debootstrap --variant=minbase "$suite" "$new" "$mirror" >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    remove "$new"
    die "debootstrap failed (all of it in $log)"
  fi
  # No service starts inside the root when a package is installed.
  printf '#!/bin/sh\nexit 101\n' >"$new/usr/sbin/policy-rc.d"
  chmod 755 "$new/usr/sbin/policy-rc.d"
  echo "$recipe" >"$new/.plovatrix-root"
  mv "$new" "$root"
  say "root made in $((SECONDS - start))s"
}

# Copies the tree in, afresh: what git tracks or would track.
copy_tree() {
  remove "$root/work/plovatrix"
  mkdir -p "$root/work/plovatrix"
  if git -C "$tree" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$tree" ls-files -z --cached --others --exclude-standard |
      (cd "$tree" && tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) |
      tar -xf - -C "$root/work/plovatrix"
  else
    tar -C "$tree" --exclude='./build*' --exclude=./shots -cf - . | tar -xf - -C "$root/work/plovatrix"
  fi
  # The resolver of this machine, for apt inside.
  # (A link there would be followed out of the root: replaced by a file.)
  rm -f "$root/etc/resolv.conf"
  cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

# Runs a command of the copied tree inside the root.
in_root() {
  "${ns[@]}" bash "$tree/scripts/debian13-check.sh" --inside "$root" "$mode" "$@"
}

start=$SECONDS
if [ -d "$root" ] && usable; then
  fresh=0
  say "reusing the root in $root"
else
  [ -d "$root" ] && say "the root in $root is broken, half made or old: making it anew"
  make_root
  fresh=1
fi
copy_tree

# The packages first, apart from the command: when they fail to install in a
# reused root, the root is at fault, and is made anew once.
step=$SECONDS
if ! in_root scripts/bootstrap.sh; then
  [ "$fresh" = 1 ] && die "the packages did not install in a fresh root"
  say "the packages did not install in the reused root: making it anew"
  make_root
  copy_tree
  in_root scripts/bootstrap.sh || die "the packages did not install in a fresh root"
fi
say "packages ready in $((SECONDS - step))s; the root ready in $((SECONDS - start))s"

rc=0
in_root "$@" || rc=$?
say "$* exited $rc in the Debian 13 root"
exit "$rc"
