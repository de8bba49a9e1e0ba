#!/usr/bin/env bash
# Builds the Windows program hengchuan.exe against Qt for Windows (built
# first by tools/build-qt-windows.sh when it is not in its cache folder) and
# packs it two ways, both into build-windows/dist/:
#   hengchuan-<version>-setup.exe   the installer (NSIS, Simplified Chinese pages)
#   hengchuan-<version>-windows.zip the same folder to unzip and run
# The folder holds hengchuan.exe, hengchuan-script.exe, Qt's DLLs, the
# Windows platform plugin and styles, Qt's Chinese translations and qt.conf,
# which points Qt at them; nothing else is needed on the user's machine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="${HENGCHUAN_WINDOWS_BUILD_DIR:-$here/build-windows}"
build="$out/gui"
stage="$out/stage/hengchuan"
lists="$out/stage/lists"
dist="$out/dist"
start=$SECONDS

step() { echo "package-windows: $*"; }
die() {
  echo "package-windows: FAILED: $*" >&2
  exit 1
}

for tool in makensis x86_64-w64-mingw32-objdump; do
  command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (tools/deps.sh test installs it)"
done

qt="$("$here/tools/build-qt-windows.sh" | tail -n 1)"
[ -x "$qt/bin/qt-cmake" ] || die "no Qt for Windows in $qt"
version="$(sed -n 's/^project(hengchuan VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
[ -n "$version" ] || die "no version in CMakeLists.txt"

mkdir -p "$out"
step "building hengchuan.exe $version in $build"
"$qt/bin/qt-cmake" -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHENGCHUAN_GUI=ON \
  -DHENGCHUAN_TESTS=OFF -DHENGCHUAN_BENCH=OFF -DHENGCHUAN_WERROR=ON >"$out/gui-configure.log" 2>&1 ||
  die "configuring failed (see $out/gui-configure.log)"
cmake --build "$build" --target hengchuan hengchuan-script >"$out/gui-build.log" 2>&1 ||
  die "the build failed (see the end of $out/gui-build.log)"

step "staging the program folder"
rm -rf "$out/stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$lists" "$dist"
x86_64-w64-mingw32-strip -o "$stage/hengchuan.exe" "$build/bin/hengchuan.exe"
x86_64-w64-mingw32-strip -o "$stage/hengchuan-script.exe" "$build/bin/hengchuan-script.exe"
for dll in Qt6Core Qt6Gui Qt6Widgets; do x86_64-w64-mingw32-strip -o "$stage/$dll.dll" "$qt/bin/$dll.dll"; done
x86_64-w64-mingw32-strip -o "$stage/platforms/qwindows.dll" "$qt/plugins/platforms/qwindows.dll"
x86_64-w64-mingw32-strip -o "$stage/styles/qwindowsvistastyle.dll" "$qt/plugins/styles/qwindowsvistastyle.dll"
qm=/usr/share/qt6/translations/qtbase_zh_CN.qm
[ -f "$qm" ] || die "$qm is missing (tools/deps.sh installs qt6-translations-l10n)"
cp "$qm" "$stage/translations/"
cp "$here/packaging/windows/hengchuan.ico" "$stage/"
cp "$here/packaging/copyright" "$stage/copyright.txt"
# Qt looks for its plugins and translations beside the program.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"

# Every DLL a shipped file imports is shipped or is Windows' own: a missing
# one would stop the program on a user's machine with a system error.
shipped="$(cd "$stage" && find . -iname '*.dll' -printf '%f\n' | tr 'A-Z' 'a-z')"
while IFS= read -r -d '' file; do
  while read -r dll; do
    lower="$(echo "$dll" | tr 'A-Z' 'a-z')"
    case "$lower" in
      kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
        comdlg32.dll | imm32.dll | winmm.dll | ws2_32.dll | uxtheme.dll | dwmapi.dll | version.dll | \
        msvcrt.dll | shlwapi.dll | userenv.dll | netapi32.dll | mpr.dll | uuid.dll | wtsapi32.dll | \
        setupapi.dll | d3d11.dll | d3d9.dll | dxgi.dll | dwrite.dll | d2d1.dll | authz.dll | \
        api-ms-win-*.dll | ntdll.dll | comctl32.dll | winspool.drv | secur32.dll | crypt32.dll | \
        bcrypt.dll | rpcrt4.dll | shcore.dll) ;;
      *) echo "$shipped" | grep -qx "$lower" || die "${file#"$stage"/} imports $dll, which is not shipped" ;;
    esac
  done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$stage" \( -iname '*.exe' -o -iname '*.dll' \) -print0)

# The installer's file lists: what it installs, and the same to remove.
: >"$lists/install.nsh"
: >"$lists/uninstall.nsh"
(cd "$stage" && find . -type d | sort) | while read -r dir; do
  win="${dir#./}"
  win="${win//\//\\}"
  [ "$dir" = . ] && continue
  echo "CreateDirectory \"\$INSTDIR\\$win\"" >>"$lists/install.nsh"
done
(cd "$stage" && find . -type f | sort) | while read -r file; do
  win="${file#./}"
  win="${win//\//\\}"
  folder="$(dirname "${file#./}")"
  if [ "$folder" = . ]; then folder=""; else folder="\\${folder//\//\\}"; fi
  echo "SetOutPath \"\$INSTDIR$folder\"" >>"$lists/install.nsh"
  echo "File \"$stage/${file#./}\"" >>"$lists/install.nsh"
  echo "Delete \"\$INSTDIR\\$win\"" >>"$lists/uninstall.nsh"
done
echo "SetOutPath \"\$INSTDIR\"" >>"$lists/install.nsh"
# Folders deepest first, each removed only when it is empty.
(cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
  win="${dir#./}"
  echo "RMDir \"\$INSTDIR\\${win//\//\\}\"" >>"$lists/uninstall.nsh"
done

setup="$dist/hengchuan-$version-setup.exe"
zip="$dist/hengchuan-$version-windows.zip"
size_kb=$(du -sk "$stage" | cut -f1)
step "making the installer"
rm -f "$setup" "$zip"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DLISTS="$lists" -DOUTFILE="$setup" \
  -DSIZE_KB="$size_kb" "$here/packaging/windows/installer.nsi" >"$out/makensis.log" 2>&1 ||
  die "makensis failed (see $out/makensis.log)"
step "making the portable zip"
(cd "$out/stage" && cmake -E tar cf "$zip" --format=zip hengchuan) || die "the zip failed"
step "done in $((SECONDS - start)) s: $(du -h "$setup" | cut -f1) $setup, $(du -h "$zip" | cut -f1) $zip"
