#!/usr/bin/env bash
# Start-up, memory and idle cost of the editor next to a bare Qt Quick Controls 2
# window (scripts/bench/bare-window.cpp: an ApplicationWindow with a Text and a
# Button, built here against the same Qt), both on the same private Xvfb
# display (96 dpi) with a private JACK server up.
#
#   scripts/bench-startup.sh [BUILD_DIR]
#
# Per round the two programs run one after the other, each alone (their order
# alternates between rounds), and are measured the same way:
#   first frame  time from the launch to the first buffer swap of its window
#                (scripts/bench/first-frame.c, preloaded into both)
#   work done    time from the launch to the end of the start-up work: the
#                last 5 ms step in which the main (GUI) thread used 1 ms or
#                more of CPU, watched until 3 s after the first frame (what a
#                program does after its first frame, such as making what is
#                not on screen yet, counts here; with the keyboard it also
#                takes in the configuration the editor asks for 2 s after the
#                keyboard is found)
#   RSS, PSS     and the anonymous part of PSS, SETTLE seconds after the first
#                frame (/proc/PID/smaps_rollup)
#   threads      at the same moment
#   idle         then it sits untouched for IDLE seconds: CPU used (% of one core) and context switches per second over
#                all their threads (voluntary ones are wake-ups)
# Each figure is printed as median [min..max] over the rounds with the ratio
# editor/bare of the medians, then the editor's threads that woke most in the
# last round, by name.
#
# Scenarios (SCENARIOS, default "no-keyboard keyboard"): without a keyboard, and
# with the keyboard simulator (build/tools/rambakey-sim) on the JACK server,
# which the editor finds, asks for its configuration and serial number, and
# then leaves alone.
#
# Environment: ROUNDS (default 7), IDLE (default 60 s), SETTLE (default 5 s),
# JACK_PERIOD (default 1024 frames at 48 kHz), SCENARIOS.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
rounds=${ROUNDS:-7}
idle=${IDLE:-60}
settle=${SETTLE:-5}
period=${JACK_PERIOD:-1024}
scenarios=${SCENARIOS:-no-keyboard keyboard}

editor=$build/app/VornelRambaKEYQ7X
sim=$build/tools/rambakey-sim
for tool in Xvfb jackd jack_wait gcc g++ pkg-config awk; do
  command -v "$tool" >/dev/null || { echo "bench-startup: $tool is missing" >&2; exit 2; }
done
for f in "$editor" "$sim"; do
  [ -x "$f" ] || { echo "bench-startup: $f is missing (build first: scripts/build.sh)" >&2; exit 2; }
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/bench-startup.XXXXXX")
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "building the bare window and the first-frame probe..." >&2
gcc -O2 -shared -fPIC -o "$tmp/first-frame.so" "$here/scripts/bench/first-frame.c" -ldl -lpthread
# shellcheck disable=SC2046
g++ -O2 -std=c++17 -fPIC -o "$tmp/bare-window" "$here/scripts/bench/bare-window.cpp" \
  $(pkg-config --cflags --libs Qt5Quick Qt5Qml Qt5Gui Qt5Core)

# Private display, JACK server and per-user folders, the same for both programs.
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -dpi 96 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "bench-startup: Xvfb did not start" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$tmp/display")
export QT_QPA_PLATFORM=xcb
unset QT_QUICK_BACKEND QT_FONT_DPI QT_SCALE_FACTOR

export JACK_DEFAULT_SERVER=bench-startup-$$ JACK_NO_AUDIO_RESERVATION=1
jackd --no-realtime -S -t 5000 -d dummy -r 48000 -p "$period" >"$tmp/jackd.log" 2>&1 &
pids+=($!)
timeout 20 jack_wait -w >/dev/null 2>&1 || { echo "bench-startup: JACK did not start" >&2; cat "$tmp/jackd.log" >&2; exit 1; }

mkdir -p "$tmp/xdg/data" "$tmp/xdg/config" "$tmp/xdg/run"
chmod 700 "$tmp/xdg/run"
export XDG_DATA_HOME=$tmp/xdg/data XDG_CONFIG_HOME=$tmp/xdg/config XDG_RUNTIME_DIR=$tmp/xdg/run

ticks=$(getconf CLK_TCK)

