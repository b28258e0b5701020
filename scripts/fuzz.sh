#!/usr/bin/env bash
# Builds the libFuzzer target with clang in build-fuzz and runs it for a bounded
# time on a copy of the seed corpus: scripts/fuzz.sh [seconds, default 60].
# Exit code non-zero on any crash, sanitizer report, hang or round-trip mismatch;
# the failing input is then kept as build-fuzz/artifacts/crash-* (or timeout-*).
set -euo pipefail
seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [seconds]" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DEKALCFG_GUI=OFF -DEKALCFG_TESTS=OFF -DEKALCFG_BENCH=OFF -DEKALCFG_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_kalcfg -j "$(nproc)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/fuzz/corpus" "$work/corpus"
mkdir -p "$build/artifacts"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
# -timeout: one input that takes seconds is a hang for the editor too.
"$build/fuzz/fuzz_kalcfg" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -timeout=10 \
    -dict="$root/fuzz/kalcfg.dict" -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$work/corpus"
