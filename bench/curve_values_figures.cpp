// How closely the values read off a curve follow the library, for every method the engine runs,
// on the example files and random data, in every scale mode the data allow:
//   curve_values_figures [EXAMPLES_DIR [RANDOM_SETS]]
// Each table is made by the real engine. Printed per method and mode, the worst of:
// - Y at a typed X against the library's evaluation at that X;
// - Y at the X found for a typed Y against that Y (the library evaluated there), and that X
//   against a bisection on the library's evaluation, in units of the table's X span;
// - the slope on the graph against the library's derivative, relative to the larger of the two
//   and the table's Y scale over its X span;
// all in the axes' space, the Y figures relative to the largest |Y| of the table; and how many
// level crossings differ from the sign changes of the library's curve between rows.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>

#include "curvevalues.h"
#include "datainput.h"
#include "exchange.h"
#include "fitlib.h"
#include "records.h"
#include "scalemode.h"
#include "state.h"

namespace {

struct Method {
    int flag, library, itype;
    const char* name;
};
const Method kMethods[] = {{0, 0, 0, "cubic spline"},
                           {1, 0, 12, "B-spline"},
                           {1, contract::kAkimaMethod, 2, "Akima"},
                           {1, contract::kShapePreservingMethod, 3, "shape-preserving"},
                           {1, contract::kSmoothingMethod, 9, "smoothing"},
                           {1, contract::kMonotoneMethod, contract::kMonotoneMethod, "monotone"}};

struct Library {
    std::vector<float> x, f;
    int itype = 0;
    // The monotone cubic's pieces, evaluated by the library's piecewise-polynomial evaluator.
    float monotone(float where, int ider) const {
        const int n = int(x.size()), nintv = n - 1, order = 4;
        std::vector<float> breaks(n), coef(4 * n);
        std::vector<int> iwk(n);
        C2MON(n, x.data(), f.data(), breaks.data(), coef.data(), iwk.data());
        return PPDER(ider, where, order, nintv, breaks.data(), coef.data());
    }
    // At many abscissas in one call (the spline built once).
    std::vector<double> many(const std::vector<double>& where, int ider = 0) const {
        std::vector<float> xs(where.begin(), where.end());
        std::sort(xs.begin(), xs.end());
        xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
        std::vector<float> vs(xs.size());
        const int n = int(x.size()), count = int(xs.size());
        if (itype == contract::kMonotoneMethod)
            for (int k = 0; k < count; ++k) vs[k] = monotone(xs[k], ider);
        else if (itype == 0 && ider == 0)
            CSIEZ(n, x.data(), f.data(), count, xs.data(), vs.data());
        else
            SPLEZ(n, x.data(), f.data(), itype == 0 ? 1 : itype, ider, count, xs.data(), vs.data());
        std::vector<double> out;
        for (double w : where)
            out.push_back(vs[std::lower_bound(xs.begin(), xs.end(), float(w)) - xs.begin()]);
        return out;
    }
    double at(double where, int ider = 0) const {
        const int n = int(x.size()), one = 1;
        float xv = float(where), v = 0;
        if (itype == contract::kMonotoneMethod) return monotone(xv, ider);
        if (itype == 0 && ider == 0)
            CSIEZ(n, x.data(), f.data(), one, &xv, &v);
        else
            SPLEZ(n, x.data(), f.data(), itype == 0 ? 1 : itype, ider, one, &xv, &v);
        return v;
    }
};

struct Worst {
    double y = 0, levelY = 0, levelX = 0, slope = 0;
    long asks = 0, levels = 0, crossingMismatches = 0;
    int tables = 0;
};

// The engine's table for the points, in `mode` with `method`; none when the engine refuses the
// data.
std::optional<EngineTable> engineTable(DataPoints sent, int mode, const Method& m,
                                       Library& library) {
    FillDataLogarithms(sent, mode);
    if (!WritePointFile(sent, mode).ok() || !WriteMethodFile({m.flag, m.library}).ok())
        return std::nullopt;
    QFile::remove(QStringLiteral("F2B.dat"));
    QProcess engine;
    engine.start(QStringLiteral(FITCORE_EXE), {});
    engine.closeWriteChannel();
    if (!engine.waitForFinished(120000)) return std::nullopt;
    QFile table(QStringLiteral("F2B.dat")), points(QStringLiteral("B2F.dat"));
    if (!table.open(QIODevice::ReadOnly) || !points.open(QIODevice::ReadOnly)) return std::nullopt;
    library = {{}, {}, m.itype};
    points.readLine();
    while (!points.atEnd()) {
        const std::string line = points.readLine().toStdString();
        library.x.push_back(records::ReadEField(records::Field(line, 0, 12), 5).value_or(0));
        library.f.push_back(records::ReadEField(records::Field(line, 12, 13), 5).value_or(0));
    }
    return ParseTableText(table.readAll());
}

void measure(const EngineTable& t, int mode, const Library& lib, std::mt19937& random, Worst& w) {
    const GraphCurve curve{t.view(), mode};
    auto data = [](bool log, double v) { return log ? std::exp(v) : v; };
    double largest = 0;
    for (int i = 1; i <= t.count; ++i) largest = std::max(largest, std::fabs(t.y[i]));
    const double span = t.x[t.count] - t.x[1];
    const double scale = std::max(largest, t.maxY - t.minY) / span;
    ++w.tables;

    std::uniform_real_distribution<double> along(t.x[1], t.x[t.count]);
    std::vector<double> asked(2000);
    for (double& x : asked) x = float(along(random));
    const std::vector<double> values = lib.many(asked), slopes = lib.many(asked, 1);
    for (size_t k = 0; k < asked.size(); ++k) {
        const CurveValue v = CurveValueAt(curve, data(IsLogX(mode), asked[k]));
        if (v.fault != CurveFault::None) continue;
        ++w.asks;
        w.y = std::max(w.y, std::fabs(v.point.exchangeY - values[k]) / largest);
        w.slope = std::max(w.slope, std::fabs(v.point.graphSlope - slopes[k]) /
                                        std::max(std::fabs(slopes[k]), scale));
    }

    // The library's curve at 8 places in every row interval, for its sign changes.
    std::vector<double> grid;
    for (int i = 1; i < t.count; ++i)
        for (int k = 0; k < 8; ++k) grid.push_back(t.x[i] + (t.x[i + 1] - t.x[i]) * k / 8);
    grid.push_back(t.x[t.count]);
    const std::vector<double> onGrid = lib.many(grid);
    std::uniform_real_distribution<double> level(t.minY, t.maxY);
    for (int k = 0; k < 100; ++k) {
        const double y = level(random);
        const CurveLevel found = CurveCrossingsOf(curve, data(IsLogY(mode), y));
        ++w.levels;
        size_t changes = 0;
        for (size_t g = 1; g < onGrid.size(); ++g)
            changes += (onGrid[g - 1] < y) != (onGrid[g] < y);
        if (changes != found.crossings.size()) ++w.crossingMismatches;
        for (const CurveCrossing& c : found.crossings) {
            const double x = c.from.exchangeX;
            w.levelY = std::max(w.levelY, std::fabs(lib.at(x) - y) / largest);
            // Bisection on the library between the rows around x (a float's resolution).
            const double* up = std::upper_bound(t.x.data() + 1, t.x.data() + t.count + 1, x);
            const int i = std::clamp(int(up - t.x.data()) - 1, 1, t.count - 1);
            double a = t.x[std::max(1, i - 1)], b = t.x[std::min(t.count, i + 2)];
            double ga = lib.at(a) - y;
            if ((ga < 0) == (lib.at(b) - y < 0)) continue;  // the library does not cross here
            for (int step = 0; step < 60; ++step) {
                const double m = 0.5 * (a + b);
                if (float(m) == float(a) || float(m) == float(b)) break;
                const double gm = lib.at(m) - y;
                if ((gm < 0) == (ga < 0)) {
                    a = m;
                    ga = gm;
                } else {
                    b = m;
                }
            }
            w.levelX = std::max(w.levelX, std::fabs(x - 0.5 * (a + b)) / span);
        }
    }
}

bool loadSet(const QString& path, DataPoints& points) {
    return LoadDataFile(path, points).status == DataFileLoad::Loaded;
}

void randomSet(std::mt19937& random, bool positive, DataPoints& points) {
    std::uniform_int_distribution<int> count(4, 40);
    std::uniform_real_distribution<double> u(0, 1);
    points = DataPoints{};
    points.DataCount = count(random);
    double x = std::pow(10.0, 2 * u(random) - 1), y = std::pow(10.0, 2 * u(random) - 1);
    for (int i = 1; i <= points.DataCount; ++i) {
        points.DataX[i] = x;
        points.DataY[i] = positive ? y : 10 * u(random) - 5;
        x *= 1.05 + 2 * u(random);
        y *= std::exp(2 * u(random) - 0.8);
    }
    ComputeDataExtremes(points);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString examples =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(NODARA_EXAMPLES_DIR);
    const QStringList files =
        QDir(examples).entryList({QStringLiteral("ex_*.csv"), QStringLiteral("ex_*.dat")});
    QTemporaryDir work;
    std::ofstream quiet;  // the library's warnings (the shape-preserving method's Newton steps)
    AttachUnit(6, &quiet);
    QDir::setCurrent(work.path());
    std::mt19937 random(2024);
    std::map<std::pair<int, int>, Worst> worst;  // (method, mode)

    const int sets = int(files.size()) + (argc > 2 ? std::atoi(argv[2]) : 16);
    for (int s = 0; s < sets; ++s) {
        DataPoints points;
        if (s < files.size()) {
            if (!loadSet(QDir(examples).filePath(files[s]), points)) continue;
        } else {
            randomSet(random, s % 4 != 0, points);
        }
        for (int mode = 1; mode <= 4; ++mode) {
            if ((IsLogX(mode) && points.DataMinX <= 0) || (IsLogY(mode) && points.DataMinY <= 0))
                continue;
            for (int m = 0; m < int(std::size(kMethods)); ++m) {
                Library lib;
                const std::optional<EngineTable> t = engineTable(points, mode, kMethods[m], lib);
                if (t && t->count >= 2) measure(*t, mode, lib, random, worst[{m, mode}]);
            }
        }
    }

    std::printf("%-17s %4s %6s %11s %11s %11s %11s %9s\n", "method", "mode", "tables", "Y at X",
                "Y at X(Y)", "X(Y)/span", "slope", "crossing");
    for (const auto& [key, w] : worst)
        std::printf("%-17s %4d %6d %11.2e %11.2e %11.2e %11.2e %4ld/%-4ld\n",
                    kMethods[key.first].name, key.second, w.tables, w.y, w.levelY, w.levelX,
                    w.slope, w.crossingMismatches, w.levels);
    return 0;
}
