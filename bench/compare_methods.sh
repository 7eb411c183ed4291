#!/usr/bin/env bash
# Installs Debian's python3-scipy when missing, then runs compare_methods.py on
# a build's Fitcore and splez_rows: bench/compare_methods.sh BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
"$root/scripts/setup.sh" python3-scipy
/usr/bin/python3 "$root/bench/compare_methods.py" "$build/bin/Fitcore" "$build/bin/splez_rows"
