#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite twice:
# a normal build and a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for variant in normal sanitize; do
  dir="$root/build/test-$variant"
  opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DNODARA_BENCH=OFF)
  if [ "$variant" = sanitize ]; then
    opts=(-DCMAKE_BUILD_TYPE=Debug -DNODARA_BENCH=OFF -DNODARA_SANITIZE=ON)
  fi
  echo "== $variant build =="
  "$root/scripts/build.sh" "$dir" "${opts[@]}"
  echo "== $variant tests =="
  (cd "$dir" && ctest --output-on-failure -j "$(nproc)" --timeout 600) || status=1
done
exit $status
