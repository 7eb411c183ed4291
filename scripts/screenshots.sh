#!/usr/bin/env bash
# Makes the README's screenshots again: builds the program, then takes the windows listed in
# docs/screenshots.list on a virtual X display and writes them as PNG files into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DNODARA_TESTS=OFF -DNODARA_BENCH=OFF

# Japanese text as a Japanese desktop shows it (the CJK font's Japanese glyph forms).
export LANG=ja_JP.UTF-8
unset QT_QPA_PLATFORM
# The file dialogs show the folder the program works in; a short one reads best.
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$root/build/release/bin/nodara_screenshots" "$root/docs/screenshots.list" "$root/docs" \
  "${TMPDIR:-/tmp}/Nodara"
