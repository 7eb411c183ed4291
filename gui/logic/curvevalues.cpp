// Values read off a graph's curve: local cubics through the table's rows, their values, slopes
// and level crossings.
//
// The engine's table has 100 rows in every data interval, the last one at the interval's right
// end, and within a data interval every method's curve is smooth. A cubic through four
// neighbouring rows of one data interval reproduces it to the table's digits; one reaching over a
// data point would carry the corner of a method whose curve is only once differentiable there
// into the interval beside it. So the four rows are taken from the row interval's own data
// interval. A table of any other length is taken as one smooth stretch.
//
// The rows of a data interval lie at equal steps of X, but the table gives X to six digits only:
// where the curve is steep, that rounding alone moves Y by more than the sixth digit of Y. The
// rows' X are therefore taken on the straight line through the data interval's end rows, which
// the table holds exactly, whenever the column follows that line to its own digits.
#include "curvevalues.h"

#include <algorithm>
#include <cmath>

#include "enginecontract.h"
#include "scalemode.h"
#include "textconv.h"

namespace {


// Half a unit in the sixth significant digit of a table value, the rounding it carries; on a
// logarithmic axis at least the rounding of a six-digit data value, 5e-6 in its logarithm.
double rounding(double v, bool logAxis) {
    const double half = v == 0 ? 0 : 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 5);
    return std::max(half, logAxis ? 5e-6 : 0.0);
}

// A cubic in powers of t = x - x0.
struct Piece {
    double x0 = 0;
    double c[4] = {0, 0, 0, 0};
    double value(double t) const { return c[0] + t * (c[1] + t * (c[2] + t * c[3])); }
    double slope(double t) const { return c[1] + t * (2 * c[2] + t * 3 * c[3]); }
    bool isConstant() const { return c[1] == 0 && c[2] == 0 && c[3] == 0; }
};

// The rows lo..hi of one data interval (the whole table when it has no such structure) and the
// X of its rows: a + b * row on the line of equal steps, or the table's own.
struct Block {
    int lo = 1, hi = 1;
    bool onLine = false;
    double a = 0, b = 0;
    const TableView* t = nullptr;
    // The one cubic the block's rows follow to their rounding, when they do.
    bool oneCubic = false;
    Piece cubic;
    double x(int row) const { return onLine ? a + b * row : t->x[row]; }
};

// The least-squares cubic through the block's rows, taken when every row lies within twice its
// rounding of it: the method's own piece over the data interval, its rows' rounding averaged
// away (a slope from rows a hundredth of an interval apart would keep only four digits of
// six). A block with a breakpoint of its own inside (the shape-preserving method adds them) is
// left to the local cubics.
void fitCubic(Block& s, bool logY) {
    const TableView& t = *s.t;
    const double mid = 0.5 * (s.x(s.lo) + s.x(s.hi)), half = 0.5 * (s.x(s.hi) - s.x(s.lo));
    double m[4][5] = {};  // normal equations in u = (x - mid) / half, right side in column 4
    bool constant = true;
    for (int r = s.lo; r <= s.hi; ++r) {
        const double u = (s.x(r) - mid) / half;
        const double p[4] = {1, u, u * u, u * u * u};
        for (int j = 0; j < 4; ++j) {
            for (int k = 0; k < 4; ++k) m[j][k] += p[j] * p[k];
            m[j][4] += p[j] * t.y[r];
        }
        constant = constant && t.y[r] == t.y[s.lo];
    }
    if (constant || s.hi - s.lo < 4) return;  // the local cubics are exact there
    for (int j = 0; j < 4; ++j) {             // Gaussian elimination with partial pivoting
        int pivot = j;
        for (int k = j + 1; k < 4; ++k)
            if (std::fabs(m[k][j]) > std::fabs(m[pivot][j])) pivot = k;
        std::swap(m[j], m[pivot]);
        for (int k = j + 1; k < 4; ++k) {
            const double f = m[k][j] / m[j][j];
            for (int l = j; l < 5; ++l) m[k][l] -= f * m[j][l];
        }
    }
    double d[4];
    for (int j = 3; j >= 0; --j) {
        d[j] = m[j][4];
        for (int k = j + 1; k < 4; ++k) d[j] -= m[j][k] * d[k];
        d[j] /= m[j][j];
    }
    s.cubic.x0 = mid;
    for (int k = 0; k < 4; ++k) s.cubic.c[k] = d[k] / std::pow(half, k);
    for (int r = s.lo; r <= s.hi; ++r)
        if (!(std::fabs(s.cubic.value(s.x(r) - mid) - t.y[r]) <= 2 * rounding(t.y[r], logY)))
            return;
    s.oneCubic = true;
}

