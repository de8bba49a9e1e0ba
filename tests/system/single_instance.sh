#!/usr/bin/env bash
# One running copy per user, under faults. Starts the real program on the
# offscreen platform:
#   1. two copies at nearly the same moment: exactly one keeps running, the
#      other shows "程序已经在运行中。。。" and ends with status 0;
#   2. the running copy killed with SIGKILL: a new copy starts at once, and
#      refuses a second copy in its turn;
#   3. with a read-only runtime folder, with one that does not exist and with
#      XDG_RUNTIME_DIR unset: the program still starts and still refuses a
#      second copy.
# Message boxes are answered at once (HENGCHUAN_AUTO_ANSWER) and their text
# goes to standard error, which the test reads.
#
# The mark of a running copy is a socket in the abstract namespace, which
# belongs to the network namespace: where the system allows it the test runs
# in a network (and mount) namespace of its own, so a copy the user has open
# neither disturbs the test nor is disturbed by it; the read-only runtime
# folder is then a read-only tmpfs, which binds root too.
#   single_instance.sh PATH-TO-hengchuan
set -euo pipefail
program="$(readlink -f "${1:?usage: single_instance.sh PATH-TO-hengchuan}")"
here="$(readlink -f "$0")"

if [ -z "${HENGCHUAN_TEST_NAMESPACE:-}" ]; then
  for flags in "-n -m" "-r -n -m"; do
    # shellcheck disable=SC2086
    if unshare $flags true 2>/dev/null; then
      HENGCHUAN_TEST_NAMESPACE="$flags" exec unshare $flags bash "$here" "$program"
    fi
  done
  HENGCHUAN_TEST_NAMESPACE=none
fi
echo "namespace: ${HENGCHUAN_TEST_NAMESPACE}"

refusal="程序已经在运行中。。。"
work="$(mktemp -d "${TMPDIR:-/tmp}/hengchuan-single-instance.XXXXXX")"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  if mountpoint -q "$work/ro-runtime" 2>/dev/null; then umount "$work/ro-runtime" || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The abstract socket a running copy holds, as the kernel lists it.
mark_held() { grep -q '@hengchuan' /proc/net/unix; }

if [ "$HENGCHUAN_TEST_NAMESPACE" = none ] && mark_held; then
  echo "SKIPPED: a copy of the program is already running for this user"
  exit 0
fi

# start NAME [ENV...]: starts a copy in the background; its pid goes to
# the variable NAME_pid, its standard error to $work/NAME.err.
start() {
  local name="$1"
  shift
  # The outer env sets the test's runtime folder, the inner one the case's
  # changes to it (which may unset it).
  env XDG_RUNTIME_DIR="$work/runtime" env "$@" QT_QPA_PLATFORM=offscreen HENGCHUAN_AUTO_ANSWER=1 \
    "$program" >"$work/$name.out" 2>"$work/$name.err" &
  local pid=$!
  pids+=("$pid")
  printf -v "${name}_pid" '%s' "$pid"
}

alive() { kill -0 "$1" 2>/dev/null; }

# wait_exit PID SECONDS: waits for the copy to end; its status goes to
# $exit_status (or "running" when it did not end in time).
wait_exit() {
  local pid="$1" limit=$(($2 * 10)) i
  exit_status=running
  for ((i = 0; i < limit; i++)); do
    if ! alive "$pid"; then
      exit_status=0
      wait "$pid" || exit_status=$?
      return
    fi
    sleep 0.1
  done
}

# wait_started PID: waits until the copy holds the mark and is still running.
wait_started() {
  local pid="$1" i
  for ((i = 0; i < 300; i++)); do
    if ! alive "$pid"; then return 1; fi
    if mark_held; then
      sleep 0.3
      alive "$pid"
      return
    fi
    sleep 0.1
  done
  return 1
}

# wait_released: after a copy ended, the kernel drops its mark.
wait_released() {
  local i
  for ((i = 0; i < 50; i++)); do
    if ! mark_held; then return 0; fi
    sleep 0.1
  done
  return 1
}

