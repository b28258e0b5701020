#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit and
# GUI tests (offscreen) and a bounded fuzzing run of the configuration reader.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh --tests
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -f scripts/fuzz.sh ]; then
  bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
fi
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
