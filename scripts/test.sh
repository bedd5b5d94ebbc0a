#!/usr/bin/env bash
# Build Tavrelo and run every test: the normal build, then the unit tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs" --timeout 300)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVRELO_SANITIZE=ON -DTAVRELO_DESKTOP=OFF -DTAVRELO_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs" --timeout 300 -LE "real-window|soak")
