#!/usr/bin/env bash
# Builds the libFuzzer target with clang in build-fuzz, replays the inputs of past
# findings (fuzz/regressions), then fuzzes for a bounded time on a copy of the
# seed corpus: scripts/fuzz.sh [seconds, default 60].
# Exit code non-zero on any crash, sanitizer report, hang or round-trip mismatch;
# a new failing input is kept as build-fuzz/artifacts/crash-* (or timeout-*).
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
fuzzer="$build/fuzz/fuzz_kalcfg"
# -timeout: an input that takes seconds is a hang for the editor too.
limits=(-max_len=4096 -rss_limit_mb=2048 -timeout=10)

status=0
shopt -s nullglob
for input in "$root"/fuzz/regressions/*; do
  if ! "$fuzzer" "${limits[@]}" "$input" >"$work/replay.log" 2>&1; then
    echo "FAILED: past finding $(basename "$input") fails again:" >&2
    grep -E 'ERROR|SUMMARY|does not|runtime error' "$work/replay.log" | head -5 >&2 || true
    status=1
  fi
done

if ! "$fuzzer" "${limits[@]}" -max_total_time="$seconds" -dict="$root/fuzz/kalcfg.dict" \
     -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$work/corpus"; then
  status=1
fi
exit "$status"
