#!/usr/bin/env bash
# The same texts on every processor: builds the analysis core and its GoogleTest
# tests for 32-bit ARM (armhf) and arm64, statically, runs the tests under
# qemu-user, and compares the texts of one Analyze click on CASES generated
# cases (default 6000) with amd64's. Builds into build-cross/.
#   scripts/cross-check.sh [CASES]
set -euo pipefail
cd "$(dirname "$0")/.."

cases="${1:-6000}"
case "$cases" in
  '' | *[!0-9]*) echo "usage: $0 [CASES]" >&2; exit 2 ;;
esac

scripts/bootstrap.sh cross

# Standard C++ only: a compiler extension would stop some target sooner or later.
if grep -nE '__extension__|__int128|__builtin_|__attribute__|__asm' analysis/*; then
  echo "cross-check: analysis/ uses a compiler extension" >&2
  exit 1
fi

out=build-cross
gtest=/usr/src/googletest/googletest
mkdir -p "$out"
# arm64 fuses multiply-adds where allowed: the case in which its results could
# differ (GCC in ISO mode does not fuse; clang and GNU mode do).
declare -A compiler=([amd64]=g++ [armhf]=arm-linux-gnueabihf-g++ [arm64]=aarch64-linux-gnu-g++)
declare -A extra=([amd64]= [armhf]= [arm64]=-ffp-contract=fast)
declare -A emulator=([armhf]=qemu-arm [arm64]=qemu-aarch64)

# One ninja file for all three: parallel, and incremental on a second run.
{
  echo "flags = -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -I$PWD/analysis -I$PWD/tests"
  echo 'rule cxx'
  echo "  command = \$cxx \$flags \$extra -I$gtest/include -MD -MF \$out.d -c \$in -o \$out"
  echo '  depfile = $out.d'
  echo '  deps = gcc'
  echo 'rule gtest'
  echo "  command = \$cxx -std=c++20 -O2 -w -I$gtest -I$gtest/include -c \$in -o \$out"
  echo 'rule link'
  echo '  command = $cxx -static -pthread $in -o $out'
  for arch in amd64 armhf arm64; do
    vars=$'\n'"  cxx = ${compiler[$arch]}"$'\n'"  extra = ${extra[$arch]}"
    core=() tests=()
    sources=(analysis/*.cpp tests/cross/click_texts.cpp)
    [ "$arch" = amd64 ] || sources+=(tests/analysis/*.cpp)  # the suite runs them on amd64
    for src in "${sources[@]}"; do
      obj="$arch/${src%.cpp}.o"
      echo "build $obj: cxx $PWD/$src$vars"
      case "$src" in
        analysis/*) core+=("$obj") ;;
        tests/analysis/*) tests+=("$obj") ;;
      esac
    done
    echo "build $arch/click_texts: link ${core[*]} $arch/tests/cross/click_texts.o$vars"
    [ "$arch" = amd64 ] && continue
    for src in gtest-all.cc gtest_main.cc; do
      echo "build $arch/$src.o: gtest $gtest/src/$src$vars"
      tests+=("$arch/$src.o")
    done
    echo "build $arch/analysis_tests: link ${core[*]} ${tests[*]}$vars"
  done
} >"$out/build.ninja"
if ! ninja -C "$out" -j"$(nproc)" >"$out/ninja.log"; then
  cat "$out/ninja.log" >&2
  exit 1
fi

"$out/amd64/click_texts" "$cases" >"$out/amd64.txt"
for arch in armhf arm64; do
  qemu=$(command -v "${emulator[$arch]}" || command -v "${emulator[$arch]}-static")
  echo "cross-check: $arch analysis tests under ${qemu##*/}"
  "$qemu" "$out/$arch/analysis_tests" --gtest_brief=1
  "$qemu" "$out/$arch/click_texts" "$cases" >"$out/$arch.txt"
  if ! cmp -s "$out/amd64.txt" "$out/$arch.txt"; then
    diff "$out/amd64.txt" "$out/$arch.txt" | head -n 20 >&2
    echo "cross-check: $arch shows other texts than amd64 (above; $out/$arch.txt)" >&2
    exit 1
  fi
  echo "cross-check: $arch shows the same texts as amd64 on $(wc -l <"$out/$arch.txt") cases"
done
