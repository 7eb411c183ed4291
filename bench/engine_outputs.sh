#!/usr/bin/env bash
# Runs Fitcore on every data set of engine_data.sh with both method flags and
# prints one line per run: the data set, the flag and the SHA-256 of F2B.dat
# and of the console output. Compare two builds by diffing their listings:
#   bench/engine_outputs.sh build-a > a.txt; bench/engine_outputs.sh build-b > b.txt
#   diff a.txt b.txt
# bench/engine_outputs.sh BUILD [FITCORE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
fitcore=${2:-$build/bin/Fitcore}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/bench/engine_data.sh" "$build" "$work/data"
for data in "$work"/data/*.b2f; do
  for flag in 0 1; do
    run="$work/run"
    rm -rf "$run" && mkdir "$run"
    cp "$data" "$run/B2F.dat"
    printf '0%d\r\n' "$flag" >"$run/Bor3.dat"
    (cd "$run" && echo | "$fitcore" >console.txt 2>&1) || true
    table=missing
    if [ -f "$run/F2B.dat" ]; then table=$(sha256sum <"$run/F2B.dat" | cut -c1-16); fi
    echo "$(basename "$data" .b2f) flag $flag F2B $table console $(sha256sum <"$run/console.txt" | cut -c1-16)"
  done
done
