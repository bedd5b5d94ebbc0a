#!/usr/bin/env bash
# Measure the running program against the bare baseline window on a fresh Xvfb
# display: the time from start to the main window being mapped, the idle CPU
# over 60 s and the peak resident memory.
# Usage: bench/desktop/measure.sh [build-dir] [seconds]
set -euo pipefail
top="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:-$top/build}" && pwd)"
seconds=${2:-60}
program="$build/tavrelo"
baseline="$build/bench/desktop/tavrelo_baseline_window"
probe="$build/tests/desktop/XWindowProbe"
for f in "$program" "$baseline" "$probe"; do
  [ -x "$f" ] || { echo "missing $f: build the targets tavrelo, tavrelo_baseline_window and XWindowProbe" >&2; exit 1; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is not installed (Debian package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=""
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
hz=$(getconf CLK_TCK)

# Answer the user + system ticks of process $1.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Prepare a directory in the steady state: a counter file and a reset day, so no help window opens.
prepare() {
  rm -rf "$1" && mkdir -p "$1"
  printf '01/%s 08:00:00\r\n0\r\n0\r\n' "$(date +%m/%Y)" >"$1/decompte_internet.log"
  printf '1\r\n' >"$1/jour_raz.txt"
}

# Start $2 (window title $1) five times and print the median start-to-mapped time in ms.
mapped_ms() {
  local title=$1 exe=$2 times=()
  for run in 1 2 3 4 5; do
    prepare "$work/start"
    local answer
    answer=$(cd "$work/start" && "$probe" start "$title" "$exe" 2>/dev/null)
    local pid=${answer% *}
    times+=("${answer#* }")
    kill -KILL "$pid" 2>/dev/null || true
    sleep 0.3
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

# Run $2 (title $1) idle for the given seconds and print "cpu% hwm_kB".
idle() {
  local title=$1 exe=$2
  prepare "$work/idle"
  local answer pid
  answer=$(cd "$work/idle" && "$probe" start "$title" "$exe" 2>/dev/null)
  pid=${answer% *}
  pids+=("$pid")
  sleep 6 # the splash and the first ticks pass
  local t0 x0 t1 x1
  t0=$(ticks "$pid")
  x0=$(ticks "$xvfb_pid")
  sleep "$seconds"
  t1=$(ticks "$pid")
  x1=$(ticks "$xvfb_pid")
  local hwm
  hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  kill -TERM "$pid" 2>/dev/null || true
  awk -v a="$t0" -v b="$t1" -v xa="$x0" -v xb="$x1" -v hz="$hz" -v s="$seconds" -v m="$hwm" \
    'BEGIN { printf "%.2f %.2f %d\n", (b - a) * 100 / hz / s, (xb - xa) * 100 / hz / s, m }'
}

echo "start to mapped (median of 5), tavrelo:  $(mapped_ms Tavrelo "$program") ms"
echo "start to mapped (median of 5), baseline: $(mapped_ms Baseline "$baseline") ms"
read -r pc px pm <<<"$(idle Tavrelo "$program")"
read -r bc bx bm <<<"$(idle Baseline "$baseline")"
echo "idle CPU over ${seconds} s, tavrelo:  ${pc} % of one core (Xvfb ${px} %), peak RSS $((pm / 1024)) MB (${pm} kB)"
echo "idle CPU over ${seconds} s, baseline: ${bc} % of one core (Xvfb ${bx} %), peak RSS $((bm / 1024)) MB (${bm} kB)"
awk -v p="$pc" -v b="$bc" 'BEGIN { if (b > 0) printf "ratio tavrelo / baseline: %.2f\n", p / b }'
