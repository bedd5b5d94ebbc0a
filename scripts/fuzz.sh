#!/usr/bin/env bash
# Build the libFuzzer targets with clang and run each for a bounded time
# (SECONDS_PER_TARGET, default 60).  New inputs go to fuzz/out/; a crashing
# input is saved under fuzz/regressions/<target>/, where the regression test
# replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
seconds=${SECONDS_PER_TARGET:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRELO_FUZZ=ON \
  -DTAVRELO_DESKTOP=OFF -DTAVRELO_TESTS=OFF -DTAVRELO_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target fuzz_counter_file fuzz_region fuzz_grid
status=0
for target in counter_file region grid; do
  mkdir -p "fuzz/out/$target" "fuzz/regressions/$target"
  echo "== fuzz_$target for ${seconds}s"
  ./build-fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=1024 \
    -artifact_prefix="fuzz/regressions/$target/" "fuzz/out/$target" "fuzz/corpus/$target" || status=1
done
exit $status
