#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs the whole test
# suite: unit, screen-script and widget tests, then the sanitizer and fuzz runs,
# then the Windows build's tests under Wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/tools/deps.sh" test
# A compiler warning fails the build. Optimized as the program is, without
# debug information, which no test reads and which slows the build.
cmake -S "$here" -B "$here/build" -DHENGCHUAN_TESTS=ON -DHENGCHUAN_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" >/dev/null
cmake --build "$here/build" -j"$(nproc)"
(cd "$here/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
for extra in test-sanitized.sh fuzz.sh; do
  if [ -x "$here/tools/$extra" ]; then "$here/tools/$extra"; fi
done
# The core built for Windows, its tests under Wine, its figures against the Linux driver's.
"$here/tools/test-windows.sh" "$here/build/bin/hengchuan-script"
# The Windows program itself, installed and driven under Wine, where Qt for
# Windows has been built (tools/build-qt-windows.sh); else one line says so.
"$here/tools/test-windows-gui.sh" "$here/build/bin"
