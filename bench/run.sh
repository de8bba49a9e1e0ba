#!/usr/bin/env bash
# Builds in Release and prints the benchmark table: start-up time and peak
# memory of the program against a bare Qt window (alternating A/B runs),
# the script driver's memory after every screen, the calculation
# benchmarks and the presses in the window. Usage: bench/run.sh [RUNS]   (default 25 runs each)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-25}"
build="$here/build-bench"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DHENGCHUAN_TESTS=OFF -DHENGCHUAN_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target hengchuan hengchuan-script qt_baseline calc_bench measure window_bench >/dev/null

if [ -z "${DISPLAY:-}" ] && [ -z "${BENCH_INNER:-}" ] && command -v xvfb-run >/dev/null; then
  # A real X server, as on a desktop, for the start-up runs.
  BENCH_INNER=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
fi

export HENGCHUAN_QUIT_AFTER_SHOW=1
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
m="$build/bin/measure"
prog=(); base=(); progmem=(); basemem=()
# One warm-up run each, so that both find the fonts in the page cache.
"$m" "$build/bin/hengchuan" >/dev/null; "$m" "$build/bin/qt_baseline" >/dev/null
for ((i = 0; i < runs; i++)); do
  read -r a b _ < <("$m" "$build/bin/hengchuan"); prog+=("${a#wall_ms=}"); progmem+=("${b#maxrss_kb=}")
  read -r a b _ < <("$m" "$build/bin/qt_baseline"); base+=("${a#wall_ms=}"); basemem+=("${b#maxrss_kb=}")
done
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR]=$1} END {if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
pm=$(median "${prog[@]}"); bm=$(median "${base[@]}")
pr=$(median "${progmem[@]}"); br=$(median "${basemem[@]}")
read -r _ sr _ < <("$m" "$build/bin/hengchuan-script" "$here/bench/visit_all.hcs")
sr="${sr#maxrss_kb=}"
allmem=()
for ((i = 0; i < 5; i++)); do
  read -r _ b _ < <(HENGCHUAN_QUIT_AFTER_SHOW=all "$m" "$build/bin/hengchuan"); allmem+=("${b#maxrss_kb=}")
done
ar=$(median "${allmem[@]}")

printf '\n| measure | hengchuan | bare Qt window | ratio / difference |\n|---|---|---|---|\n'
printf '| start-up, median of %d runs | %.1f ms | %.1f ms | %.2f × |\n' "$runs" "$pm" "$bm" "$(awk -v a="$pm" -v b="$bm" 'BEGIN {print a / b}')"
printf '| peak memory at start | %d kB | %d kB | +%d kB |\n' "$pr" "$br" "$((pr - br))"
printf '| peak memory after showing every screen | %d kB | %d kB | +%d kB |\n' "$ar" "$br" "$((ar - br))"
printf '| hengchuan-script after every screen and every calculate button | %d kB | | |\n' "$sr"
printf '\nCalculations (Google Benchmark, Release):\n\n'
"$build/bin/calc_bench" --benchmark_min_time=0.05 2>/dev/null | sed -n '/^---/,$p'
printf '\nPresses in the window, repaint included (offscreen, Release):\n\n'
QT_QPA_PLATFORM=offscreen "$build/bin/window_bench" 2>/dev/null | sed -n '/^---/,$p'
