#!/usr/bin/env bash
# Measures the editor's YMODEM sender (ymodem_send, built from this folder)
# two ways:
#  rb:      sends the same 256 KiB image to lrzsz's rb over a pseudo-terminal
#           (made by socat) with ymodem_send and with lrzsz's sb, and prints
#           both times and their ratio (the target is a ratio of at most 1.0);
#  instant: sends a 2 MiB image to a receiver that answers every packet at
#           once (a small Python receiver on a pseudo-terminal that checks
#           every CRC), and prints the throughput from the first 'C' to the
#           final ACK (the target is at least 1 MiB/s).
#
#   tools/bench-ymodem/bench-ymodem.sh [BUILD_DIR] [RUNS] [all|rb|instant]
#
# BUILD_DIR defaults to ./build; ymodem_send is built there if it is missing.
# RUNS (default 3) transfers per sender; the best time of each is compared.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build}
runs=${2:-3}
mode=${3:-all}
case $mode in all|rb|instant) ;; *) echo "bench-ymodem: mode is all, rb or instant" >&2; exit 2 ;; esac

for tool in socat rb sb cmp awk python3; do
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
# (with TTY standing for the terminal's path) is timed from its start to its
# exit, and to rb's exit (rb has the whole file then). Prints both.
transfer() {
  local cmd=$1 recv=$tmp/recv link=$tmp/tty
  rm -rf "$recv" "$link" "$tmp/rb.rc" "$tmp/rb.pid" "$tmp/rb.end"
  mkdir "$recv"
  # rb talks to socat through a socket pair (not a terminal of its own), so
  # the terminal flush rb does on exit cannot drop its final ACK.
  (cd "$recv" && exec socat pty,raw,echo=0,wait-slave,pty-interval=0.005,link="$link" \
     "SYSTEM:exec 3<&0; rb -b -y -q <&3 3<&- & echo \$! >'$tmp/rb.pid'; wait \$!; rc=\$?; date +%s.%N >'$tmp/rb.end'; echo \$rc >'$tmp/rb.rc'") &
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
  awk -v a="$t0" -v b="$t1" -v r="$(cat "$tmp/rb.end")" 'BEGIN { printf "%.3f %.3f\n", b - a, r - a }'
}

# The best of RUNS transfers, for each of the two times on its own.
best() {
  local cmd=$1 b= r= t u
  for _ in $(seq "$runs"); do
    read -r t u < <(transfer "$cmd")
    [ -n "$t" ] || return 1
    if [ -z "$b" ] || awk -v t="$t" -v b="$b" 'BEGIN { exit !(t < b) }'; then b=$t; fi
    if [ -z "$r" ] || awk -v t="$u" -v b="$r" 'BEGIN { exit !(t < b) }'; then r=$u; fi
  done
  echo "$b $r"
}

# A receiver that answers at once: makes a pseudo-terminal, links its other
# end to argv[1], asks with 'C' (again every 50 ms until block 0 arrives, as
# receivers do), checks every packet and its CRC, stores the file in argv[2],
# and prints the seconds from its first 'C' to its final ACK.
instant_receiver() {
  python3 -u - "$@" <<'PY'
import binascii, os, select, sys, time, tty
link, out = sys.argv[1], sys.argv[2]
master, slave = os.openpty()
tty.setraw(slave)
os.symlink(os.ttyname(slave), link)
print("ready", flush=True)
buf = b""
name, size, data, stage, expect = None, 0, bytearray(), "header", 1
start = None
last_c = 0.0
def send(b):
    os.write(master, b)
deadline = time.monotonic() + 120
while time.monotonic() < deadline:
    now = time.monotonic()
    if stage == "header" and now - last_c >= 0.05:
        if start is None:
            start = now
        send(b"C")
        last_c = now
    r, _, _ = select.select([master], [], [], 0.05)
    if r:
        buf += os.read(master, 65536)
    while buf:
        head = buf[0]
        if head == 0x04 and stage == "data":
            buf = buf[1:]
            send(b"\x06C")
            stage = "end"
            continue
        if head not in (1, 2):
            sys.exit("receiver: unexpected byte %r in %s" % (head, stage))
        total = 133 if head == 1 else 1029
        if len(buf) < total:
            break
        pkt, buf = buf[:total], buf[total:]
        body = pkt[3:-2]
        if pkt[1] != 0xFF - pkt[2] or binascii.crc_hqx(body, 0) != int.from_bytes(pkt[-2:], "big"):
            sys.exit("receiver: bad packet in %s" % stage)
        if stage == "header" and pkt[1] == 0:
            fields = body.split(b"\0")
            name, size = fields[0].decode("ascii"), int(fields[1])
            send(b"\x06C")
            stage = "data"
        elif stage == "data" and pkt[1] == expect & 0xFF:
            data += body
            expect += 1
            send(b"\x06")
        elif stage == "data" and (pkt[1] == (expect - 1) & 0xFF):
            # A block again (our ACK came late): accept it once more.
            send(b"\x06C" if expect == 1 else b"\x06")
        elif stage == "end" and pkt[1] == 0 and not body.strip(b"\0"):
            send(b"\x06")
            elapsed = time.monotonic() - start
            with open(out, "wb") as f:
                f.write(data[:size])
            print("%.4f" % elapsed, flush=True)
            time.sleep(0.5)   # the sender closes first
            sys.exit(0)
        else:
            sys.exit("receiver: packet %d out of order in %s" % (pkt[1], stage))
sys.exit("receiver: no complete transfer within 120 s")
PY
}

