#!/usr/bin/env bash
# Prints the instruction counts (valgrind --tool=callgrind) of one whole
# Fitcore run on the benchmarks' 100-point data set, method flag 0 and 1.
# bench/engine_counts.sh BUILD [FITCORE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
fitcore=${2:-$build/bin/Fitcore}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/write_bench_points" problem >"$work/B2F.dat"
for flag in 0 1; do
  printf '0%d\r\n' "$flag" >"$work/Bor3.dat"
  (cd "$work" && echo | valgrind --tool=callgrind --callgrind-out-file="$work/cg.$flag" \
      "$fitcore" >/dev/null 2>"$work/log.$flag")
  count=$(sed -n 's/^==[0-9]*== Collected : //p' "$work/log.$flag")
  printf 'Fitcore, 100 points, flag %d: %s instructions\n' "$flag" "$count"
done
