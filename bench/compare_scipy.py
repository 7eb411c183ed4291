#!/usr/bin/python3
"""Times CSIEZ and SPLEZ ITYPE 12 against SciPy on the same data in one run.

    bench/compare_scipy.py TIME_LIBRARY [REPEATS]

TIME_LIBRARY is the time_library program of a build. For NDATA 10^4 and 10^5
and N = 10^6 distinct abscissas in random order, the library's time is set
beside SciPy's for the same job in double precision: after a warm-up round,
REPEATS rounds (at least 5) alternate between the two, and each figure is the
median with the least and greatest round, the ratio taken round by round.
Both sides count processor time (the library's thread, SciPy's whole process),
so the wait for a core on a loaded machine is charged to neither. SciPy's jobs:
CubicSpline (not-a-knot) built and evaluated, and make_lsq_spline on the
library's own knots built and evaluated, with the values in the caller's
order. SciPy's B-spline finds the interval of each point starting from the one
before, which is slow for points in random order; its users sort them first.
So SciPy is timed both ways, evaluating in the given order and sorting inside
the timer (argsort, evaluate, values put back in the caller's order), and the
faster of the two is its figure. Needs Debian's python3-scipy
(bench/compare_scipy.sh installs it when missing).
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy.interpolate import CubicSpline, make_lsq_spline


def library_knots(x, k=4):
    """The knots SPLEZ ITYPE 12 places on the sorted abscissas x (1-based rule)."""
    n = len(x)
    m, r = n // 4, n % 4
    ncoef = (n - 1) // 4 + k
    t = [x[0]] * k
    t += [x[4 * j - 1] for j in range(1, m)]
    if r == 1:
        t.append(x[4 * m - 3])
    elif r in (2, 3):
        t.append(x[4 * m - 2])
    eps = np.finfo(np.float32).eps
    xr = float(np.float32(float(x[-1]) * (1.0 + 100.0 * eps * (1 if x[-1] >= 0 else -1))))
    t += [xr] * k
    assert len(t) == ncoef + k
    return np.asarray(t, dtype=np.float64)


def build(method, x, f):
    if method == "csiez":
        return CubicSpline(x, f, bc_type="not-a-knot")
    return make_lsq_spline(x, f, library_knots(x), k=3)


def evaluate_sorted(curve, xvec):
    """The values at xvec in its own order, computed at the points sorted."""
    order = np.argsort(xvec)
    values = np.empty_like(xvec)
    values[order] = curve(xvec[order])
    return values


def scipy_once(method, x, f, xvec, way):
    """Processor seconds of one SciPy job (all its threads), evaluating in the given order or
    sorted."""
    start = time.process_time()
    curve = build(method, x, f)
    if way == "sorted":
        evaluate_sorted(curve, xvec)
    else:
        curve(xvec)
    return time.process_time() - start


def spread(values, form):
    """A figure over the rounds: "median [least, greatest]"."""
    return (f"{statistics.median(values):{form}} [{min(values):{form}}, "
            f"{max(values):{form}}]")


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    program = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) == 3 else 5
    if repeats < 5:
        sys.exit(__doc__)
    n = 10**6
    with tempfile.TemporaryDirectory() as work:
        data = os.path.join(work, "data.bin")
        with open("/proc/loadavg", encoding="ascii") as load:
            print(f"load {' '.join(load.read().split()[:3])}")
        print(f"{'job':28} {'library s':>28} {'SciPy s':>28} {'ratio':>20}  SciPy's way")
        for method, label in (("csiez", "CSIEZ"), ("splez", "SPLEZ ITYPE 12")):
            for ndata in (10**4, 10**5):
                # Rounds alternate between the library (the median of three calls in one run of
                # TIME_LIBRARY) and SciPy both ways, so a load that comes and goes falls on all;
                # round 0 is the warm-up and is not counted.
                ours, theirs = [], {"given order": [], "sorted": []}
                x = f = xvec = None
                for _ in range(repeats + 1):
                    out = subprocess.run([program, method, str(ndata), str(n), "3", data],
                                         check=True, capture_output=True, text=True)
                    ours.append(float(out.stdout))
                    if x is None:
                        raw = np.fromfile(data, dtype="<f4", offset=8)
                        x = raw[:ndata].astype(np.float64)
                        f = raw[ndata:2 * ndata].astype(np.float64)
                        xvec = raw[2 * ndata:].astype(np.float64)
                    for way in theirs:
                        theirs[way].append(scipy_once(method, x, f, xvec, way))
                ours = ours[1:]
                theirs = {way: times[1:] for way, times in theirs.items()}
                way = min(theirs, key=lambda w: statistics.median(theirs[w]))
                ratio = [a / b for a, b in zip(ours, theirs[way])]
                print(f"{label + ', NDATA ' + str(ndata):28} {spread(ours, '.4f'):>28} "
                      f"{spread(theirs[way], '.4f'):>28} {spread(ratio, '.2f'):>20}  {way}",
                      flush=True)


if __name__ == "__main__":
    main()
