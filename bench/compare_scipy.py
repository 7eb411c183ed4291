#!/usr/bin/python3
"""Times CSIEZ and SPLEZ ITYPE 12 against SciPy on the same data in one run.

    bench/compare_scipy.py TIME_LIBRARY [REPEATS]

TIME_LIBRARY is the time_library program of a build. For NDATA 10^4 and 10^5
and N = 10^6 distinct abscissas in random order, the library's median time
over REPEATS rounds is set beside SciPy's median for the same job in double
precision, the rounds alternating between the two:
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
    """Seconds of one SciPy job, evaluating in the given order or sorted."""
    start = time.perf_counter()
    curve = build(method, x, f)
    if way == "sorted":
        evaluate_sorted(curve, xvec)
    else:
        curve(xvec)
    return time.perf_counter() - start


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    program = sys.argv[1]
    repeats = int(sys.argv[2]) if len(sys.argv) == 3 else 5
    n = 10**6
    with tempfile.TemporaryDirectory() as work:
        data = os.path.join(work, "data.bin")
        print(f"{'job':28} {'library s':>10} {'SciPy s':>10} {'ratio':>7}  SciPy's way")
        for method, label in (("csiez", "CSIEZ"), ("splez", "SPLEZ ITYPE 12")):
            for ndata in (10**4, 10**5):
                # Rounds alternate between the library (the median of three calls in one run of
                # TIME_LIBRARY) and SciPy both ways, so a load that comes and goes falls on all.
                ours, theirs = [], {"given order": [], "sorted": []}
                x = f = xvec = None
                for _ in range(repeats):
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
                way = min(theirs, key=lambda w: statistics.median(theirs[w]))
                ours_s, theirs_s = statistics.median(ours), statistics.median(theirs[way])
                print(f"{label + ', NDATA ' + str(ndata):28} {ours_s:10.4f} {theirs_s:10.4f} "
                      f"{ours_s / theirs_s:7.2f}  {way}", flush=True)


if __name__ == "__main__":
    main()
