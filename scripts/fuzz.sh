#!/usr/bin/env bash
# Runs every fuzz target with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer:
#   scripts/fuzz.sh [--runs N] [seconds per target] [target...]
# Each target stops after its seconds or, with --runs, after N executions,
# whichever comes first.
# Installs clang and its runtime from Debian's packages when missing, builds
# build/fuzz with clang, and fuzzes each target from its committed corpus
# (fuzz/corpus/<target>) into a working corpus in build/fuzz/corpus. Inputs
# that fail a property, crash or hang land in build/fuzz/findings/<target>;
# add each to the committed corpus once it is fixed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs_limit=()
if [ "${1:-}" = --runs ]; then
  runs_limit=(-runs="$2")
  shift 2
fi
seconds=${1:-60}
shift || true

"$root/scripts/setup.sh" clang libclang-rt-14-dev

build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DNODARA_FUZZER=ON -DNODARA_TESTS=OFF -DNODARA_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in "$root"/fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    if grep -q "\b$name\b" "$root/fuzz/CMakeLists.txt"; then targets+=("$name"); fi
  done
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The targets that read files write their scratch copies to the temporary
# folder: on a memory file system when there is one, as that halves their time.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
summary=()
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$corpus" "$findings"
  log="$build/$t.log"
  # A target that needs longer inputs says so in its source: "// fuzz max_len: N".
  max_len=$(sed -n 's|^// fuzz max_len: *\([0-9][0-9]*\).*|\1|p' "$root/fuzz/$t.cpp" | head -1)
  echo "== $t: $seconds s${runs_limit:+ or ${runs_limit[0]#-runs=} runs} =="
  set +e
  "$build/bin/$t" "$corpus" "$root/fuzz/corpus/$t" -max_total_time="$seconds" "${runs_limit[@]}" -timeout=10 \
    -rss_limit_mb=2048 -max_len="${max_len:-8192}" -print_final_stats=1 -artifact_prefix="$findings/" \
    >"$log" 2>&1
  rc=$?
  set -e
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  hangs=$(find "$findings" -name 'timeout-*' 2>/dev/null | wc -l)
  crashes=$(find "$findings" \( -name 'crash-*' -o -name 'leak-*' -o -name 'oom-*' \) | wc -l)
  summary+=("$(printf '%-16s %12s runs %8s exec/s  %s crashes/leaks/ooms  %s hangs  exit %s' \
    "$t" "${runs:-?}" "${rate:-?}" "$crashes" "$hangs" "$rc")")
  if [ "$rc" -ne 0 ]; then
    status=1
    grep -m5 -E 'property failed|ERROR: |runtime error' "$log" || true
  fi
done
echo "== summary =="
printf '%s\n' "${summary[@]}"
exit $status
