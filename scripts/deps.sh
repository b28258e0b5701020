#!/usr/bin/env bash
# Installs what the build, the editor and the tests need and the machine lacks.
# Debian 12 packages; nothing is downloaded from anywhere else.
set -euo pipefail

packages=(cmake make g++ pkg-config qt6-base-dev qt6-translations-l10n libgl-dev
          fonts-dejavu-core fonts-liberation2)
if [ "${1:-}" = "--tests" ]; then
  # The fuzzer needs clang with its fuzzer and sanitizer runtimes.
  packages+=(clang libclang-rt-dev)
  # The package check: cpack's DEB generator runs dpkg-shlibdeps (dpkg-dev, not on a
  # fresh Debian 12), and the desktop entry is checked by desktop-file-validate.
  packages+=(dpkg-dev desktop-file-utils)
  # The Windows profile functions are the reference for what KalCfg.ini means:
  # a small reader cross-compiled with MinGW runs under Wine.
  packages+=(wine64 gcc-mingw-w64-x86-64)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
