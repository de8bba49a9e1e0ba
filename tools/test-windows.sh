#!/usr/bin/env bash
# The core, the script driver and the tests built for 64-bit Windows with the
# mingw-w64 cross compiler (build-windows/, no Qt) and run under Wine in a
# fresh prefix of their own: the unit tests, every screen script through the
# script runner, every screen script through hengchuan-script.exe with its
# output compared byte for byte, and a generated script of random figures on
# every screen whose output must equal the Linux driver's byte for byte.
# Any difference fails the run.
#
# Usage: tools/test-windows.sh [LINUX-DRIVER]
#   LINUX-DRIVER: the Linux hengchuan-script to compare with (default
#   build/bin/hengchuan-script; the comparison is left out where it is missing).
# Wine that cannot start on this machine skips the runs with a message, except
# under CI, where it fails.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${HENGCHUAN_WINDOWS_BUILD_DIR:-$here/build-windows}"
linux_driver="${1:-$here/build/bin/hengchuan-script}"
jobs="$(nproc)"
[ "$jobs" -le 2 ] || jobs=2
start=$SECONDS

for tool in x86_64-w64-mingw32-g++-posix wine; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "windows: $tool is missing (tools/deps.sh test installs it)" >&2
    exit 1
  fi
done

# -O2 as the Linux test build, without debug information, which nothing
# reads under Wine and which only slows the link.
cmake -S "$here" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" -DHENGCHUAN_GUI=OFF \
  -DHENGCHUAN_TESTS=ON -DHENGCHUAN_BENCH=OFF -DHENGCHUAN_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build "$build" -j"$jobs" --target hengchuan-script unit_tests script_runner
bin="$build/bin"
echo "windows: built in $((SECONDS - start)) s"

export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
rm -rf "$WINEPREFIX"
boot=$SECONDS
if ! wineboot --init >"$build/wineboot.log" 2>&1 || ! wine "$bin/hengchuan-script.exe" </dev/null >/dev/null 2>&1; then
  if [ -n "${CI:-}" ]; then
    echo "windows: FAILED: wine cannot run the Windows programs (see $build/wineboot.log)" >&2
    exit 1
  fi
  echo "windows: wine cannot run programs on this machine (see $build/wineboot.log): the Windows tests skipped"
  exit 0
fi
echo "windows: fresh wine prefix in $((SECONDS - boot)) s"

failures=0
fail() {
  echo "windows: FAILED: $*"
  failures=$((failures + 1))
}
# The first line where two outputs differ, its bytes shown (a "^M" before
# the "$" at its end is a carriage return).
show_difference() {
  local line
  line=$(cmp "$1" "$2" 2>&1 | sed -n 's/.* differ: .* line \([0-9]*\)$/\1/p' || true)
  if [ -z "$line" ]; then
    cmp "$1" "$2" 2>&1 | sed 's/^/    /' || true
    return
  fi
  echo "    line $line, expected: $(sed -n "${line}p" "$1" | cat -A | cut -c1-160)"
  echo "    line $line, got:      $(sed -n "${line}p" "$2" | cat -A | cut -c1-160)"
}

# Unit tests, all in one process.
if wine "$bin/unit_tests.exe" --gtest_brief=1 >"$build/unit_tests.log" 2>&1; then
  echo "windows: unit tests: $(grep -a 'PASSED' "$build/unit_tests.log" | tr -d '\r')"
else
  grep -a -E 'FAILED|Failure|error' "$build/unit_tests.log" | tr -d '\r' | head -40 || true
  fail "unit tests (log: $build/unit_tests.log)"
fi

# The scripts, from a folder whose name has Chinese characters and a blank,
# as a Windows user's folders may: its name must reach the programs intact.
scripts="$build/run/屏幕 脚本"
rm -rf "$build/run"
mkdir -p "$scripts"
cp "$here"/tests/scripts/*.hcs "$scripts/"
count=$(find "$scripts" -name '*.hcs' | wc -l)

# Every script through the script runner, in one process.
if wine "$bin/script_runner.exe" "$scripts"/*.hcs >"$build/script_runner.log" 2>&1; then
  echo "windows: $count scripts pass the script runner"
else
  grep -a -v ' 0 mismatches' "$build/script_runner.log" | tr -d '\r' | head -60 || true
  fail "screen scripts in the script runner (log: $build/script_runner.log)"
fi

# Every script through the driver program, byte for byte: its commands in,
# the lines it must print out, "\n" ending each as on every system.
mismatched=0
for script in "$scripts"/*.hcs; do
  name="$(basename "$script" .hcs)"
  grep -v '^>' "$script" >"$build/run/$name.in"
  sed -n -e 's/^> //p' -e 's/^>$//p' "$script" >"$build/run/$name.expected"
  status=0
  wine "$bin/hengchuan-script.exe" "$build/run/$name.in" >"$build/run/$name.out" 2>"$build/run/$name.err" || status=$?
  if [ "$status" = 1 ] || ! cmp -s "$build/run/$name.expected" "$build/run/$name.out"; then
    fail "hengchuan-script.exe on $name.hcs (status $status): output differs from its expected lines"
    show_difference "$build/run/$name.expected" "$build/run/$name.out"
    mismatched=$((mismatched + 1))
  fi
done
[ "$mismatched" -gt 0 ] || echo "windows: $count scripts through hengchuan-script.exe print their expected bytes"

# Random figures on every screen, the same script through both drivers.
if [ -x "$linux_driver" ]; then
  generated="$build/run/random_figures.hcs"
  # Every screen there is (the names that are not print "fail:").
  for n in $(seq 1 99); do echo "dump Form$n"; done | { "$linux_driver" 2>/dev/null || true; } | grep -a -v '^fail:' \
    | awk -v rounds="${HENGCHUAN_WINDOWS_ROUNDS:-60}" -f "$here/tools/random_figures.awk" >"$generated"
  "$linux_driver" "$generated" >"$build/run/random_figures.linux" 2>&1 || true
  wine "$bin/hengchuan-script.exe" "$generated" >"$build/run/random_figures.windows" 2>&1 || true
  lines=$(wc -l <"$build/run/random_figures.linux")
  if cmp -s "$build/run/random_figures.linux" "$build/run/random_figures.windows"; then
    echo "windows: $(wc -l <"$generated") commands of random figures print the same $lines lines as on Linux"
  else
    show_difference "$build/run/random_figures.linux" "$build/run/random_figures.windows"
    fail "random figures differ from the Linux driver's (script: $generated)"
  fi
else
  echo "windows: no Linux driver at $linux_driver: the comparison of random figures left out"
fi

wineserver -k 2>/dev/null || true
echo "windows: $((SECONDS - start)) s in all"
if [ "$failures" -gt 0 ]; then
  echo "windows: $failures failed (the wine prefix stays in $WINEPREFIX)"
  exit 1
fi
rm -rf "$WINEPREFIX"  # some 700 MB, made anew by every run
echo "windows: all passed"
