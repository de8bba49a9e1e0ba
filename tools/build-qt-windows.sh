#!/usr/bin/env bash
# Builds Qt for 64-bit Windows once, from the Debian source of the very Qt the
# program builds against on Linux, with the mingw-w64 cross compiler, and keeps
# it in a cache folder outside the repository:
#   ${XDG_CACHE_HOME:-$HOME/.cache}/hengchuan/qt-<version>-mingw64
# A later run that finds it there builds nothing and prints its folder.
#
# What is built: QtCore, QtGui and QtWidgets as DLLs, the Windows platform
# plugin and the Windows styles, with the GCC runtime linked into each DLL.
# Text is drawn by DirectWrite (no FreeType); zlib, libpng, PCRE2, HarfBuzz and
# double-conversion are Qt's bundled copies. Networking, SQL, D-Bus, OpenGL,
# Vulkan, XML, printing and the rest the program does not use are left out.
# Debian's host Qt tools (moc, rcc, uic under /usr) serve as the host Qt.
#
# The source comes through apt with a private configuration of this script's
# own (its own source list, lists and cache folders under the work folder):
# the machine's sources lists are never changed.
#
# Usage: tools/build-qt-windows.sh [--print-prefix]
#   HENGCHUAN_QT_WINDOWS_JOBS  parallel compile jobs (default: the cores)
# Output: the last line is the installed Qt's folder.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
start=$SECONDS

step() { echo "qt-windows: $*"; }
die() {
  echo "qt-windows: FAILED: $*" >&2
  exit 1
}

version_full="$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)"
[ -n "$version_full" ] || die "qt6-base-dev is not installed (tools/deps.sh installs it)"
version="${version_full%%+*}"
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/hengchuan"
prefix="$cache_root/qt-$version-mingw64"

if [ "${1:-}" = --print-prefix ]; then
  echo "$prefix"
  exit 0
fi

if [ -f "$prefix/.complete" ]; then
  step "Qt $version for Windows is already built"
  echo "$prefix"
  exit 0
fi

for tool in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix cmake ninja dpkg-source apt-get; do
  command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (tools/deps.sh windows installs what this needs)"
done

work="$cache_root/qt-$version-mingw64-build"
mkdir -p "$work"
step "building Qt $version for Windows in $work (about an hour on two cores, once)"

# The source, through a private apt configuration that adds Debian's source
# index for the release the machine runs.
src="$work/qtbase-src"
if [ ! -f "$src/CMakeLists.txt" ]; then
  codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")"
  apt_dir="$work/apt"
  rm -rf "$apt_dir"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/download"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $codename main" \
    >"$apt_dir/sources.list"
  apt_options=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
               -o Dir::State::Lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache" -o Debug::NoLocking=1
               -o APT::Sandbox::User=root)
  step "fetching the qt6-base $version_full source through apt"
  apt-get "${apt_options[@]}" -qq update >"$apt_dir/update.log" 2>&1 ||
    die "apt could not read Debian's source index (see $apt_dir/update.log)"
  (cd "$apt_dir/download" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$version_full") \
    >"$apt_dir/source.log" 2>&1 || die "apt could not fetch the qt6-base $version_full source (see $apt_dir/source.log)"
  step "unpacking the source with Debian's patches"
  rm -rf "$src"
  dpkg-source --no-check -x "$apt_dir/download"/qt6-base_*.dsc "$src" >"$apt_dir/unpack.log" 2>&1 ||
    die "the source did not unpack (see $apt_dir/unpack.log)"
fi

# The cross toolchain, kept beside the installed Qt: its qt-cmake wrapper
# chains it, so the installed Qt works from any clone of the repository.
mkdir -p "$prefix"
cp "$here/cmake/mingw-w64.cmake" "$prefix/mingw-w64.cmake"

build="$work/build"
jobs="${HENGCHUAN_QT_WINDOWS_JOBS:-$(nproc)}"
step "configuring for win32-g++"
# -static links libgcc, libstdc++ and winpthread into each DLL and plugin,
# so nothing but Qt's own DLLs ships beside the program.
cmake -S "$src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_SHARED_LINKER_FLAGS="-static" -DCMAKE_MODULE_LINKER_FLAGS="-static" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF -DFEATURE_testlib=OFF \
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF \
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_freetype=OFF \
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_textmarkdownreader=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF \
  -DFEATURE_sql_sqlite=OFF -DFEATURE_androiddeployqt=OFF \
  >"$work/configure.log" 2>&1 || die "Qt's configuration failed (see $work/configure.log)"

step "compiling with $jobs jobs (log: $work/build.log)"
compile_start=$SECONDS
cmake --build "$build" --parallel "$jobs" >"$work/build.log" 2>&1 ||
  die "Qt's build failed (see the end of $work/build.log)"
step "compiled in $(((SECONDS - compile_start) / 60)) min"

cmake --install "$build" >"$work/install.log" 2>&1 || die "Qt's install failed (see $work/install.log)"
for needed in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll plugins/platforms/qwindows.dll \
              plugins/styles/qwindowsvistastyle.dll bin/qt-cmake; do
  [ -e "$prefix/$needed" ] || die "the install has no $needed"
done
touch "$prefix/.complete"
step "done in $(((SECONDS - start) / 60)) min, $(du -sh "$prefix" | cut -f1) installed; the build folder $work can be removed"
echo "$prefix"
