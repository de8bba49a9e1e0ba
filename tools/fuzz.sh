#!/usr/bin/env bash
# Bounded fuzzing of the numeric field conventions: builds the libFuzzer
# targets with clang (build-fuzz/) and runs each on its seed corpus for a
# share of HENGCHUAN_FUZZ_SECONDS (60 in all by default). New inputs that
# the run finds go to build-fuzz/corpus/, never into the committed corpus;
# a failing input is saved under build-fuzz/artifacts/ and fails the run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${HENGCHUAN_FUZZ_BUILD_DIR:-$here/build-fuzz}"
total="${HENGCHUAN_FUZZ_SECONDS:-60}"
targets=(read clean write)

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed, fuzzing skipped (tools/deps.sh test installs it)"
  exit 0
fi

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DHENGCHUAN_FUZZ=ON -DHENGCHUAN_GUI=OFF -DHENGCHUAN_TESTS=OFF -DHENGCHUAN_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}" >/dev/null

each=$(( total / ${#targets[@]} ))
[ "$each" -ge 1 ] || each=1
mkdir -p "$build/artifacts"
runs_total=0
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  log="$build/fuzz_$t.log"
  if "$build/bin/fuzz_$t" -max_total_time="$each" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
      "$build/corpus/$t" "$here/fuzz/corpus/$t" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  runs=${runs:-0}
  runs_total=$(( runs_total + runs ))
  echo "fuzz_$t: $runs executions in ${each}s: $result"
  if [ "$result" = FAILED ]; then
    grep -E -A3 'PROPERTY FAILED|ERROR: ' "$log" | head -20 || true
    echo "  log: $log; inputs: $build/artifacts/"
  fi
done
echo "fuzz: $runs_total executions in all"
exit "$status"
