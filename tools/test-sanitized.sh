#!/usr/bin/env bash
# Builds the core, the script driver and the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-sanitize/, no Qt) and runs the unit
# tests (the randomized whole-screen test among them), the screen scripts and
# the process-level tests under them. Any sanitizer report fails the run.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${HENGCHUAN_SANITIZE_BUILD_DIR:-$here/build-sanitize}"
jobs="$(nproc)"
[ "$jobs" -le 2 ] || jobs=2

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHENGCHUAN_SANITIZE=ON -DHENGCHUAN_GUI=OFF \
  -DHENGCHUAN_TESTS=ON -DHENGCHUAN_BENCH=OFF >/dev/null
# Everything but the benchmarks (which say nothing under a sanitizer) and the
# install checks (which build the rest of the tree in this folder).
targets=(unit_tests script_runner hengchuan-script fuzz_replay_read fuzz_replay_clean fuzz_replay_write)
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$build"
ctest --output-on-failure -j"$jobs" -E '^(bench|qt|install)\.' "$@"
