#!/usr/bin/env bash
# One running copy per user, under faults and against other users. Starts
# the real program on the offscreen platform:
#   1. two copies at nearly the same moment: exactly one keeps running, the
#      other shows "程序已经在运行中。。。" and ends with status 0;
#   2. the running copy killed with SIGKILL: a new copy starts at once, and
#      refuses a second copy in its turn;
#   3. with a read-only runtime folder, with one that does not exist and with
#      XDG_RUNTIME_DIR unset: the program still starts and still refuses a
#      second copy;
#   4. (as root) another user squats the name the abstract socket of earlier
#      versions had, and a folder of the fallback's name in a shared
#      temporary folder: the program still starts, and still refuses a second
#      copy of this user;
#   5. a copy started in a network namespace of its own (unshare -n) while
#      one runs: it is refused too.
# Message boxes are answered at once (HENGCHUAN_AUTO_ANSWER) and their text
# goes to standard error, which the test reads.
#
# The mark of a running copy is a listening socket file in the runtime folder
# the test gives it (or the fallback folder in the test's TMPDIR), so a copy
# the user has open does not disturb the test. Where the system allows it the
# test runs in a network and mount namespace of its own, which makes the
# read-only runtime folder a read-only tmpfs, binding root too.
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
  if [ "$had_system_fallback" = 0 ]; then
    rm -f "$system_fallback/hengchuan-instance"
    rmdir "$system_fallback" 2>/dev/null || true
  fi
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime" "$work/tmp"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

uid="$(id -u)"
# The fallback of a case whose own temporary folder another user holds.
system_fallback="/tmp/hengchuan-$uid"
[ -e "$system_fallback" ] && had_system_fallback=1 || had_system_fallback=0

# A socket a copy of the test listens on, as the kernel lists it (not the
# squatter's of case 4).
mark_held() {
  grep -v -F "$work/shared-tmp/" /proc/net/unix | grep -qE " ($work/|$system_fallback/)[^ ]*hengchuan-instance\$"
}

# start NAME [ENV...]: starts a copy in the background; its pid goes to
# the variable NAME_pid, its standard error to $work/NAME.err.
start() {
  local name="$1"
  shift
  # The outer env sets the test's runtime folder, the inner one the case's
  # changes to it (which may unset it).
  env XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" env "$@" QT_QPA_PLATFORM=offscreen \
    HENGCHUAN_AUTO_ANSWER=1 ${launcher:-} "$program" >"$work/$name.out" 2>"$work/$name.err" &
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
    unset) envs=(-u XDG_RUNTIME_DIR) ;;
  esac
  if expect_started "rt_$case" "${envs[@]}"; then
    expect_refused "rt_${case}_second" "${envs[@]}"
    pid_var="rt_${case}_pid"
    stop "${!pid_var}"
  fi
done
echo "3. runtime folder read-only ($ro_kind), missing, unset: done"

# ---------------------------------------------------------------- 4. another user squats
# The squatter: a process of nobody listening on the abstract name earlier
# versions took as the mark, and on a socket in a folder of the fallback's
# name it made first in a temporary folder all users share.
squatter_ok=0
if [ "$uid" -eq 0 ] && id nobody >/dev/null 2>&1 && setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups true 2>/dev/null; then
  squatter_ok=1
fi
if [ "$squatter_ok" = 1 ]; then
  mkdir -m 1777 "$work/shared-tmp"
  chmod 755 "$work"
  setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups perl -MSocket -e '
    my ($uid, $folder) = @ARGV;
    mkdir $folder, 0700 or die "mkdir: $!";
    socket(my $abstract, AF_UNIX, SOCK_STREAM, 0) or die;
    bind($abstract, pack_sockaddr_un("\0hengchuan-$uid")) or die "bind: $!";
    listen($abstract, 5) or die;
    socket(my $file, AF_UNIX, SOCK_STREAM, 0) or die;
    bind($file, pack_sockaddr_un("$folder/hengchuan-instance")) or die "bind: $!";
    listen($file, 5) or die;
    $| = 1;
    print "squatting\n";
    sleep 600;' "$uid" "$work/shared-tmp/hengchuan-$uid" >"$work/squatter.out" 2>&1 &
  squatter_pid=$!
  pids+=("$squatter_pid")
  for ((i = 0; i < 50; i++)); do
    grep -q squatting "$work/squatter.out" && break
    sleep 0.1
  done
  if ! grep -q squatting "$work/squatter.out"; then
    fail "the squatter did not start: $(cat "$work/squatter.out")"
  else
    for case in runtime shared_tmp; do
      case "$case" in
        runtime) envs=() ;;
        shared_tmp) envs=(-u XDG_RUNTIME_DIR TMPDIR="$work/shared-tmp") ;;
      esac
      if expect_started "squat_$case" "${envs[@]}"; then
        expect_refused "squat_${case}_second" "${envs[@]}"
        pid_var="squat_${case}_pid"
        stop "${!pid_var}"
      fi
    done
  fi
  kill -9 "$squatter_pid" 2>/dev/null || true
  chmod 700 "$work"
  echo "4. a mark of another user neither blocks nor counts: done"
else
  echo "4. skipped: squatting as another user needs root"
fi

# ---------------------------------------------------------------- 5. another network namespace
if unshare -n true 2>/dev/null; then
  if expect_started netns_first; then
    launcher="unshare -n" expect_refused netns_second
    stop "$netns_first_pid"
  fi
  echo "5. a start in another network namespace: done"
else
  echo "5. skipped: unshare -n is not allowed here"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  for f in "$work"/*.err; do
    [ -s "$f" ] && { echo "--- $(basename "$f")"; head -c 600 "$f"; echo; }
  done
  exit 1
fi
echo "single instance holds under faults"
