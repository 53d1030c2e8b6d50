#!/usr/bin/env bash
# Time from a click on "SEND TO HARDWARE" in the real window to the
# configuration stored by the keyboard simulator, over a private JACK server
# (dummy driver, 48 kHz), and how long the click holds the window.
#
#   scripts/bench-exchange.sh [BUILD_DIR] [ROUNDS] [PERIOD]
#
# BUILD_DIR defaults to ./build (bench_send is built there); ROUNDS to 25;
# PERIOD, the JACK period in frames, to 256. Needs Xvfb (started here when no
# DISPLAY is set) and jackd.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
rounds=${2:-25}
period=${3:-256}

for tool in jackd cmake; do
  command -v "$tool" >/dev/null || { echo "bench-exchange: $tool is missing" >&2; exit 2; }
done
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" >/dev/null
fi
cmake --build "$build" --target bench_send -j2 >/dev/null

bench=$build/tests/e2e/bench_send
tmp=$(mktemp -d "${TMPDIR:-/tmp}/bench-exchange.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/data" "$tmp/config" "$tmp/run"
chmod 700 "$tmp/run"
export XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run
export QT_QPA_PLATFORM=xcb
run=("$bench" "$rounds" "$period")
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1920x1080x24 -dpi 96" "${run[@]}")
"${run[@]}" 2>"$tmp/log" || { tail -n 30 "$tmp/log" >&2; exit 1; }
