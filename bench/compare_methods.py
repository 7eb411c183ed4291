#!/usr/bin/python3
"""Checks the engine's library methods against the library and against references.

    bench/compare_methods.py FITCORE SPLEZ_ROWS

FITCORE is a build's engine, SPLEZ_ROWS its splez_rows program (the same table
computed with one SPLEZ call per row). Every data set (the example files in each
scale mode their values allow, and data sets of this script's own) goes to the
engine as the windowed program sends it: sorted by X, natural logarithms on a
logarithmic axis, six significant digits. For Akima's cubic (2), the
shape-preserving cubic (3), the smoothing spline (9) and the monotone cubic (20)
the script prints:

- rows that differ from the one-call-per-row table (expected: none, to the last
  digit of F2B.dat);
- the largest distance from an independent double-precision reference, relative
  to the largest |Y| of the data: SciPy's Akima1DInterpolator for 2; SciPy's
  PCHIP for 3, which is a different curve (the figure measures how different),
  and for 20, which is the same curve built in single precision;
  for 9 a dense smoothing spline whose parameter minimises the same generalized
  cross-validation score, solved to 1e-10 in log rho;
- the curve's reach beyond the data's range and beyond the ends of its own
  interval, relative to the data's range;
- for 20, where its largest distance from PCHIP lies (the interval, the position
  in it, and the size of the data's values there against their differences);
- for 9, the printed parameter, score and noise deviation beside the reference's, and
  beside those of the library's own search for the parameter run on the double-precision
  score (which tells a local minimum that the search stops at from rounding).

Needs Debian's python3-scipy (bench/compare_methods.sh installs it when missing).
"""
import glob
import math
import os
import subprocess
import sys
import tempfile

import numpy as np
from scipy.interpolate import Akima1DInterpolator, CubicSpline, PchipInterpolator
from scipy.optimize import minimize_scalar

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
METHODS = {2: "Akima", 3: "shape-preserving", 9: "smoothing", 20: "monotone"}
MODES = {1: "lin-lin", 2: "lin-log", 3: "log-lin", 4: "log-log"}


def field(v):
    """A B2F.dat field as the windowed program writes it: sign, then 0.00000E+00."""
    return ("+" if v > 0 else "-") + "%.5E" % abs(v)


def sort_by_x(x, y):
    """The windowed program's order of the points: its exchange sort, then each X equal to
    the one before moved 1 % of the way to the next (the last one back towards its
    predecessor)."""
    x, y = list(map(float, x)), list(map(float, y))
    n = len(x)
    for i in range(n - 1):
        for j in range(i + 1, n):
            if x[i] > x[j]:
                x[i], x[j], y[i], y[j] = x[j], x[i], y[j], y[i]
    for i in range(n - 2):
        if x[i + 1] == x[i]:
            x[i + 1] += 0.01 * (x[i + 2] - x[i + 1])
    if n > 2 and x[n - 1] == x[n - 2]:
        x[n - 2] += 0.01 * (x[n - 3] - x[n - 2])
    return np.array(x), np.array(y)


def sent_points(x, y, mode):
    """The points as the engine receives them in a scale mode, or None if a value has no log."""
    x, y = sort_by_x(x, y)
    if mode in (3, 4):
        if np.any(x <= 0):
            return None
        x = np.log(x)
    if mode in (2, 4):
        if np.any(y <= 0):
            return None
        y = np.log(y)
    text = " %d \r\n" % len(x) + "".join(
        "%s %s\r\n" % (field(a), field(b)) for a, b in zip(x, y))
    # What the engine reads: each field's decimal value in single precision.
    xs = np.array([np.float32(field(a)) for a in x], float)
    ys = np.array([np.float32(field(b)) for b in y], float)
    return text, xs, ys


def grid(xs):
    """The table's abscissas: 100 per interval, computed as the engine computes them."""
    step = float(np.float32(0.01))
    return np.array([np.float32(xs[i] + ((xs[i + 1] - xs[i]) * j) * step)
                     for i in range(len(xs) - 1) for j in range(1, 101)], float)


