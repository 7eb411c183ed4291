#!/usr/bin/env bash
# Sets up the machine, builds everything and starts the program on the example
# data in a working directory of its own (build/run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DNODARA_TESTS=OFF -DNODARA_BENCH=OFF

work="$root/build/run"
mkdir -p "$work"
cp "$root/build/release/bin/Fitcore" "$work/"
cp "$root"/examples/ex_* "$work/"
cd "$work"
if [ -x "$root/build/release/bin/Nodara" ]; then
  exec "$root/build/release/bin/Nodara"
fi
# Without the windowed program, run the engine on one example data set.
cp "$root/examples/engine/B2F.dat" B2F.dat
printf '00\r\n' > Bor3.dat
./Fitcore < /dev/null
echo "F2B.dat:"
head -5 F2B.dat