Block blockOf(const TableView& t, int i, int mode) {
    const bool logX = IsLogX(mode);
    Block s;
    s.hi = t.count;
    s.t = &t;
    if (t.count % contract::kRowsPerInterval != 0) return s;
    const int block = i / contract::kRowsPerInterval;  // row 100k is the right end of data interval k
    s.lo = std::max(1, block * contract::kRowsPerInterval);
    s.hi = std::min(t.count, (block + 1) * contract::kRowsPerInterval);
    // Rows 100k are data points, sent with six digits and so written exactly: the line runs
    // through the block's last row and, where the block starts at a data point, its first.
    // The first block starts a step after its data point; its step is fitted to its rows.
    if (s.lo % contract::kRowsPerInterval == 0) {
        s.b = (t.x[s.hi] - t.x[s.lo]) / (s.hi - s.lo);
    } else {
        double srr = 0, srx = 0;
        for (int r = s.lo; r < s.hi; ++r) {
            srr += double(r - s.hi) * (r - s.hi);
            srx += (r - s.hi) * (t.x[r] - t.x[s.hi]);
        }
        s.b = srx / srr;
    }
    s.a = t.x[s.hi] - s.b * s.hi;
    // A column that strays from the line by more than its rounding is taken as it stands.
    for (int r = s.lo; r <= s.hi; ++r)
        if (!(std::fabs(s.a + s.b * r - t.x[r]) <=
              2 * rounding(t.x[r], logX) + 1e-3 * std::fabs(s.b)))
            return s;
    s.onLine = true;
    fitCubic(s, IsLogY(mode));
    return s;
}

bool ascending(const TableView& t) {
    for (int i = 2; i <= t.count; ++i)
        if (!(t.x[i] > t.x[i - 1])) return false;
    return true;
}

CurveFault tableFault(const TableView& t) {
    if (t.count < 2) return CurveFault::NoCurve;
    if (!ascending(t)) return CurveFault::NotAscending;
    return CurveFault::None;
}

// The cubic of the row interval [x(i), x(i+1)] of a block: through the rows i-1 .. i+2 when all
// four lie in it, otherwise through the four (or as many as there are) of it nearest to it.
Piece pieceOf(const Block& s, int i) {
    const TableView& t = *s.t;
    if (s.oneCubic) {  // the block's cubic about x(i)
        Piece p = s.cubic;
        const double d = s.x(i) - p.x0;
        p = {s.x(i), {p.value(d), p.slope(d), p.c[2] + 3 * p.c[3] * d, p.c[3]}};
        return p;
    }
    const int first = std::clamp(i - 1, s.lo, std::max(s.lo, s.hi - 3));
    const int n = std::min(4, s.hi - first + 1);

    // Newton's divided differences, then the Newton form expanded about x(i).
    double z[4], a[4];
    for (int k = 0; k < n; ++k) {
        z[k] = s.x(first + k);
        a[k] = t.y[first + k];
    }
    for (int j = 1; j < n; ++j)
        for (int k = n - 1; k >= j; --k) a[k] = (a[k] - a[k - 1]) / (z[k] - z[k - j]);
    Piece p;
    p.x0 = s.x(i);
    p.c[0] = a[n - 1];
    for (int k = n - 2, degree = 0; k >= 0; --k, ++degree) {
        const double d = p.x0 - z[k];  // x - z(k) = t + d
        for (int m = degree + 1; m >= 1; --m) p.c[m] = p.c[m - 1] + d * p.c[m];
        p.c[0] = d * p.c[0] + a[k];
    }
    return p;
}

// The row interval [x(i), x(i+1)] that holds x, the first or last one beyond the ends.
int intervalOf(const TableView& t, double x) {
    const double* upper = std::upper_bound(t.x + 1, t.x + t.count + 1, x);
    return std::clamp(int(upper - t.x) - 1, 1, t.count - 1);
}

double toData(AxisKind kind, double v) { return kind == AxisKind::Log ? std::exp(v) : v; }

CurvePoint pointOn(const GraphCurve& curve, const Piece& p, double x) {
    const bool logX = IsLogX(curve.mode), logY = IsLogY(curve.mode);
    CurvePoint r;
    r.exchangeX = x;
    r.exchangeY = p.value(x - p.x0);
    r.x = toData(XAxisKind(curve.mode), r.exchangeX);
    r.y = toData(YAxisKind(curve.mode), r.exchangeY);
    // The slope in exchange space is the slope on the graph; dY/dX follows by the chain rule.
    r.graphSlope = p.slope(x - p.x0);
    r.slope = r.graphSlope * (logY ? r.y : 1.0) / (logX ? r.x : 1.0);
    return r;
}