def run_engine(fitcore, b2f, method):
    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(work, "B2F.dat"), "w", newline="") as f:
            f.write(b2f)
        with open(os.path.join(work, "Bor3.dat"), "w", newline="") as f:
            f.write("01\r\n%02d\r\n" % method)
        console = subprocess.run([fitcore], cwd=work, input=b"\n", capture_output=True,
                                 check=True).stdout.decode()
        with open(os.path.join(work, "F2B.dat"), "rb") as f:
            return f.read(), console


def table_rows(table):
    lines = table.decode().split("\r\n")[1:-1]
    return lines, np.array([float(r[13:26]) for r in lines])


class SmoothingReference:
    """Cubic smoothing splines of the data in double precision, dense: for a parameter rho (in
    the library's scaling, rho = 2 lambda / avh^3 for the penalty lambda * integral of s''^2)
    the score n RSS / tr(I-A)^2, the noise deviation sqrt(RSS / tr(I-A)) and the curve."""

    def __init__(self, x, y):
        n = len(x)
        h = np.diff(x)
        self.q = np.zeros((n, n - 2))
        self.r = np.zeros((n - 2, n - 2))
        for i in range(n - 2):
            self.q[i:i + 3, i] = 1 / h[i], -1 / h[i] - 1 / h[i + 1], 1 / h[i + 1]
            self.r[i, i] = (h[i] + h[i + 1]) / 3
            if i + 1 < n - 2:
                self.r[i, i + 1] = self.r[i + 1, i] = h[i + 1] / 6
        self.x, self.y, self.n = x, y, n
        self.scale = ((x[-1] - x[0]) / (n - 1)) ** 3 / 2

    def fit(self, rho):
        lam = rho * self.scale
        q = self.q
        b = lam * q @ np.linalg.solve(self.r + lam * q.T @ q, q.T)  # I - A
        resid = b @ self.y
        rss, tr = resid @ resid, np.trace(b)
        curve = CubicSpline(self.x, self.y - resid, bc_type="natural")
        return self.n * rss / tr**2, math.sqrt(rss / tr), curve

    def score(self, rho):
        return self.fit(rho)[0]

    def best(self):
        """The rho of the least score, to 1e-10 in log rho."""
        logs = np.arange(-40.0, 40.0, 0.05)
        k = int(np.argmin([self.score(math.exp(u)) for u in logs]))
        lo, hi = logs[max(k - 1, 0)], logs[min(k + 1, len(logs) - 1)]
        return math.exp(minimize_scalar(lambda u: self.score(math.exp(u)), bounds=(lo, hi),
                                        method="bounded", options={"xatol": 1e-10}).x)

    def searched(self):
        """The rho the library's search finds on this score: halving or doubling from 2 while
        the score falls, then golden section to a relative width of single precision's eps.
        Where single precision makes p or q = 1 - p zero, the library's fit is the
        interpolating spline or the straight line: rho 1e-30 or 1e30 here."""
        tiny, huge = 2.0**-24, 2.0**24

        def limit(rho):
            return 1e-30 if rho <= tiny else 1e30 if rho >= huge else rho

        def g(rho):
            return self.score(limit(rho))

        r1, r2 = 2.0, 1.0
        g1 = g(r1)
        while True:
            g2 = g(r2)
            if not g1 > g2:
                break
            if r2 <= tiny:
                return limit(r2)
            r1, g1, r2 = r2, g2, r2 / 2
        while True:
            r3 = 2 * r1
            g3 = g(r3)
            if g3 >= g1:
                break
            if r3 >= huge:
                return limit(r3)
            r1, g1 = r3, g3
        lo, hi, tau = r2, r3, 1.618034
        step = (hi - lo) / tau
        a, b = hi - step, lo + step
        ga, gb = g(a), g(b)
        while (hi - lo) / (hi + lo) > np.finfo(np.float32).eps:
            step /= tau
            if gb > ga:
                hi, b, gb = b, a, ga
                a = hi - step
                ga = g(a)
            else:
                lo, a, ga = a, b, gb
                b = lo + step
                gb = g(b)
        return limit((hi + lo) / 2)


