#!/usr/bin/env bash
# Builds the window benchmark in Release (build-bench-window) and runs it on Qt's
# offscreen platform. Exit code: the benchmark's own (non-zero when a budget is missed).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-bench-window"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DEKALCFG_GUI=ON -DEKALCFG_TESTS=OFF -DEKALCFG_BENCH=ON -DEKALCFG_FUZZ=OFF >/dev/null
cmake --build "$build" --target bench_window -j 2
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false' exec "$build/bench/bench_window"
