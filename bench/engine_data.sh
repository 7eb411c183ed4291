#!/usr/bin/env bash
# Writes the engine's data sets as B2F files into DIR: the worked example, the
# example data files (in the engine's record layout, in file order) and the
# two 100-point benchmark sets. Used by engine_outputs.sh and engine_counts.sh.
# bench/engine_data.sh BUILD DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
dir=$2
mkdir -p "$dir"
cp "$root/examples/engine/B2F.dat" "$dir/example.b2f"
for f in "$root"/examples/ex_*.dat "$root"/examples/ex_*.csv; do
  name=$(basename "$f")
  tr ',' ' ' <"$f" | awk 'NF >= 2 { x[n] = $1; y[n] = $2; n++ }
    END { printf " %d \r\n", n
          for (i = 0; i < n; i++) printf "%+.5E %+.5E\r\n", x[i], y[i] }' >"$dir/${name/./_}.b2f"
done
"$build/bin/write_bench_points" problem >"$dir/bench_problem.b2f"
"$build/bin/write_bench_points" sine >"$dir/bench_sine.b2f"
# Distinct abscissas in a scrambled order, so the sorting path is exercised.
awk 'BEGIN { printf " 37 \r\n"
  for (i = 0; i < 37; i++) { x = (i * 17) % 37; printf "%+.5E %+.5E\r\n", x * 0.25, sin(x * 0.25) } }' \
  >"$dir/scrambled.b2f"