def statistics(console):
    """The smoothing spline's three printed values."""
    found = {}
    for line in console.splitlines():
        for key in ("Smoothing parameter p", "Cross-validation score", "Noise standard deviation"):
            if line.startswith("   " + key):
                found[key] = float(line.split("=")[1])
    return found


def reach(rows_y, ys):
    """How far the curve goes beyond the data's range and beyond its own interval's ends,
    relative to the data's range."""
    span = ys.max() - ys.min()
    beyond_range = max(rows_y.max() - ys.max(), ys.min() - rows_y.min(), 0) / span
    per_interval = rows_y.reshape(len(ys) - 1, 100)
    beyond_ends = max(
        max(seg.max() - max(a, b), min(a, b) - seg.min(), 0)
        for seg, a, b in zip(per_interval, ys[:-1], ys[1:])) / span
    return beyond_range, beyond_ends


def worst_place(values, ref, xs, ys, at):
    """Where the table is farthest from the reference: the distance relative to the largest |Y|,
    the interval "i/n-1", the position in it, and the size of the values there over the
    interval's rise. Then, over all rows, the largest distance left once the table's rounding to
    six digits is taken off, in units of single precision's eps times the largest |Y| of the
    row's interval: what the single-precision arithmetic adds."""
    k = int(np.argmax(np.abs(values - ref)))
    i = min(max(int(np.searchsorted(xs, at[k])) - 1, 0), len(xs) - 2)
    rise = abs(ys[i + 1] - ys[i]) or float("nan")
    here = max(abs(ys[i]), abs(ys[i + 1]), abs(ref[k]))
    piece = np.clip(np.searchsorted(xs, at) - 1, 0, len(xs) - 2)
    size = np.maximum(np.maximum(np.abs(ys[piece]), np.abs(ys[piece + 1])), np.abs(ref))
    digit = 10.0 ** (np.floor(np.log10(np.maximum(np.abs(ref), 1e-300))) - 5)  # 6th digit
    beyond = np.maximum(np.abs(values - ref) - 0.5 * digit, 0) / (np.finfo(np.float32).eps * size)
    return (abs(values[k] - ref[k]) / np.abs(ys).max(), "%d/%d" % (i + 1, len(xs) - 1),
            (at[k] - xs[i]) / (xs[i + 1] - xs[i]), here / rise, beyond.max())


