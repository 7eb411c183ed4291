#!/usr/bin/env bash
# Installs Debian's libgsl-dev and libboost-dev when missing (for this benchmark only), builds
# compare_peers in a Release build tree and runs it:
#   bench/compare_peers.sh BUILD [REPEATS] [NDATA...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift
"$root/scripts/setup.sh" libgsl-dev libboost-dev
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target compare_peers >/dev/null
"$build/bin/compare_peers" "$@"
