#!/usr/bin/env bash
# Installs Debian's python3-scipy when missing, then runs compare_scipy.py on
# a build's time_library: bench/compare_scipy.sh BUILD [REPEATS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
"$root/scripts/setup.sh" python3-scipy
/usr/bin/python3 "$root/bench/compare_scipy.py" "$build/bin/time_library" "${2:-5}"
