// Values read off the curve against the library's own evaluation of the same method, in the four
// scale modes: the engine's table made by the real engine, the library evaluated where the
// values were asked.
#include "curvevalues.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <random>

#include "exchange.h"
#include "fitlib.h"
#include "records.h"
#include "state.h"

namespace {
// One engine run: its table, and the points it read in the single precision the library saw.
struct Run {
    EngineTable table;
    std::vector<float> x, f;
    int itype = 0;  // SPLEZ method number; 0 is CSIEZ's cubic spline
    double largestY = 0;

    // The library's curve at 16 places in every row interval, in one call.
    std::vector<float> fineX, fineY;

    float value(float at, int ider = 0) const {
        const int n = int(x.size()), one = 1;
        float v = 0;
        if (itype == 0 && ider == 0)
            CSIEZ(n, x.data(), f.data(), one, &at, &v);
        else  // CSIEZ's spline is SPLEZ's method 1
            SPLEZ(n, x.data(), f.data(), itype == 0 ? 1 : itype, ider, one, &at, &v);
        return v;
    }
};

Run runEngine(const QString& dir, DataPoints points, int mode, int flag, int libraryMethod) {
    Run r;
    FillDataLogarithms(points, mode);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir);
    [&] {
        QVERIFY(WritePointFile(points, mode).ok());
        QVERIFY(WriteMethodFile({flag, libraryMethod}).ok());
        QProcess engine;
        engine.start(QStringLiteral(FITCORE_EXE), {});
        engine.closeWriteChannel();
        QVERIFY(engine.waitForFinished(60000));
        QFile table(QStringLiteral("F2B.dat")), points(QStringLiteral("B2F.dat"));
        QVERIFY(table.open(QIODevice::ReadOnly) && points.open(QIODevice::ReadOnly));
        r.table = ParseTableText(table.readAll()).value();
        points.readLine();
        while (!points.atEnd()) {
            const std::string line = points.readLine().toStdString();
            r.x.push_back(*records::ReadEField(records::Field(line, 0, 12), 5));
            r.f.push_back(*records::ReadEField(records::Field(line, 12, 13), 5));
        }
    }();
    QDir::setCurrent(previous);
    r.itype = libraryMethod != 0 ? libraryMethod : flag == 0 ? 0 : 12;
    const EngineTable& t = r.table;
    for (int i = 1; i <= t.count; ++i) {
        r.largestY = std::max(r.largestY, std::fabs(t.y[i]));
        for (int k = 0; k < (i < t.count ? 16 : 1); ++k)
            r.fineX.push_back(float(t.x[i] + (i < t.count ? (t.x[i + 1] - t.x[i]) * k / 16 : 0)));
    }
    r.fineX.erase(std::unique(r.fineX.begin(), r.fineX.end()), r.fineX.end());
    r.fineY.resize(r.fineX.size());
    const int n = int(r.x.size()), fine = int(r.fineX.size()), ider = 0;
    SPLEZ(n, r.x.data(), r.f.data(), r.itype == 0 ? 1 : r.itype, ider, fine, r.fineX.data(),
          r.fineY.data());
    return r;
}

double toData(bool isLog, double v) { return isLog ? std::exp(v) : v; }
}  // namespace

class CurveValuesTest : public QObject {
    Q_OBJECT
private slots:
    void valuesSlopesAndCrossingsAgreeWithTheLibrary() {
        QTemporaryDir dir;
        const double px[] = {1, 2, 3.5, 4, 7, 10, 14, 20};
        const double py[] = {2, 3.5, 3, 3.2, 8, 20, 15, 60};
        DataPoints points;
        points.DataCount = 8;
        std::copy(px, px + 8, points.DataX + 1);
        std::copy(py, py + 8, points.DataY + 1);
        const int methods[][2] = {
            {0, 0}, {1, 0}, {1, contract::kAkimaMethod}, {1, contract::kSmoothingMethod}};
        std::mt19937 random(7);
        for (int mode = 1; mode <= 4; ++mode) {
            for (auto [flag, library] : methods) {
                const Run run = runEngine(dir.path(), points, mode, flag, library);
                const GraphCurve curve{run.table.view(), mode};
                const bool logX = mode >= 3, logY = mode % 2 == 0;
                const QByteArray where =
                    "mode " + QByteArray::number(mode) + " method " + QByteArray::number(run.itype);
                const double tolerance = 2e-6 * run.largestY;
                const EngineTable& t = run.table;

                // Typed X: anywhere within the rows, and the last data point as typed.
                std::uniform_real_distribution<double> along(t.x[1], t.x[t.count]);
                for (int k = 0; k <= 40; ++k) {
                    const float at = k < 40 ? float(along(random)) : run.x.back();
                    const CurveValue v = CurveValueAt(curve, toData(logX, at));
                    QVERIFY2(v.fault == CurveFault::None, where);
                    QVERIFY2(std::fabs(v.point.exchangeY - run.value(at)) <= tolerance, where);
                    const double slope = run.value(at, 1);
                    // A slope is a difference of six-digit values a row apart.
                    const int i = std::clamp(
                        int(std::upper_bound(t.x.begin() + 1, t.x.end(), at) - t.x.begin()) - 1, 1,
                        t.count - 1);
                    const double noise = 4e-7 * run.largestY / (t.x[i + 1] - t.x[i]);
                    QVERIFY2(
                        std::fabs(v.point.graphSlope - slope) <= 1e-4 * std::fabs(slope) + noise,
                        where);
                    // dY/dX in data units, against a difference of the library's Y.
                    const double dataX = toData(logX, at), h = 1e-3 * std::fabs(dataX);
                    auto dataY = [&](double x) {
                        return toData(logY, run.value(float(logX ? std::log(x) : x)));
                    };
                    const double difference = (dataY(dataX + h) - dataY(dataX - h)) / (2 * h);
                    QVERIFY2(
                        std::fabs(v.point.slope - difference) <= 5e-3 * (1 + std::fabs(difference)),
                        where);
                }
                QCOMPARE(CurveValueAt(curve, toData(logX, t.x[t.count] + 1e-3)).fault,
                         CurveFault::OutOfRange);
                QCOMPARE(CurveValueAt(curve, toData(logX, t.x[1] - 1e-3)).fault,
                         CurveFault::OutOfRange);

                // Typed Y: as many crossings as the library's curve has (its sign changes on a
                // grid finer than the rows), each X where the library's curve takes the Y.
                std::uniform_real_distribution<double> level(t.minY, t.maxY);
                for (int k = 0; k < 20; ++k) {
                    const double y = level(random);
                    int changes = 0;
                    for (size_t i = 1; i < run.fineY.size(); ++i)
                        changes += (run.fineY[i - 1] < y) != (run.fineY[i] < y);
                    const CurveLevel found = CurveCrossingsOf(curve, toData(logY, y));
                    QVERIFY2(int(found.crossings.size()) == changes, where);
                    for (const CurveCrossing& c : found.crossings)
                        QVERIFY2(std::fabs(run.value(float(c.from.exchangeX)) - y) <=
                                     tolerance + std::fabs(run.value(float(c.from.exchangeX), 1)) *
                                                     std::fabs(c.from.exchangeX) * 6e-8,
                                 where);
                }
                QVERIFY(CurveCrossingsOf(curve, toData(logY, t.maxY + 1)).crossings.empty());
            }
        }
    }
};

QTEST_GUILESS_MAIN(CurveValuesTest)
#include "curvevalues_test.moc"
