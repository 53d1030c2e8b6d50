#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest.
# Set Q7X_SANITIZE=1 to build and run the suite with ASan/UBSan (in build-asan).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
if [ "${Q7X_SANITIZE:-0}" = 1 ]; then
  build="$here/build-asan"
  "$here/scripts/build.sh" "$build" -DQ7X_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
else
  build="$here/build"
  "$here/scripts/build.sh" "$build"
fi
cd "$build"
# Window and screenshot tests need an X server; everything else runs offscreen.
exec xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j1