stop() {
  kill -9 "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  wait_released || fail "the mark stayed after the copy ended"
}

# expect_refused NAME [ENV...]: a second copy must show the message and end with 0.
expect_refused() {
  local name="$1"
  start "$@"
  local pid_var="${name}_pid"
  wait_exit "${!pid_var}" 30
  if [ "$exit_status" = running ]; then
    fail "$name: a second copy kept running"
  elif [ "$exit_status" -ne 0 ]; then
    fail "$name: the second copy ended with status $exit_status"
  elif ! grep -q "$refusal" "$work/$name.err"; then
    fail "$name: the second copy ended without the message: $(head -c 300 "$work/$name.err")"
  fi
}

# expect_started NAME [ENV...]: the copy starts and keeps running.
expect_started() {
  local name="$1"
  start "$@"
  local pid_var="${name}_pid"
  if ! wait_started "${!pid_var}"; then
    fail "$name: the program did not start: $(head -c 300 "$work/$name.err")"
    return 1
  fi
  if grep -q "$refusal" "$work/$name.err"; then
    fail "$name: the program claimed another copy was running"
    return 1
  fi
}

# ---------------------------------------------------------------- 1. two at once
for round in 1 2 3; do
  start "a$round"
  start "b$round"
  pa="a${round}_pid"
  pb="b${round}_pid"
  pa="${!pa}"
  pb="${!pb}"
  # One of them must end soon; then give the other time to end wrongly too.
  for ((i = 0; i < 300; i++)); do
    if ! alive "$pa" || ! alive "$pb"; then break; fi
    sleep 0.1
  done
  sleep 1.5
  survivors=0
  for p in "$pa" "$pb"; do alive "$p" && survivors=$((survivors + 1)); done
  if [ "$survivors" -ne 1 ]; then
    fail "round $round: $survivors of two copies started at once are running"
  else
    if alive "$pa"; then survivor="$pa" loser="$pb" lname="b$round"; else survivor="$pb" loser="$pa" lname="a$round"; fi
    wait_exit "$loser" 1
    [ "$exit_status" = 0 ] || fail "round $round: the refused copy ended with status $exit_status"
    grep -q "$refusal" "$work/$lname.err" || fail "round $round: the refused copy did not show the message"
    mark_held || fail "round $round: the running copy holds no mark"
    stop "$survivor"
  fi
done
echo "1. two copies at once: done"

# ---------------------------------------------------------------- 2. kill -9 and start again
if expect_started first; then
  kill -9 "$first_pid"
  wait "$first_pid" 2>/dev/null || true
  wait_released || fail "the mark stayed after kill -9"
  if expect_started again; then
    expect_refused again_second
    stop "$again_pid"
  fi
fi
echo "2. kill -9 and start again: done"

# ---------------------------------------------------------------- 3. runtime folder faults
mkdir -m 700 "$work/ro-runtime"
if [ "$HENGCHUAN_TEST_NAMESPACE" != none ] && mount -t tmpfs -o ro,mode=0700 tmpfs "$work/ro-runtime" 2>/dev/null; then
  ro_kind="read-only tmpfs"
else
  chmod 500 "$work/ro-runtime"
  ro_kind="mode 0500"
fi
for case in read_only missing unset; do
  case "$case" in
    read_only) envs=(XDG_RUNTIME_DIR="$work/ro-runtime") ;;
    missing) envs=(XDG_RUNTIME_DIR="$work/no-such-folder") ;;
    unset) envs=(-u XDG_RUNTIME_DIR TMPDIR="$work/tmp-for-unset") ;;
  esac
  mkdir -p "$work/tmp-for-unset"
  if expect_started "rt_$case" "${envs[@]}"; then
    expect_refused "rt_${case}_second" "${envs[@]}"
    pid_var="rt_${case}_pid"
    stop "${!pid_var}"
  fi
done
echo "3. runtime folder read-only ($ro_kind), missing, unset: done"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  for f in "$work"/*.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f")"; head -c 600 "$f"; echo; }
  done
  exit 1
fi
echo "single instance holds under faults"