def data_sets():
    """Name, X, Y and the standard deviation of the noise added (0 for none)."""
    for path in sorted(glob.glob(os.path.join(ROOT, "examples", "ex_*"))):
        pts = np.loadtxt(path, delimiter="," if path.endswith(".csv") else None)
        yield os.path.basename(path), pts[:, 0], pts[:, 1], 0
    rng = np.random.default_rng(2024)
    x = np.sort(rng.uniform(0.5, 50, 100))
    yield "noisy, uneven (sd 0.05)", x, 2 + np.sin(x / 5) + rng.normal(0, 0.05, 100), 0.05
    x = np.arange(1, 101) * 0.5
    yield "noisy, even (sd 0.05)", x, 2 + np.sin(x / 5) + rng.normal(0, 0.05, 100), 0.05
    x = 10 ** np.linspace(-2, 2, 13) * (1 + 0.02 * np.sin(np.arange(13)))
    yield "1/x^2, four decades", x, 1 / x**2, 0
    yield "rising, two jumps", [1, 1.2, 3.6, 4.4, 4.6, 6], [0.2, 2.1, 2.2, 2.3, 4.3, 5.0], 0
    for k in range(20):
        n = int(rng.integers(4, 101))
        x = np.cumsum(10 ** rng.uniform(-2, 1, n))
        steps = 10 ** rng.uniform(-3, 1, n) * (rng.uniform(0, 1, n) > 0.2)
        if k % 2:
            steps *= rng.choice([-1, 1], n)
        yield "random %s %d" % ("up-down" if k % 2 else "rising", k), x, 1 + np.cumsum(steps), 0


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    fitcore, splez_rows = sys.argv[1:]
    print("%-24s %-7s %-16s %5s %6s %9s %9s %9s" % (
        "data", "mode", "method", "rows", "differ", "vs ref", "beyond", "overshoot"))
    smoothing, lines, monotone = [], [], []
    for name, x, y, noise in data_sets():
        for mode in MODES:
            sent = sent_points(x, y, mode)
            if sent is None:
                continue
            b2f, xs, ys = sent
            at = grid(xs)
            scale = np.abs(ys).max()
            for method in METHODS:
                table, console = run_engine(fitcore, b2f, method)
                rows, values = table_rows(table)
                old_way = table_rows(subprocess.run([splez_rows, str(method)], input=b2f.encode(),
                                                    capture_output=True, check=True).stdout)[0]
                differ = sum(a != b for a, b in zip(rows, old_way)) + abs(len(rows) - len(old_way))
                if method == 2:
                    ref = Akima1DInterpolator(xs, ys)(at)
                elif method in (3, 20):
                    ref = PchipInterpolator(xs, ys)(at)
                else:
                    s = SmoothingReference(xs, ys)
                    best, searched = s.best(), s.searched()
                    ref = s.fit(best)[2](at)
                    smoothing.append((name, MODES[mode], statistics(console), best, searched,
                                      s.fit(best), s.fit(searched), noise, values, at))
                print("%-24s %-7s %-16s %5d %6d %9.2e %9.2e %9.2e" % (
                    name[:24], MODES[mode], METHODS[method], len(rows), differ,
                    np.abs(values - ref).max() / scale, *reach(values, ys)))
                if method == 20:
                    monotone.append((name, MODES[mode], worst_place(values, ref, xs, ys, at)))
                if name.startswith("1/x^2") and mode == 4:
                    lines.append((METHODS[method], np.abs(values + 2 * at).max()))
    print("\n1/x^2 over four decades sent as logarithms: largest |table - (-2 ln x)|")
    for method, distance in lines:
        print("  %-16s %.2e" % (method, distance))
    print("\nMonotone cubic: its largest distance from PCHIP, relative to the largest |Y|; the")
    print("interval it lies in, the position in it (0..1), |Y| there over the interval's rise; and")
    print("over all rows the distance beyond the table's six digits, in eps times |Y| there")
    print("%-24s %-7s %9s %9s %6s %9s %9s" % ("data", "mode", "distance", "interval", "at",
                                             "|Y|/rise", "eps|Y|"))
    for name, mode, place in monotone:
        print("%-24s %-7s %9.2e %9s %6.2f %9.2e %9.2f" % ((name[:24], mode) + place))
    print("\nSmoothing spline: printed by the engine; the reference at the least score; the")
    print("library's search on the double-precision score; the curve's distance from the latter")
    print("%-24s %-7s %-26s %-32s %-28s %8s %5s" % (
        "data", "mode", "p engine/least/search", "score engine/least/search",
        "noise engine/least/search", "vs srch", "sd"))
    for name, mode, got, best, searched, at_best, at_searched, noise, values, at in smoothing:
        print("%-24s %-7s %-26s %-32s %-28s %8.1e %5s" % (
            name[:24], mode,
            "%.4g/%.4g/%.4g" % (got["Smoothing parameter p"], best / (1 + best),
                                searched / (1 + searched)),
            "%.5g/%.5g/%.5g" % (got["Cross-validation score"], at_best[0], at_searched[0]),
            "%.4g/%.4g/%.4g" % (got["Noise standard deviation"], at_best[1], at_searched[1]),
            np.abs(values - at_searched[2](at)).max() / np.abs(values).max(),
            noise or ""))


if __name__ == "__main__":
    main()
