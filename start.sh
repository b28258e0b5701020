#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target eKalCfg

# A newcomer sees a filled window: a demo configuration of our own goes beside
# the program when none is there. An existing KalCfg.ini is never touched.
if [ ! -e build/KalCfg.ini ]; then
  iconv -f UTF-8 -t CP1251 assets/KalCfg.demo.ini | sed 's/$/\r/' > build/KalCfg.ini
  echo "A demo KalCfg.ini was put in $(pwd)/build/"
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "eKalCfg: no display found (DISPLAY is not set); run it under a virtual one: xvfb-run -a build/eKalCfg" >&2
  exit 1
fi
exec build/eKalCfg "$@"