# One transfer to the instant receiver; prints its seconds.
instant_transfer() {
  local link=$tmp/instant-tty out=$tmp/instant.out fifo=$tmp/instant.fifo secs
  rm -f "$link" "$out" "$fifo"
  mkfifo "$fifo"
  instant_receiver "$link" "$out" >"$fifo" &
  local rpid=$!
  exec 4<"$fifo"
  read -r -t 10 _ <&4 || { echo "bench-ymodem: instant receiver did not start" >&2; kill "$rpid" 2>/dev/null; return 1; }
  QT_QPA_PLATFORM=offscreen timeout 300 "$sender" "$link" "$big" 115200 2>/dev/null \
    || { echo "bench-ymodem: sender failed against the instant receiver" >&2; kill "$rpid" 2>/dev/null; exec 4<&-; return 1; }
  read -r -t 10 secs <&4 || secs=
  exec 4<&-
  wait "$rpid" || { echo "bench-ymodem: instant receiver failed" >&2; return 1; }
  cmp -s "$big" "$out" || { echo "bench-ymodem: received file differs" >&2; return 1; }
  echo "$secs"
}

if [ "$mode" != instant ]; then
  read -r ours ours_rb < <(best "QT_QPA_PLATFORM=offscreen '$sender' TTY '$image' 115200 2>/dev/null")
  read -r theirs theirs_rb < <(best "cd '$tmp' && sb -k -b -q image.bin <TTY >TTY")
  [ -n "$ours_rb" ] && [ -n "$theirs_rb" ] || { echo "bench-ymodem: a transfer to rb failed" >&2; exit 1; }
fi
if [ "$mode" != rb ]; then
  big=$tmp/big.bin
  head -c 2097152 /dev/urandom >"$big"
  fastest=
  for _ in $(seq "$runs"); do
    t=$(instant_transfer)
    if [ -z "$fastest" ] || awk -v t="$t" -v b="$fastest" 'BEGIN { exit !(t < b) }'; then fastest=$t; fi
  done
fi

if [ "$mode" != instant ]; then
  printf 'image: 262144 bytes to lrzsz rb, best of %d runs, 1024-byte blocks\n' "$runs"
  printf '                  until rb has the file   until the sender exits\n'
  printf 'ymodem_send:      %8.3f s              %8.3f s\n' "$ours_rb" "$ours"
  printf 'lrzsz sb:         %8.3f s              %8.3f s\n' "$theirs_rb" "$theirs"
  awk -v a="$ours_rb" -v b="$theirs_rb" -v c="$ours" -v d="$theirs" \
    'BEGIN { printf "ratio ymodem_send / sb: %.2f until rb has the file (target: at most 1.00), %.2f until exit\n", a / b, c / d }'
  echo "(ymodem_send reports its result 100 ms after the final ACK, once the port is closed)"
fi
if [ "$mode" != rb ]; then
  printf 'image: 2097152 bytes to a receiver that answers at once, best of %d runs\n' "$runs"
  awk -v s="$fastest" 'BEGIN { printf "ymodem_send: %8.3f s, %.2f MiB/s (target: at least 1 MiB/s)\n", s, 2 / s }'
fi
