// The coordinate mapping of a graph, without a window: axes, margins and pixels.
#include "graphmap.h"

#include <QTest>
#include <cmath>

class GraphMapTest : public QObject {
    Q_OBJECT
private slots:
    void linearAxesLeaveTheMarginsOfTheGraph() {
        // X 0..10 and Y 0..100: visible X -1.4..10.6, visible Y 103 (top) .. -9 (bottom).
        const GraphMapping g{AxisMap::linear(0, 10), AxisMap::linear(0, 100)};
        const UserScale s = g.scale();
        QCOMPARE(s.left, -1.4f);
        QCOMPARE(s.width, 12.0f);
        QCOMPARE(s.top, 103.0f);
        QCOMPARE(s.height, -112.0f);
        QCOMPARE(s.left + s.width, 10.6f);
        QCOMPARE(s.top + s.height, -9.0f);
        QCOMPARE(g.x.plot(2.5), 2.5);
    }

    void linearAxisStartsAtItsStartValue() {
        const AxisMap x = AxisMap::linear(2, 7);
        QCOMPARE(x.origin, 2.0);
        QCOMPARE(x.length, 5.0);
        QCOMPARE(x.end(), 7.0);
    }

    void logarithmicAxesMeasureDecadesFromTheirStart() {
        // Y from 1E-2 to 1E+2: four decades of the 8-digit ln 10, starting at plot 0.
        const double ln10 = 2.3025851;
        const GraphMapping g{AxisMap::linear(0, 1), AxisMap::logarithmic(0.01, -2, 2, ln10)};
        QCOMPARE(g.y.origin, 0.0);
        QCOMPARE(g.y.length, 4 * ln10);
        // An exchange value is a natural logarithm; 1 lies two decades above the start.
        QVERIFY(std::fabs(g.y.plot(std::log(1.0)) - 2 * std::log(10.0)) < 1e-12);
        const UserScale s = g.scale();
        QCOMPARE(s.top, float(1.05 * 4 * ln10));
        QCOMPARE(s.height, float(-1.2 * 4 * ln10));
        // X margins are the same for both kinds of axis.
        const GraphMapping h{AxisMap::logarithmic(1, 0, 3, ln10), AxisMap::linear(0, 1)};
        QCOMPARE(h.scale().left, float(-0.14 * 3 * ln10));
        QCOMPARE(h.scale().width, float(1.2 * 3 * ln10));
    }

    void pixelsAndUserUnitsMapBothWays() {
        UserScale s;
        s.left = -1.4f;
        s.top = 103.0f;
        s.width = 12.0f;
        s.height = -112.0f;
        const QSize size(600, 560);
        QCOMPARE(s.toPixel(s.left, s.top, size), QPointF(0, 0));
        QCOMPARE(s.toPixel(double(s.left) + s.width, double(s.top) + s.height, size),
                 QPointF(600, 560));
        const QPointF origin = s.toPixel(0, 0, size);
        QVERIFY(std::fabs(origin.x() - 70) < 1e-4);
        QVERIFY(std::fabs(origin.y() - 515) < 1e-4);
        // A mouse pixel comes back as single-precision user units.
        QCOMPARE(s.userX(70, 600), 0.0f);
        QCOMPARE(s.userY(515, 560), 0.0f);
        for (int px = 0; px <= 600; px += 37)
            QCOMPARE(std::lround(s.toPixel(s.userX(px, 600), 0, size).x()), long(px));
    }
};

QTEST_APPLESS_MAIN(GraphMapTest)
#include "graphmap_test.moc"
