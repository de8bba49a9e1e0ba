#!/usr/bin/env bash
# The script driver's exit status as scripts and the tools around them see it:
# 2 after any "fail:" whatever ended the script, 2 with a message for a script
# that cannot be read, 1 when its output cannot be written, 0 otherwise.
set -u
driver="$1"
failures=0
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

expect() {  # expect STATUS DESCRIPTION -- COMMAND...
  local want="$1" what="$2"
  shift 3
  "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  if [ "$got" != "$want" ]; then
    echo "FAIL: $what: status $got, expected $want"
    sed 's/^/    /' "$tmp/out" "$tmp/err"
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

printf 'get Form1 Text1\n' >"$tmp/good.hcs"
printf 'get Form1 Text1\nclick Form1 Nothing\nclose Form1\n' >"$tmp/fail_then_close.hcs"
printf 'close Form1\nget Form1 Nothing\n' >"$tmp/close_first.hcs"

expect 0 "a clean script" -- "$driver" "$tmp/good.hcs"
expect 2 "a fail, then a close that ends the program" -- "$driver" "$tmp/fail_then_close.hcs"
expect 0 "a close ends the script before its mistake" -- "$driver" "$tmp/close_first.hcs"
expect 2 "a fail read from standard input" -- sh -c "printf 'frobnicate\n' | '$driver'"
expect 2 "a folder as the script" -- "$driver" "$tmp"
grep -q "folder" "$tmp/err" || { echo "FAIL: no message for a folder"; failures=$((failures + 1)); }
expect 2 "a missing script" -- "$driver" "$tmp/none.hcs"
grep -q "cannot read" "$tmp/err" || { echo "FAIL: no message for a missing script"; failures=$((failures + 1)); }
expect 2 "two scripts" -- "$driver" "$tmp/good.hcs" "$tmp/good.hcs"
if [ -w /dev/full ]; then
  expect 1 "output to a full device" -- sh -c "'$driver' '$tmp/good.hcs' >/dev/full"
fi
expect 1 "output to a closed standard output" -- sh -c "'$driver' '$tmp/good.hcs' >&-"

echo "$failures failed"
[ "$failures" -eq 0 ]
