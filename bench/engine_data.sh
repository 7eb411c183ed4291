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

# The points of a data file, one "X Y" line each in file order (commas and blanks separate).
points() { tr ',' ' ' <"$1" | awk 'NF >= 2 { print $1, $2 }'; }

for f in "$root"/examples/ex_*.dat "$root"/examples/ex_*.csv; do
  name=$(basename "$f")
  b2f="$dir/${name/./_}.b2f"
  points "$f" | awk 'BEGIN { n = 0 }
    { x[n] = $1; y[n] = $2; n++ }
    END { printf " %d \r\n", n
          for (i = 0; i < n; i++) printf "%+.5E %+.5E\r\n", x[i], y[i] }' >"$b2f"
  # The record read back must hold the example's points: the same count, and each value equal
  # to the example's within the rounding to six significant digits.
  if ! points "$f" | awk -v b2f="$b2f" '
      BEGIN { getline header <b2f; split(header, h, " "); count = h[1] + 0 }
      { n++
        if ((getline line <b2f) <= 0) { print "missing point " n; bad = 1; exit }
        split(line, r, " ")
        for (k = 1; k <= 2; k++) {
          want = $k + 0; got = r[k] + 0
          tol = 5e-6 * (want < 0 ? -want : want)
          diff = got - want
          if (diff < 0) diff = -diff
          if (diff > tol) { print "point " n ": " $k " written as " r[k]; bad = 1 }
        } }
      END { if (count != n) { print "count " count " written for " n " points"; bad = 1 }
            exit bad }'; then
    echo "engine_data.sh: $name is not written as it reads" >&2
    exit 1
  fi
done
"$build/bin/write_bench_points" problem >"$dir/bench_problem.b2f"
"$build/bin/write_bench_points" sine >"$dir/bench_sine.b2f"
# Distinct abscissas in a scrambled order, so the sorting path is exercised.
awk 'BEGIN { printf " 37 \r\n"
  for (i = 0; i < 37; i++) { x = (i * 17) % 37; printf "%+.5E %+.5E\r\n", x * 0.25, sin(x * 0.25) } }' \
  >"$dir/scrambled.b2f"
