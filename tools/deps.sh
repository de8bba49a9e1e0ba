#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: tools/deps.sh [run|test]
set -euo pipefail
# fonts-arphic-uming has the metrics of the layout tables; qt6-translations-l10n
# holds Qt's own texts in Chinese (message box buttons, context menus).
packages=(cmake g++ make pkg-config qt6-base-dev fonts-arphic-uming fonts-noto-cjk qt6-translations-l10n)
# The package test validates what desktops and Debian make of the package:
# desktop-file-validate, appstreamcli, lintian and groff.
if [ "${1:-run}" = test ]; then
  packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth dpkg-dev desktop-file-utils
             appstream lintian groff-base)
  # The Windows build of the core and Wine to run its tests (tools/test-windows.sh).
  packages+=(g++-mingw-w64-x86-64-posix googletest wine64 wine)
  # Qt for Windows from Debian's source (tools/build-qt-windows.sh), the
  # installer (tools/package-windows.sh) and its windows driven under Wine
  # (tools/test-windows-gui.sh).
  packages+=(ninja-build dpkg-dev nsis xdotool xclip)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# Another install on the same machine holds dpkg's lock for a while: wait for it.
$sudo apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
