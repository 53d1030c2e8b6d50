#!/usr/bin/env bash
# Configures and builds the editor, the simulator and the tests into a build folder.
#   scripts/build.sh [build-dir] [extra cmake args...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true
cmake -S "$here" -B "$build" "$@" >/dev/null
cmake --build "$build" -j2
