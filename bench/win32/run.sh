#!/usr/bin/env bash
# Runs the Windows benchmarks under Wine and prints their ratios: start-up of tempra.exe
# against a plain program that builds the same main window (and against the smallest
# titled-window program), the CPU of waiting for an alarm against its floor, a call
# posted to the main thread against the bare message round trip, the list-style
# gadgets against plain controls doing the same native work, and a canvas's drawing and
# presenting against plain GDI.
#   bash bench/win32/run.sh [BUILD_DIR]     (default build/win64, built with its preset)
# Options through the environment: STARTUP_RUNS (21), WAIT_SECONDS (20), WAIT_ROUNDS (3),
# SECTIONS (which to run, default "startup waiting posted gadgets canvas").
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=$(realpath -m "${1:-$ROOT/build/win64}")
BENCH="$BUILD/bench/win32"
TEMPRA="$BUILD/app/win32/tempra.exe"
STARTUP_RUNS=${STARTUP_RUNS:-21}
WAIT_SECONDS=${WAIT_SECONDS:-20}
WAIT_ROUNDS=${WAIT_ROUNDS:-3}
SECTIONS=" ${SECTIONS:-startup waiting posted gadgets canvas} "

for f in "$BENCH/startup_bench.exe" "$BENCH/floor_main_window.exe" "$BENCH/floor_window.exe" \
  "$BENCH/floor_wait.exe" "$BENCH/wait_launch.exe" "$BENCH/posted_call_bench.exe" \
  "$BENCH/gadget_bench.exe" "$BENCH/canvas_bench.exe" "$TEMPRA"; do
  [[ -f "$f" ]] || { echo "missing $f: cmake --build $BUILD first" >&2; exit 2; }
done

# A screen that holds the canvas benchmark's full-HD window whole; every other program's
# window fits either size.
export TEMPRA_XVFB_SCREEN=${TEMPRA_XVFB_SCREEN:-2048x1280x24}
# shellcheck source=../../scripts/wine-session.sh
source "$ROOT/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$BUILD/bench-wineprefix" || exit 1

# CPU nanoseconds used so far by every thread of a Linux process.
cpu_ns() {
  local pid=$1 total=0 t v
  for t in /proc/"$pid"/task/*/schedstat; do
    read -r v _ <"$t" 2>/dev/null && total=$((total + v))
  done
  echo "$total"
}

# The wineserver of this session's prefix: it works in a folder named after the
# prefix's device and inode numbers.
server_pid() {
  local id p
  id=$(stat -c '%d %i' "$WINEPREFIX" | awk '{ printf "server-%x-%x", $1, $2 }')
  for p in $(pgrep -x wineserver64; pgrep -x wineserver); do
    [[ "$(readlink "/proc/$p/cwd")" == */"$id" ]] && { echo "$p"; return 0; }
  done
  return 1
}

# The newest process named NAME that runs in this session's prefix.
program_pid() {
  local p
  for p in $(pgrep -x "$1" | sort -rn); do
    if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

# CPU milliseconds of program NAME (process name) plus the wineserver over WAIT_SECONDS.
measure_wait() {
  local kind=$1 program=$2 name=$3 pid spid a0 s0 a1 s1
  wine "$BENCH/wait_launch.exe" "$kind" "$program" >/dev/null || return 1
  pid=$(program_pid "$name") || return 1
  spid=$(server_pid) || return 1
  sleep 2
  a0=$(cpu_ns "$pid"); s0=$(cpu_ns "$spid")
  sleep "$WAIT_SECONDS"
  a1=$(cpu_ns "$pid"); s1=$(cpu_ns "$spid")
  kill "$pid" 2>/dev/null
  sleep 2
  echo $(( (a1 - a0 + s1 - s0) / 1000000 ))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

wanted() { [[ "$SECTIONS" == *" $1 "* ]]; }

if wanted startup; then
  echo "== start-up ($STARTUP_RUNS runs each, interleaved)"
  echo "   columns: tempra.exe, floor_main_window.exe (the same window), floor_window.exe"
  wine "$BENCH/startup_bench.exe" "$STARTUP_RUNS" "$TEMPRA" "$BENCH/floor_main_window.exe" \
    "$BENCH/floor_window.exe"
fi

if wanted waiting; then
  echo "== waiting (${WAIT_SECONDS} s, $WAIT_ROUNDS rounds each, interleaved; process + wineserver)"
  tempra_ms=() floor_ms=()
  for ((round = 1; round <= WAIT_ROUNDS; round++)); do
    t=$(measure_wait tempra "$TEMPRA" tempra.exe) || { echo "tempra did not wait" >&2; exit 1; }
    f=$(measure_wait floor "$BENCH/floor_wait.exe" floor_wait.exe) || { echo "floor did not wait" >&2; exit 1; }
    echo "round $round: tempra $t ms, floor $f ms"
    tempra_ms+=("$t"); floor_ms+=("$f")
  done
  tm=$(printf '%s\n' "${tempra_ms[@]}" | median)
  fm=$(printf '%s\n' "${floor_ms[@]}" | median)
  echo "median tempra: $tm ms CPU, floor: $fm ms CPU"
  awk -v a="$tm" -v b="$fm" 'BEGIN { printf "waiting ratio: %.2f\n", (b > 0 ? a / b : 0) }'
fi

if wanted posted; then
  echo "== posted call"
  wine "$BENCH/posted_call_bench.exe"
fi

if wanted gadgets; then
  echo "== list box, combo box, tree view and tool bar against plain controls"
  wine "$BENCH/gadget_bench.exe"
fi

if wanted canvas; then
  echo "== canvas graphics against plain GDI into the same kind of buffer"
  wine "$BENCH/canvas_bench.exe"
fi
