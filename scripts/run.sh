#!/usr/bin/env bash
# Build Tavrelo and start it in the current directory, where it keeps its files.
set -euo pipefail
here=$(pwd)
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRELO_TESTS=OFF -DTAVRELO_BENCH=OFF >/dev/null
cmake --build "$top/build" -j"$(nproc)" --target tavrelo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
No display: Tavrelo is a desktop program and needs an X11 session (DISPLAY is not set).
The program is built. To try it without a desktop, run it on a virtual X server
(Debian package xvfb), from the directory where it should keep its files:
  xvfb-run -a -s "-screen 0 1024x768x24" $top/build/tavrelo
MSG
  exit 1
fi
cd "$here"
exec "$top/build/tavrelo"
