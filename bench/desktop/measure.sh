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
servers=()
pids=()
cleanup() {
  for p in "${pids[@]}" "${servers[@]}"; do kill -KILL "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export QT_QPA_PLATFORM=xcb
hz=$(getconf CLK_TCK)

# Start an Xvfb of its own for name $1; it picks a free display, left in the variable named $2.
start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/$1.display" >/dev/null 2>&1 &
  servers+=($!)
  disown $!
  echo $! >"$work/$1.xvfb"
  for _ in $(seq 100); do [ -s "$work/$1.display" ] && break; sleep 0.05; done
  printf -v "$2" ':%s' "$(head -n1 "$work/$1.display")"
}

# Answer the user + system ticks of process $1.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Prepare a directory in the steady state: a counter file and a reset day, so no help window opens.
prepare() {
  rm -rf "$1" && mkdir -p "$1"
  printf '01/%s 08:00:00\r\n0\r\n0\r\n' "$(date +%m/%Y)" >"$1/decompte_internet.log"
  printf '1\r\n' >"$1/jour_raz.txt"
}

# Start $3 (window title $2) five times on display $1 and print the median start-to-mapped time in ms.
mapped_ms() {
  local display=$1 title=$2 exe=$3 times=()
  for run in 1 2 3 4 5; do
    prepare "$work/start"
    local answer
    answer=$(cd "$work/start" && DISPLAY=$display "$probe" start "$title" "$exe" 2>/dev/null)
    kill -KILL "${answer% *}" 2>/dev/null || true
    times+=("${answer#* }")
    sleep 0.3
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

start_display tavrelo tavrelo_display
start_display baseline baseline_display
echo "start to mapped (median of 5), tavrelo:  $(mapped_ms "$tavrelo_display" Tavrelo "$program") ms"
echo "start to mapped (median of 5), baseline: $(mapped_ms "$baseline_display" Baseline "$baseline") ms"

# Both run idle side by side, each on its own X server, so that they share the machine's conditions.
prepare "$work/tavrelo"
prepare "$work/baseline"
answer=$(cd "$work/tavrelo" && DISPLAY=$tavrelo_display "$probe" start Tavrelo "$program" 2>/dev/null)
tpid=${answer% *}
pids+=("$tpid")
answer=$(cd "$work/baseline" && DISPLAY=$baseline_display "$probe" start Baseline "$baseline" 2>/dev/null)
bpid=${answer% *}
pids+=("$bpid")
txvfb=$(cat "$work/tavrelo.xvfb")
bxvfb=$(cat "$work/baseline.xvfb")
sleep 6 # the splash and the first ticks pass
t0=$(ticks "$tpid") b0=$(ticks "$bpid") tx0=$(ticks "$txvfb") bx0=$(ticks "$bxvfb")
sleep "$seconds"
t1=$(ticks "$tpid") b1=$(ticks "$bpid") tx1=$(ticks "$txvfb") bx1=$(ticks "$bxvfb")
thwm=$(awk '/^VmHWM/ {print $2}' "/proc/$tpid/status")
bhwm=$(awk '/^VmHWM/ {print $2}' "/proc/$bpid/status")
percent() { awk -v a="$1" -v b="$2" -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.2f", (b - a) * 100 / hz / s }'; }
pc=$(percent "$t0" "$t1") bc=$(percent "$b0" "$b1")
echo "idle CPU over ${seconds} s, tavrelo:  ${pc} % of one core (its Xvfb $(percent "$tx0" "$tx1") %), peak RSS $((thwm / 1024)) MB (${thwm} kB)"
echo "idle CPU over ${seconds} s, baseline: ${bc} % of one core (its Xvfb $(percent "$bx0" "$bx1") %), peak RSS $((bhwm / 1024)) MB (${bhwm} kB)"
awk -v p="$pc" -v b="$bc" 'BEGIN { if (b > 0) printf "ratio tavrelo / baseline: %.2f\n", p / b }'
