#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/tools/deps.sh" run
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DHENGCHUAN_TESTS=OFF -DHENGCHUAN_WERROR=OFF >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target hengchuan hengchuan-script
exec "$here/build/bin/hengchuan" "$@"