// A root of g between a and b, where g(a) and g(b) have opposite signs.
template <typename G>
double bisect(const G& g, double a, double b) {
    double ga = g(a);
    for (;;) {
        const double m = 0.5 * (a + b);
        if (m <= a || m >= b) return m;
        const double gm = g(m);
        if (gm == 0) return m;
        if ((gm < 0) == (ga < 0)) {
            a = m;
            ga = gm;
        } else {
            b = m;
        }
    }
}

}  // namespace

CurveValue CurveValueAt(const GraphCurve& curve, double x) {
    const TableView& t = curve.rows;
    CurveValue r;
    if ((r.fault = tableFault(t)) != CurveFault::None) return r;
    const bool logX = IsLogX(curve.mode);
    const double at = logX ? std::log(x) : x;
    // The ends count to their rounding, so that a last data point typed as entered is found.
    const double first = t.x[1], last = t.x[t.count];
    if (!(at >= first - rounding(first, logX) && at <= last + rounding(last, logX))) {
        r.fault = CurveFault::OutOfRange;  // a NaN logarithm too
        return r;
    }
    const int i = intervalOf(t, at);
    r.point = pointOn(curve, pieceOf(blockOf(t, i, curve.mode), i), at);
    return r;
}

CurveLevel CurveCrossingsOf(const GraphCurve& curve, double y) {
    const TableView& t = curve.rows;
    CurveLevel r;
    if ((r.fault = tableFault(t)) != CurveFault::None) return r;
    const double level = IsLogY(curve.mode) ? std::log(y) : y;
    if (!std::isfinite(level)) return r;  // no logarithm: a logarithmic Y never takes it

    // endRow: the last crossing ends exactly at that row (0: between rows), where the next one
    // may begin; it is the same crossing then.
    int endRow = 0;
    auto add = [&](const Piece& p, double x, int row) {
        if (row == 0 || row != endRow) {
            const CurvePoint at = pointOn(curve, p, x);
            r.crossings.push_back({at, at});
        }
        endRow = row;
    };
    Block s;
    for (int i = 1; i < t.count; ++i) {
        if (i == 1 || i > s.hi - 1) s = blockOf(t, i, curve.mode);
        const Piece p = pieceOf(s, i);
        const double width = s.x(i + 1) - s.x(i);
        if (p.isConstant() && p.c[0] == level) {
            // A stretch at the level: it joins the one it continues.
            if (endRow == i)
                r.crossings.back().to = pointOn(curve, p, s.x(i + 1));
            else
                r.crossings.push_back({pointOn(curve, p, s.x(i)), pointOn(curve, p, s.x(i + 1))});
            endRow = i + 1;
            continue;
        }
        // The interval split where the cubic turns, so that each part crosses at most once.
        // Its ends are the table's own rows.
        double cut[4] = {0};
        int cuts = 1;
        const double qa = 3 * p.c[3], qb = 2 * p.c[2], qc = p.c[1];
        auto addTurn = [&](double u) {
            if (u > 0 && u < width) cut[cuts++] = u;
        };
        if (qa == 0) {
            if (qb != 0) addTurn(-qc / qb);
        } else if (const double disc = qb * qb - 4 * qa * qc; disc >= 0) {
            const double q = -0.5 * (qb + std::copysign(std::sqrt(disc), qb));
            addTurn(q / qa);
            if (q != 0) addTurn(qc / q);
        }
        if (cuts == 3 && cut[2] < cut[1]) std::swap(cut[1], cut[2]);
        cut[cuts++] = width;
        auto g = [&](double u) {
            if (u == 0) return t.y[i] - level;
            if (u == width) return t.y[i + 1] - level;
            return p.value(u) - level;
        };
        for (int k = 0; k + 1 < cuts; ++k) {
            const double ga = g(cut[k]), gb = g(cut[k + 1]);
            if (ga == 0)
                add(p, p.x0 + cut[k], k == 0 ? i : 0);
            else if ((ga < 0) != (gb < 0) && gb != 0)
                add(p, p.x0 + bisect(g, cut[k], cut[k + 1]), 0);
        }
        if (i == t.count - 1 && g(width) == 0) add(p, s.x(t.count), t.count);
    }
    return r;
}

CurveRange CurveXRange(const GraphCurve& curve) {
    const TableView& t = curve.rows;
    if (t.count < 1) return {};
    return {toData(XAxisKind(curve.mode), t.x[1]), toData(XAxisKind(curve.mode), t.x[t.count])};
}

QString GraphSlopeName(int mode) {
    if (IsLogX(mode) && IsLogY(mode)) return QStringLiteral("d(log Y)/d(log X)");
    if (IsLogY(mode)) return QStringLiteral("d(ln Y)/dX");
    if (IsLogX(mode)) return QStringLiteral("dY/d(ln X)");
    return {};
}