# CPU time of a process so far, in clock ticks (its ended threads included).
cpu_ticks() {
  awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"
}

# "tid<TAB>voluntary<TAB>involuntary<TAB>name" for each thread of a process.
thread_switches() {
  local t
  for t in /proc/"$1"/task/*; do
    printf '%s\t%s\t%s\n' "${t##*/}" \
      "$(awk '/^voluntary_ctxt_switches/ { v = $2 } /^nonvoluntary_ctxt_switches/ { n = $2 } END { print v + 0 "\t" n + 0 }' "$t/status" 2>/dev/null || printf '0\t0')" \
      "$(cat "$t/comm" 2>/dev/null)"
  done
}

# Switches between two thread_switches snapshots, counted per thread, so that
# a thread that ends (a pool's idle worker) takes away nothing and one that
# starts counts in full: "voluntary involuntary".
switch_delta() {
  awk -F'\t' 'NR == FNR { v[$1] = $2; n[$1] = $3; next }
       { dv += $2 - (($1 in v) ? v[$1] : 0); dn += $3 - (($1 in n) ? n[$1] : 0) }
       END { print dv + 0, dn + 0 }' "$1" "$2"
}

# Voluntary switches per second by thread name between two snapshots, most
# first: "rate<TAB>name".
wakes_by_name() {
  awk -F'\t' -v I="$3" 'NR == FNR { v[$1] = $2; next }
       { d[$4] += $2 - (($1 in v) ? v[$1] : 0) }
       END { for (k in d) if (d[k] > 0) printf "%.2f\t%s\n", d[k] / I, k }' "$1" "$2" | sort -g -r
}

# Starts a program with the first-frame probe; prints its pid, waits for the
# first frame and writes it (ms) to $tmp/<tag>.ff.
launch() {
  local tag=$1; shift
  rm -f "$tmp/$tag.ff.ns" "$tmp/$tag.busy.ns"
  local t0
  t0=$(date +%s%N)
  FIRST_FRAME_T0_NS=$t0 FIRST_FRAME_OUT="$tmp/$tag.ff.ns" FIRST_FRAME_BUSY_OUT="$tmp/$tag.busy.ns" \
    LD_PRELOAD="$tmp/first-frame.so" "$@" >>"$tmp/$tag.log" 2>&1 &
  echo $!
}

# The end of the start-up work (ms), once the probe's watch is over (3 s
# after the first frame; its thread is gone before anything else is read).
wait_busy() {
  local tag=$1
  for _ in $(seq 100); do
    [ -s "$tmp/$tag.busy.ns" ] && { sleep 0.1; awk '{ printf "%.1f\n", $1 / 1e6 }' "$tmp/$tag.busy.ns"; return 0; }
    sleep 0.05
  done
  echo "n/a"
}

wait_frame() {
  local tag=$1 pid=$2
  for _ in $(seq 600); do
    [ -s "$tmp/$tag.ff.ns" ] && { awk '{ printf "%.1f\n", $1 / 1e6 }' "$tmp/$tag.ff.ns"; return 0; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "bench-startup: $tag showed no frame; its output:" >&2
  tail -n 20 "$tmp/$tag.log" >&2
  return 1
}

# "rss_kB pss_kB pss_anon_kB threads"
memory() {
  local pid=$1
  awk '/^Rss:/ { r = $2 } /^Pss:/ { p = $2 } /^Pss_Anon:/ { a = $2 } END { printf "%d %d %d ", r, p, a }' \
    "/proc/$pid/smaps_rollup"
  awk '/^Threads:/ { print $2 }' "/proc/$pid/status"
}

stop() {
  local pid=$1
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Median, min and max of the numbers on standard input.
stats() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "n/a"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%s %s %s\n", m, v[1], v[NR] }'
}

# One figure: medians with their spread, then the ratio of the medians (or,
# with diff, their difference) and the goal for it.
report() {
  local file=$1 col=$2 label=$3 unit=$4 mode=${5:-ratio} goal=${6:-} e b
  e=$(awk -v c="$col" '$1 == "editor" { print $c }' "$file" | stats)
  b=$(awk -v c="$col" '$1 == "bare" { print $c }' "$file" | stats)
  awk -v l="$label" -v u="$unit" -v e="$e" -v b="$b" -v m="$mode" -v g="$goal" 'BEGIN {
    split(e, E, " "); split(b, B, " ")
    if (m == "diff") r = sprintf("diff %+.3f", E[1] - B[1])
    else r = (B[1] > 0) ? sprintf("ratio %.2fx", E[1] / B[1]) : "ratio -"
    if (g != "") r = r "  (goal " g ")"
    printf "  %-14s editor %8.2f [%.2f..%.2f] %-3s bare %8.2f [%.2f..%.2f] %-3s %s\n",
      l, E[1], E[2], E[3], u, B[1], B[2], B[3], u, r }'
}

