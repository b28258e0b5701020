#!/usr/bin/env bash
# Builds the load/save benchmark in Release (build-bench) and runs it.
# Exit code: the benchmark's own (non-zero when a budget is missed).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DEKALCFG_GUI=OFF -DEKALCFG_TESTS=OFF -DEKALCFG_BENCH=ON -DEKALCFG_FUZZ=OFF >/dev/null
cmake --build "$build" --target bench_config -j "$(nproc)"
exec "$build/bench/bench_config"
