#!/usr/bin/env bash
# Sends the same 256 KiB image to lrzsz's rb over a pseudo-terminal (made by
# socat) with the editor's YMODEM sender (ymodem_send, built from this
# folder) and with lrzsz's sb, and prints both times and their ratio.
#
#   tools/bench-ymodem/bench-ymodem.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to ./build; ymodem_send is built there if it is missing.
# RUNS (default 3) transfers per sender; the best time of each is compared.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build}
runs=${2:-3}

for tool in socat rb sb cmp awk; do
  command -v "$tool" >/dev/null || { echo "bench-ymodem: $tool is missing (install lrzsz and socat)" >&2; exit 2; }
done

sender=$build/tools/bench-ymodem/ymodem_send
if [ ! -x "$sender" ]; then
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$here" -B "$build" >/dev/null
  fi
  cmake --build "$build" --target ymodem_send -j1 >/dev/null
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/bench-ymodem.XXXXXX")
socat_pid=
cleanup() {
  if [ -n "$socat_pid" ] && kill -0 "$socat_pid" 2>/dev/null; then
    [ -f "$tmp/rb.pid" ] && kill "$(cat "$tmp/rb.pid")" 2>/dev/null || true
    kill "$socat_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

image=$tmp/image.bin
head -c 262144 /dev/urandom >"$image"

# Ends this transfer's socat and rb. transfer() runs in a command
# substitution (a subshell), so the EXIT trap of the script cannot see them.
stop_link() {
  if [ -n "$socat_pid" ] && kill -0 "$socat_pid" 2>/dev/null; then
    [ -f "$tmp/rb.pid" ] && kill "$(cat "$tmp/rb.pid")" 2>/dev/null || true
    kill "$socat_pid" 2>/dev/null || true
    wait "$socat_pid" 2>/dev/null || true
  fi
  socat_pid=
}

# One transfer: rb waits behind a fresh pseudo-terminal; the sender command
# (with TTY standing for the terminal's path) is timed from start to exit.
transfer() {
  local cmd=$1 recv=$tmp/recv link=$tmp/tty
  rm -rf "$recv" "$link" "$tmp/rb.rc" "$tmp/rb.pid"
  mkdir "$recv"
  # rb talks to socat through a socket pair (not a terminal of its own), so
  # the terminal flush rb does on exit cannot drop its final ACK.
  (cd "$recv" && exec socat pty,raw,echo=0,wait-slave,link="$link" \
     "SYSTEM:exec 3<&0; rb -b -y -q <&3 3<&- & echo \$! >'$tmp/rb.pid'; wait \$!; echo \$? >'$tmp/rb.rc'") &
  socat_pid=$!
  for _ in $(seq 500); do [ -e "$link" ] && break; sleep 0.01; done
  [ -e "$link" ] || { echo "bench-ymodem: socat did not create $link" >&2; stop_link; return 1; }

  local t0 t1
  t0=$(date +%s.%N)
  timeout 300 bash -c "${cmd//TTY/$link}" || { echo "bench-ymodem: sender failed: $cmd" >&2; stop_link; return 1; }
  t1=$(date +%s.%N)
  # rb's exit code is written by the shell behind socat, possibly after socat ends.
  for _ in $(seq 3000); do
    { ! kill -0 "$socat_pid" 2>/dev/null && [ -s "$tmp/rb.rc" ]; } && break
    sleep 0.01
  done
  stop_link
  [ "$(cat "$tmp/rb.rc" 2>/dev/null)" = 0 ] || { echo "bench-ymodem: rb failed" >&2; return 1; }
  cmp -s "$image" "$recv/image.bin" || { echo "bench-ymodem: received file differs" >&2; return 1; }
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f\n", b - a }'
}

best() {
  local cmd=$1 b= t
  for _ in $(seq "$runs"); do
    t=$(transfer "$cmd")
    if [ -z "$b" ] || awk -v t="$t" -v b="$b" 'BEGIN { exit !(t < b) }'; then b=$t; fi
  done
  echo "$b"
}

ours=$(best "QT_QPA_PLATFORM=offscreen '$sender' TTY '$image' 115200 2>/dev/null")
theirs=$(best "cd '$tmp' && sb -k -b -q image.bin <TTY >TTY")

printf 'image: 262144 bytes, best of %d runs, 1024-byte blocks\n' "$runs"
printf 'ymodem_send: %8.3f s\n' "$ours"
printf 'lrzsz sb:    %8.3f s\n' "$theirs"
awk -v a="$ours" -v b="$theirs" 'BEGIN { printf "ratio ymodem_send / sb: %.2f\n", a / b }'
