#!/usr/bin/env bash
# The programs' own options, as a command-line user meets them: --version
# and --help answer on standard output with status 0 and need no display;
# any other option, and for the program any argument at all, prints the
# usage on standard error with status 2 and starts nothing.
#   flags.sh VERSION PATH-TO-hengchuan-script [PATH-TO-hengchuan]
set -u
version="$1"
script="$(readlink -f "$2")"
program="${3:+$(readlink -f "$3")}"
failures=0
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
printf 'get Form1 Text1\n' >"$tmp/-x.hcs"
printf 'get Form1 Text1\n' >"$tmp/good.hcs"

# check NAME STATUS STDOUT-PATTERN STDERR-PATTERN -- COMMAND...: the status,
# and each whole stream matched by its Perl pattern ("" for an empty stream).
check() {
  local what="$1" want="$2" out_re="$3" err_re="$4"
  shift 5
  # No display: a program that tried to open a window would fail at once.
  (cd "$tmp" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 "$@") >"$tmp/out" 2>"$tmp/err"
  local got=$? ok=1
  [ "$got" = "$want" ] || ok=0
  for stream in out err; do
    local re="$out_re"
    [ "$stream" = err ] && re="$err_re"
    if [ -z "$re" ]; then
      [ -s "$tmp/$stream" ] && ok=0
    else
      grep -Pzq -- "$re" "$tmp/$stream" || ok=0
    fi
  done
  if [ "$ok" = 1 ]; then
    echo "ok: $what"
  else
    echo "FAIL: $what: status $got, expected $want"
    sed 's/^/    out: /' "$tmp/out"
    sed 's/^/    err: /' "$tmp/err"
    failures=$((failures + 1))
  fi
}

usage_of() {  # the usage, Chinese then English, naming the program
  printf '用法：%s (?s).*\\nUsage: %s ' "$1" "$1"
}

for p in ${program:+"$program"} "$script"; do
  name="$(basename "$p")"
  usage="$(usage_of "$name")"
  check "$name --version" 0 "^衡川 \\Q$version\\E\n\\z" "" -- "$p" --version
  check "$name --help" 0 "^$usage" "" -- "$p" --help
  check "$name -h" 0 "^$usage" "" -- "$p" -h
  check "$name --version --help" 0 "^$usage" "" -- "$p" --version --help
  check "$name --bogus" 2 "" "^$name: .*--bogus\n$usage" -- "$p" --bogus
  check "$name -V" 2 "" "^$name: .*-V\n$usage" -- "$p" -V
  check "$name -" 2 "" "^$name: .*-\n$usage" -- "$p" -
  check "$name --help --bogus" 2 "" "^$name: .*--bogus\n$usage" -- "$p" --help --bogus
  if [ -w /dev/full ]; then
    check "$name --help to a full device" 1 "" "" -- sh -c "'$p' --help >/dev/full"
  fi
done

if [ -n "$program" ]; then
  # Qt's own options and file names are refused like any other argument.
  check "hengchuan FILE" 2 "" "^hengchuan: .*good[.]hcs\n$(usage_of hengchuan)" -- "$program" good.hcs
  check "hengchuan -platform offscreen" 2 "" "^hengchuan: .*\n$(usage_of hengchuan)" -- "$program" -platform offscreen
  check "hengchuan --" 2 "" "^hengchuan: .*\n$(usage_of hengchuan)" -- "$program" --
fi

# The script driver still runs the script it is given, also after "--".
check "hengchuan-script SCRIPT" 0 "^Form1[.]Text1=10\n\\z" "" -- "$script" good.hcs
check "hengchuan-script -- -x.hcs" 0 "^Form1[.]Text1=10\n\\z" "" -- "$script" -- -x.hcs
check "hengchuan-script -x.hcs" 2 "" "^hengchuan-script: .*\n$(usage_of hengchuan-script)" -- "$script" -x.hcs
check "hengchuan-script two scripts" 2 "" "^hengchuan-script: .*only one script.*good[.]hcs\n$(usage_of hengchuan-script)" -- "$script" good.hcs good.hcs

echo "$failures failed"
[ "$failures" -eq 0 ]
