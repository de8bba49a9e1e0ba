#!/usr/bin/env bash
# The Windows program's windows, tested under Wine and Xvfb as a Windows
# user meets them: the setup installed silently into a fresh Wine prefix;
# the installed hengchuan.exe started; the main screen's figures typed and
# its button pressed with the keyboard (xdotool), the results read back
# through the clipboard (xclip) and compared with the Linux driver's; every
# tool screen opened from the menu bar; a second start refused with the
# message; the uninstaller run silently, leaving no file. Screenshots of the
# main screen and two tool screens go to build-windows/screenshots/.
#
# Usage: tools/test-windows-gui.sh [LINUX-BUILD-BIN]
#   LINUX-BUILD-BIN: the Linux build's bin folder, for hengchuan-script and
#   screen_grab (default build/bin).
# Without Qt for Windows in its cache folder it says so in one line and
# skips; tools/build-qt-windows.sh builds it (once, about an hour).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${HENGCHUAN_WINDOWS_BUILD_DIR:-$here/build-windows}"
bin="$(cd "${1:-$here/build/bin}" && pwd)"

qt="$("$here/tools/build-qt-windows.sh" --print-prefix)"
if [ ! -f "$qt/.complete" ]; then
  echo "windows-gui: skipped: no Qt for Windows in $qt (bash tools/build-qt-windows.sh builds it once, about an hour)"
  exit 0
fi
for tool in xvfb-run xdotool xclip wine wineserver; do
  command -v "$tool" >/dev/null 2>&1 || {
    echo "windows-gui: FAILED: $tool is missing (tools/deps.sh test installs it)" >&2
    exit 1
  }
done

# A display of its own, so that nothing else on the machine takes the keys.
if [ -z "${HENGCHUAN_GUI_TEST_DISPLAY:-}" ]; then
  "$here/tools/package-windows.sh"
  export HENGCHUAN_GUI_TEST_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$bin"
fi

version="$(sed -n 's/^project(hengchuan VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
setup="$out/dist/hengchuan-$version-setup.exe"
shots="$out/screenshots"
rm -rf "$shots"
mkdir -p "$shots"
export WINEPREFIX="$out/wine-gui" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
rm -rf "$WINEPREFIX"
wineboot --init >"$out/wine-gui-boot.log" 2>&1
wineserver -w

failures=0
fail() {
  echo "windows-gui: FAILED: $*"
  failures=$((failures + 1))
}
finish() {
  wineserver -k 2>/dev/null || true
  if [ "$failures" -ne 0 ]; then
    echo "windows-gui: $failures failures (screenshots in $shots)"
    exit 1
  fi
  echo "windows-gui: all passed in $SECONDS s (screenshots in $shots)"
  exit 0
}

# The X window whose name is exactly TITLE, waited for up to 30 s.
window_named() {
  local title="$1" id
  for _ in $(seq 1 150); do
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.2
  done
  return 1
}
focus() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.3
}
keys() {
  xdotool key --clearmodifiers --delay 60 "$@"
  sleep 0.3
}
# What the focused field holds, through the clipboard.
copy_focused() {
  printf '' | xclip -selection clipboard -i
  keys ctrl+a ctrl+c
  sleep 0.5
  xclip -selection clipboard -o 2>/dev/null || true
}
# What the Linux driver shows for a script's "get" lines.
linux_value() {
  sed -n "s/^$1=//p" "$out/gui-expected.txt"
}

# ------------------------------------------------------------------ install
wine "$setup" /S >"$out/wine-gui-setup.log" 2>&1 || fail "the setup ended with status $?"
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/衡川"
for f in hengchuan.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll \
         translations/qtbase_zh_CN.qm qt.conf uninstall.exe; do
  [ -f "$folder/$f" ] || fail "the setup installed no $f"
done
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/衡川.lnk"
[ -f "$shortcut" ] || fail "no Start-menu entry 衡川"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Hengchuan' /v DisplayName \
  >"$out/wine-gui-reg.txt" 2>&1 || fail "no uninstaller listed among the programs"
[ -f "$folder/hengchuan.exe" ] || finish

# ------------------------------------------------------------------ the main screen
exe='C:\Program Files\衡川\hengchuan.exe'
wine "$exe" >"$out/wine-gui-run.log" 2>&1 &
disown
title_of() {  # the screen's title, as the Linux driver gives it
  echo "title $1" >"$out/gui-title.hcs"
  "$bin/hengchuan-script" "$out/gui-title.hcs" | sed -n "s/^$1.title=//p"
}
main_title="$(title_of Form1)"
if ! main="$(window_named "$main_title")"; then
  "$bin/screen_grab" "$shots/no-main-window.png" || true
  fail "the main window \"$main_title\" did not appear"
  finish