run_scenario() {
  local scenario=$1 simpid=
  local results=$tmp/$scenario.results
  : >"$results"
  if [ "$scenario" = keyboard ]; then
    "$sim" --api jack --serial RK7X-BENCH --version 1.0.2 >"$tmp/sim.log" 2>&1 &
    simpid=$!
    pids+=("$simpid")
    for _ in $(seq 100); do grep -q READY "$tmp/sim.log" 2>/dev/null && break; sleep 0.1; done
  fi
  echo "== $scenario: $rounds rounds, idle ${idle}s, JACK dummy 48 kHz / $period frames" >&2
  local r
  for r in $(seq "$rounds"); do
    local order=(editor bare)
    [ $((r % 2)) -eq 0 ] && order=(bare editor)
    local tag
    for tag in "${order[@]}"; do
      local pid ff busy mem c0 c1
      if [ "$tag" = editor ]; then
        pid=$(launch editor "$editor" --midi-api jack)
      else
        pid=$(launch bare "$tmp/bare-window")
      fi
      pids+=("$pid")
      ff=$(wait_frame "$tag" "$pid") || exit 1
      sleep "$settle"
      busy=$(wait_busy "$tag")
      mem=$(memory "$pid")
      c0=$(cpu_ticks "$pid")
      thread_switches "$pid" >"$tmp/$tag.sw0"
      sleep "$idle"
      c1=$(cpu_ticks "$pid")
      thread_switches "$pid" >"$tmp/$tag.sw1"
      stop "$pid"
      # tag ff_ms rss pss anon threads cpu% switches/s voluntary/s done_ms
      echo "$tag $ff $mem $c0 $c1 $(switch_delta "$tmp/$tag.sw0" "$tmp/$tag.sw1") $busy" | awk -v T="$ticks" -v I="$idle" '{
        printf "%s %s %.1f %.1f %.1f %d %.3f %.2f %.2f %s\n", $1, $2, $3 / 1024, $4 / 1024, $5 / 1024, $6,
          100 * ($8 - $7) / T / I, ($9 + $10) / I, $9 / I, $11 }' >>"$results"
    done
    echo "  round $r:" "$(awk '{ printf "%s %sms (done %sms) %sMB %s thr %s%% %s sw/s; ", $1, $2, $10, $3, $6, $7, $8 }' <(tail -n 2 "$results"))" >&2
  done
  echo "$scenario (JACK dummy 48 kHz / $period frames; median [min..max] of $rounds rounds):"
  report "$results" 2 "first frame" ms ratio "<= 1.30x"
  report "$results" 10 "work done" ms
  report "$results" 3 "RSS" MB ratio "<= 1.30x"
  report "$results" 4 "PSS" MB ratio "<= 1.30x"
  report "$results" 5 "PSS anon" MB
  report "$results" 6 "threads" ""
  report "$results" 7 "idle CPU" "%" diff "<= +0.10"
  report "$results" 8 "switches" "/s" diff
  report "$results" 9 "wake-ups" "/s" diff
  echo "  editor threads by wake-ups (voluntary switches) over the last ${idle}s idle (goal: none above 1/s):"
  wakes_by_name "$tmp/editor.sw0" "$tmp/editor.sw1" "$idle" | head -n 8 \
    | awk -F'\t' '{ printf "    %-18s %8.2f /s\n", $2, $1 }'
  if [ -n "$simpid" ]; then
    kill "$simpid" 2>/dev/null || true
    wait "$simpid" 2>/dev/null || true
  fi
}

for scenario in $scenarios; do
  run_scenario "$scenario"
done
