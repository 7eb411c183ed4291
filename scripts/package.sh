#!/usr/bin/env bash
# Builds the Debian package build/package/nodara_<version>_<arch>.deb: a Release build without
# tests, installed under /usr, with its dependencies from Debian.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# dpkg-shlibdeps works out the shared-library dependencies.
"$root/scripts/setup.sh" dpkg-dev

dir="$root/build/package"
"$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Release -DNODARA_TESTS=OFF -DNODARA_BENCH=OFF
rm -f "$dir"/nodara_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
deb=$(ls "$dir"/nodara_*.deb)

# The menu entry as packaged must validate.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/nodara.desktop"

dpkg-deb -f "$deb" Package Version Architecture Depends
echo "$deb"