fi
{
  echo "set Form1 Text1 10"
  echo "set Form1 Text2 3%"
  echo "click Form1 Command1"
  for c in Text3 Label7 Label8 Label9; do echo "get Form1 $c"; done
} >"$out/gui-expected.hcs"
"$bin/hengchuan-script" "$out/gui-expected.hcs" >"$out/gui-expected.txt"
focus "$main"
# The focus starts in 昨天收盘价; Enter presses 止盈止损价.
keys ctrl+a
xdotool type --delay 80 10
keys Tab ctrl+a
xdotool type --delay 80 3%
keys Return
sleep 1
"$bin/screen_grab" "$shots/main-screen.png" || true
# Tab from 涨跌幅 passes 止盈止损价 and 补仓成本 to 最低价.
keys Tab Tab Tab
got="$(copy_focused)"
[ "$got" = "$(linux_value Form1.Text3)" ] || fail "最低价 shows \"$got\", the Linux driver \"$(linux_value Form1.Text3)\""
# The labels take the focus when clicked: each is clicked where it stands,
# below the menu bar, whose height depends on the font found.
label_at() {  # name, x and y of the label's left middle in pixels of the form
  local name="$1" x="$2" y="$3" menu text
  for menu in 18 22 26 30 20 24 28; do
    xdotool mousemove --window "$main" "$x" $((y + menu)) click 1
    sleep 0.3
    text="$(copy_focused)"
    if [ -n "$text" ]; then
      [ "$text" = "$(linux_value "Form1.$name")" ] ||
        fail "$name shows \"$text\", the Linux driver \"$(linux_value "Form1.$name")\""
      return 0
    fi
  done
  fail "$name could not be read"
}
label_at Label7 244 110
label_at Label8 203 30
label_at Label9 268 30

# ------------------------------------------------------------------ every tool screen from the menu bar
# The tool menu lists the tool screens in the registry's order, with the
# accelerators 1–9, then A, B, D, E …
accelerators=(1 2 3 4 5 6 7 8 9 a b d e f g i j k l m n o p q r s u v w x y z)
mapfile -t tools < <(sed -n 's/^ *X(\(Form[0-9]*\), *[A-Za-z]*, *Tools,.*/\1/p' "$here/shell/screen_list.h")
[ "${#tools[@]}" -gt 0 ] || fail "no tool screens found in shell/screen_list.h"
current="$main"
for i in "${!tools[@]}"; do
  form="${tools[$i]}"
  title="$(title_of "$form")"
  focus "$current"
  keys alt+t
  keys "${accelerators[$i]}"
  if window="$(window_named "$title")"; then
    current="$window"
    case "$i" in
      0 | 3) sleep 1; "$bin/screen_grab" "$shots/$form.png" || true ;;
    esac
  else
    "$bin/screen_grab" "$shots/$form-missing.png" || true
    fail "$form \"$title\" did not open from the menu bar"
  fi
done

# ------------------------------------------------------------------ a second start
timeout 60 wine "$exe" >"$out/wine-gui-second.log" 2>&1 &
second=$!
if box="$(window_named "系统")"; then
  focus "$box"
  copied="$(copy_focused)"
  "$bin/screen_grab" "$shots/second-start.png" || true
  keys Return
  case "$copied" in
    *程序已经在运行中。。。*) ;;
    *) echo "windows-gui: the message box's text could not be copied (\"$copied\"): its title is checked" ;;
  esac
else
  fail "a second start showed no message"
fi
wait "$second" || fail "the second start did not end by itself"

# ------------------------------------------------------------------ uninstall
wineserver -k 2>/dev/null || true
sleep 1
wine "C:\\Program Files\\衡川\\uninstall.exe" /S >"$out/wine-gui-uninstall.log" 2>&1 || true
wineserver -w
# The uninstaller runs from a copy in the temporary folder and ends before
# its copy has removed the files: wait for them to go.
for _ in $(seq 1 50); do
  [ -e "$folder" ] || break
  sleep 0.2
done
if [ -e "$folder" ]; then
  fail "the uninstall left: $(cd "$folder" && find . | tr '\n' ' ')"
fi
[ -e "$shortcut" ] && fail "the uninstall left the Start-menu entry"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Hengchuan' >/dev/null 2>&1; then
  fail "the uninstall left the programs list entry"
fi
finish
