#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: tools/deps.sh [run|test]
set -euo pipefail
packages=(cmake g++ make pkg-config qt6-base-dev fonts-noto-cjk)
if [ "${1:-run}" = test ]; then
  packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth dpkg-dev desktop-file-utils)
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
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
