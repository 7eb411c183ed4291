#!/usr/bin/env bash
# A long run of the monkey over every window: scripts/monkey.sh [events] [seed]
# (the test suite runs a short one). Builds the normal test tree first if needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/test-normal"
[ -d "$dir" ] || "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNODARA_BENCH=OFF
cmake --build "$dir" --target monkey_test >/dev/null
export QT_QPA_PLATFORM=offscreen
export NODARA_MONKEY_EVENTS=${1:-100000}
[ $# -ge 2 ] && export NODARA_MONKEY_SEED=$2
# Each test function has its own time limit; a long run needs more than the default.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-7200000}
"$dir/bin/monkey_test" 2>&1 | grep -v 'This plugin does not support'
