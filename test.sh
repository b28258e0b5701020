#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the package
# check, a bounded fuzzing run of the configuration reader (FUZZ_SECONDS, default
# 60), the check of the reader and writer against the Windows profile functions
# under Wine, and the unit and GUI tests (offscreen). Prints one line per step and the
# summaries; each step's whole output is in its log under build/logs/.
set -euo pipefail
cd "$(dirname "$0")"
logs=build/logs
mkdir -p "$logs"

# step NAME LOG COMMAND...: runs COMMAND with its output in LOG; on a failure shows
# the end of LOG and stops with COMMAND's exit status.
step() {
  local name=$1 log=$2 start=$SECONDS status
  shift 2
  printf '%-28s' "$name"
  if "$@" >"$log" 2>&1; then
    printf 'ok (%d s)\n' $((SECONDS - start))
  else
    status=$?
    printf 'FAILED (exit status %d); the end of %s:\n' "$status" "$log"
    tail -n 40 "$log"
    exit "$status"
  fi
}

# show LOG PATTERN: the log's lines that a person reads.
show() { grep -E "$2" "$1" || true; }

fuzz_seconds="${FUZZ_SECONDS:-60}"
step "dependencies" "$logs/deps.log" bash scripts/deps.sh --tests
step "configure" "$logs/configure.log" cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
step "build" "$logs/build.log" cmake --build build -j"$(nproc)"
warnings=$(grep -c 'warning:' "$logs/build.log" || true)
[ "$warnings" -eq 0 ] || echo "  $warnings compiler warnings, see $logs/build.log"
step "install and package" "$logs/package.log" bash scripts/package.sh
show "$logs/package.log" '^package: '
step "fuzzing, $fuzz_seconds s" "$logs/fuzz.log" bash scripts/fuzz.sh "$fuzz_seconds"
show "$logs/fuzz.log" '^Done [0-9]+ runs'
step "check against Windows" "$logs/windows.log" \
  env QT_QPA_PLATFORM=offscreen build/tests/tst_WindowsReference
show "$logs/windows.log" '^SKIP|^Totals'
# The tests stay last: their summary line closes the report.
step "unit and GUI tests" "$logs/ctest.log" \
  env QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)" -E '^tst_WindowsReference$'
show "$logs/ctest.log" '^[0-9]+% tests passed'
