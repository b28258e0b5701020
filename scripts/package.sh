#!/usr/bin/env bash
# Makes the Debian package from the built build/ (cpack -G DEB), after checking what
# the install step puts under a prefix: the program, a desktop entry that passes
# desktop-file-validate, and the icon as SVG and as 48 x 48 PNG. Prints the
# package's control data and contents; the package is build/eKalCfg_<version>_<arch>.deb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build"
stage="$build/stage"
fail() { echo "package: $*" >&2; exit 1; }

rm -rf "$stage"
cmake --install "$build" --prefix "$stage"
desktop="$stage/share/applications/eKalCfg.desktop"
png="$stage/share/icons/hicolor/48x48/apps/eKalCfg.png"
for f in "$stage/bin/eKalCfg" "$desktop" "$stage/share/icons/hicolor/scalable/apps/eKalCfg.svg" "$png"; do
  [ -f "$f" ] || fail "the install step did not put ${f#"$stage/"} under the prefix"
done
desktop-file-validate "$desktop"
for key in 'Name' 'Name\[bg\]' 'Comment' 'Comment\[bg\]' 'Icon' 'Categories'; do
  grep -q "^$key=." "$desktop" || fail "the desktop entry has no ${key//\\/}"
done
# A PNG's width and height are the big-endian words at bytes 16 and 20.
[ "$(od -An -tu1 -j16 -N8 "$png" | tr -s ' ')" = " 0 0 0 48 0 0 0 48" ] || fail "the PNG icon is not 48 x 48"

rm -f "$build"/eKalCfg_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/eKalCfg_*_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no eKalCfg_<version>_<arch>.deb"
deb="${debs[0]}"
dpkg-deb -I "$deb"
dpkg-deb -c "$deb"
depends="$(dpkg-deb -f "$deb" Depends)"
for p in libqt6widgets6 qt6-qpa-plugins fonts-liberation2; do
  [[ "$depends" == *"$p"* ]] || fail "the package does not depend on $p"
done
[[ "$(dpkg-deb -f "$deb" Recommends)" == *qt6-translations-l10n* ]] || fail "the package does not recommend qt6-translations-l10n"
echo "package: ${deb#"$root/"}"
