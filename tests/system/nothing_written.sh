#!/usr/bin/env bash
# The program keeps no data: run with HOME, the XDG folders, TMPDIR and the
# working folder all pointed at empty temporary folders, it must leave every
# one of them empty.
#   nothing_written.sh script PATH-TO-hengchuan-script
#       every screen opened, every button pressed with the load texts, with
#       zeros and with huge numbers, then the main screen's close box;
#   nothing_written.sh gui PATH-TO-hengchuan
#       the program on the offscreen platform, every screen shown once.
set -euo pipefail
mode="${1:?usage: nothing_written.sh script|gui PROGRAM}"
program="$(readlink -f "${2:?usage: nothing_written.sh script|gui PROGRAM}")"

root="$(mktemp -d "${TMPDIR:-/tmp}/hengchuan-nothing-written.XXXXXX")"
trap 'rm -rf "$root"' EXIT
folders=(home config data cache state runtime tmp work)
for f in "${folders[@]}"; do mkdir "$root/$f"; done
chmod 700 "$root/runtime"
sandbox=(env HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data"
         XDG_CACHE_HOME="$root/cache" XDG_STATE_HOME="$root/state" XDG_RUNTIME_DIR="$root/runtime"
         TMPDIR="$root/tmp")
# What the test itself writes lives beside the sandbox, not in it.
scratch="$(mktemp -d "${TMPDIR:-/tmp}/hengchuan-nothing-written-scratch.XXXXXX")"
trap 'rm -rf "$root" "$scratch"' EXIT

leftovers() {
  (cd "$root" && find "${folders[@]}" -mindepth 1 | sort)
}

case "$mode" in
  script)
    # The screens that exist and their buttons, from the driver itself.
    # (Numbers without a screen print "fail" lines, and the driver exits 2.)
    for n in $(seq 1 60); do echo "title Form$n"; done >"$scratch/titles.hcs"
    (cd "$root/work" && "${sandbox[@]}" "$program" "$scratch/titles.hcs") >"$scratch/titles.out" || true
    screens=$(sed -n 's/^\(Form[0-9]*\)\.title=.*/\1/p' "$scratch/titles.out")
    [ -n "$screens" ] || { echo "the driver lists no screen"; exit 1; }
    for s in $screens; do echo "dump $s"; done >"$scratch/dump.hcs"
    (cd "$root/work" && "${sandbox[@]}" "$program" "$scratch/dump.hcs") >"$scratch/dump.out"
    {
      for value in "" 0 1e308 -1e308 "1,000元" 1e-320; do
        for s in $screens; do
          if [ -n "$value" ]; then
            # Every text field of the screen gets the value.
            sed -n "s/^$s\.\(Text[0-9]*\)=.*/set $s \1 $value/p" "$scratch/dump.out"
          fi
          sed -n "s/^$s\.\(Command[0-9]*\)=.*/click $s \1/p" "$scratch/dump.out"
        done
      done
      echo "close Form1"
    } >"$scratch/all.hcs"
    status=0
    (cd "$root/work" && "${sandbox[@]}" "$program" "$scratch/all.hcs") >"$scratch/all.out" 2>&1 || status=$?
    # A save button asks for a file name, which the driver cannot: it says
    # "fail: needs a window" and writes nothing. Any other fail counts.
    if [ "$status" -eq 2 ] && grep -q '^fail: needs a window$' "$scratch/all.out" &&
       ! grep '^fail: ' "$scratch/all.out" | grep -qv '^fail: needs a window$'; then
      status=0
    fi
    if [ "$status" -ne 0 ]; then
      echo "the driver ended with status $status:"
      tail -20 "$scratch/all.out"
      exit 1
    fi
    presses=$(grep -c '^click ' "$scratch/all.hcs")
    echo "$presses presses on $(echo "$screens" | wc -w) screens"
    ;;
  gui)
    status=0
    (cd "$root/work" && timeout 120 "${sandbox[@]}" QT_QPA_PLATFORM=offscreen HENGCHUAN_AUTO_ANSWER=1 \
       HENGCHUAN_QUIT_AFTER_SHOW=all "$program") >"$scratch/gui.out" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
      echo "the program ended with status $status:"
      tail -20 "$scratch/gui.out"
      exit 1
    fi
    if grep -q '程序已经在运行中' "$scratch/gui.out"; then
      echo "another copy of the program is running: the test cannot start its own"
      exit 1
    fi
    echo "every screen shown once"
    ;;
  *)
    echo "unknown mode $mode"
    exit 2
    ;;
esac

left="$(leftovers)"
if [ -n "$left" ]; then
  echo "the $mode run left files behind in the empty folders:"
  echo "$left" | sed 's/^/  /'
  exit 1
fi
echo "nothing written to HOME, the XDG folders, TMPDIR or the working folder"
