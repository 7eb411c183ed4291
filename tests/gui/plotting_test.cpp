// The data-point graph and the curve in the four scale modes, checked in the pixels of the
// persistent image (at positions worked out here from the graph's margins), by counting grid
// lines, and by the texts and positions of the end labels.
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "form1.h"
#include "guitest.h"
#include "savedfile.h"
#include "state.h"

namespace {
const double kTenLog = 2.3025851;  // ln 10 as the axes measure it
const QRgb kGrey = qRgb(128, 128, 128);

// The picture's user system as the graph's margins give it.
struct Frame {
    double left, top, width, height;
    QPoint pixel(double x, double y) const {
        return {int(std::lround((x - left) / width * 720)),
                int(std::lround((y - top) / height * 540))};
    }
};
Frame linearLinear(double x0, double x1, double y0, double y1) {
    return {x0 - 0.14 * (x1 - x0), y1 + 0.03 * (y1 - y0), 1.2 * (x1 - x0), -1.12 * (y1 - y0)};
}

bool colourNear(const QImage& image, QPoint at, QColor colour) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (image.pixelColor(at + QPoint(dx, dy)) == colour) return true;
    return false;
}
}  // namespace

class PlottingTest : public ProgramSuite {
    Q_OBJECT

    void draw(int mode, const QByteArray& data, const char* x0, const char* x1, const char* dx,
              const char* y0, const char* y1, const char* dy) {
        drawPointsInMainWindow(*dir, mode, data, textList({x0, x1, dx, y0, y1, dy}));
    }
    const QImage& image() const { return f->graphPicture->image(); }
    QStringList labelTexts() const {
        QStringList t;
        for (const auto& p : f->graphPicture->printedTexts()) t << p.text;
        return t;
    }
    void checkLabelAt(int k, double x, double y) const {
        const auto& p = f->graphPicture->printedTexts().at(k);
        QVERIFY2(std::fabs(p.x - x) < 1e-6 * (1 + std::fabs(x)), qPrintable(p.text));
        QVERIFY2(std::fabs(p.y - y) < 1e-6 * (1 + std::fabs(y)), qPrintable(p.text));
    }

private slots:
    void linearGraphHasFrameGridLabelsAndPoints() {
        draw(1, "2,30\r\n5,70\r\n8,52\r\n", "0", "10", "1", "0", "100", "10");
        const Frame fr = linearLinear(0, 10, 0, 100);
        // Visible range X -1.4 .. 10.6, Y 103 (top) .. -9 (bottom).
        const UserScale s = f->graphPicture->scale();
        QCOMPARE(s.left, -1.4f);
        QCOMPARE(s.width, 12.0f);
        QCOMPARE(s.top, 103.0f);
        QCOMPARE(s.height, -112.0f);
        // 9 vertical and 9 horizontal grid lines inside the frame.
        QCOMPARE(countRuns(image(), Qt::Horizontal, fr.pixel(0, 45).y(), kGrey), 9);
        QCOMPARE(countRuns(image(), Qt::Vertical, fr.pixel(0.5, 0).x(), kGrey), 9);
        QCOMPARE(image().pixelColor(fr.pixel(3, 45)), PaletteColor(8));
        // The frame, black, and nothing outside it but labels.
        QVERIFY(colourNear(image(), fr.pixel(0, 45), Qt::black));
        QVERIFY(colourNear(image(), fr.pixel(10, 45), Qt::black));
        QVERIFY(colourNear(image(), fr.pixel(4.5, 100), Qt::black));
        QCOMPARE(image().pixelColor(fr.pixel(10.4, 45)), QColor(Qt::white));
        // Red dots at the points.
        for (auto [x, y] : {std::pair{2.0, 30.0}, {5.0, 70.0}, {8.0, 52.0}})
            QCOMPARE(image().pixelColor(fr.pixel(x, y)), PaletteColor(12));
        // The end labels and where they stand.
        QCOMPARE(labelTexts(), (QStringList{QStringLiteral("0"), QStringLiteral("10"),
                                            QStringLiteral("0"), QStringLiteral("100")}));
        checkLabelAt(0, 0 - 0.01 * 10, 0 - 0.01 * 100);
        checkLabelAt(1, 10 - 0.04 * 10, 0 - 0.01 * 100);
        checkLabelAt(2, 0 - 0.1 * 10, 0 + 0.03 * 100);
        checkLabelAt(3, 0 - 0.1 * 10, 100 + 0.01 * 100);
        QCOMPARE(f->graphPicture->drawWidth(), 1);
    }

    void gridStepsThatDoNotDivideTheRange() {
        draw(1, "2,30\r\n5,70\r\n", "0", "10", "3", "0", "100", "");
        const Frame fr = linearLinear(0, 10, 0, 100);
        QCOMPARE(countRuns(image(), Qt::Horizontal, fr.pixel(0, 45).y(), kGrey), 3);
        for (double x : {3.0, 6.0, 9.0})
            QCOMPARE(image().pixelColor(fr.pixel(x, 45)), PaletteColor(8));
        QCOMPARE(countRuns(image(), Qt::Vertical, fr.pixel(0.5, 0).x(), kGrey), 0);
    }

    void linearLogGraphHasTenLinesPerDecade() {
        draw(2, "3,0.05\r\n6,3\r\n9,40\r\n", "2", "12", "2", "0.01", "100", "");
        QCOMPARE(f->yStartField->text(), QStringLiteral("1.0E-02"));
        const double ly = 4 * kTenLog, shift = std::log(0.01);
        const Frame fr{2 - 0.14 * 10, 1.05 * ly, 1.2 * 10, -1.2 * ly};
        // 40 lines, of which the first and the last lie on the frame and three decade lines
        // are drawn twice: 35 grey lines inside.
        QCOMPARE(countRuns(image(), Qt::Vertical, fr.pixel(5, 0).x(), kGrey), 35);
        for (double v : {0.02, 0.5, 1.0, 9.0, 70.0})
            QCOMPARE(image().pixelColor(fr.pixel(3, std::log(v) - shift)), PaletteColor(8));
        // The frame and the horizontal lines start at X = 2.
        const int lineRow = fr.pixel(0, std::log(0.5) - shift).y();
        QCOMPARE(image().pixelColor(fr.pixel(2.5, 0).x(), lineRow), PaletteColor(8));
        QCOMPARE(image().pixelColor(fr.pixel(1.8, 0).x(), lineRow), QColor(Qt::white));
        QVERIFY(colourNear(image(), QPoint(fr.pixel(2, 0).x(), lineRow), Qt::black));
        QCOMPARE(image().pixelColor(fr.pixel(6, std::log(3.0) - shift)), PaletteColor(12));
        QCOMPARE(labelTexts(), (QStringList{QStringLiteral("2"), QStringLiteral("12"),
                                            QStringLiteral("1.0E-2"), QStringLiteral("1.0E+2")}));
        checkLabelAt(0, 2 - 0.01 * 10, 0 - 0.02 * ly);
        checkLabelAt(1, 12 - 0.04 * 10, 0 - 0.02 * ly);
        checkLabelAt(2, 2 - 0.13 * 10, 0 + 0.03 * ly);
        checkLabelAt(3, 2 - 0.13 * 10, ly + 0.03 * ly);
    }

    void linearLabelsSwitchToExponentFormByMode() {
        draw(1, "2,30\r\n5,70\r\n", "-40", "5000", "", "-500", "500", "");
        QCOMPARE(labelTexts(), (QStringList{QStringLiteral("-40"), QStringLiteral("5.0E+3"),
                                            QStringLiteral("-5.0E+2"), QStringLiteral("5.0E+2")}));
        // Exponent texts stand 0.05 W (start) and 0.13 W (end) left of the axis.
        checkLabelAt(2, -40 - 0.05 * 5040, -500 + 0.03 * 1000);
        checkLabelAt(3, -40 - 0.13 * 5040, 500 + 0.01 * 1000);
        draw(1, "2,30\r\n5,70\r\n", "0", "500", "", "1", "100", "");
        QCOMPARE(labelTexts().mid(0, 2), (QStringList{QStringLiteral("0"), QStringLiteral("500")}));
        draw(2, "2,30\r\n5,70\r\n", "0", "500", "", "1", "100", "");
        QCOMPARE(labelTexts().mid(0, 2),
                 (QStringList{QStringLiteral("0"), QStringLiteral("5.0E+2")}));
    }

    void logLinearAndLogLogGraphs() {
        draw(3, "2,5\r\n30,20\r\n400,45\r\n", "1", "1000", "", "0", "50", "10");
        const double lx = 3 * kTenLog;
        Frame fr{-0.14 * lx, 50 + 0.03 * 50, 1.2 * lx, -1.12 * 50};
        QCOMPARE(countRuns(image(), Qt::Horizontal, fr.pixel(0, 15).y(), kGrey), 26);
        QCOMPARE(countRuns(image(), Qt::Vertical, fr.pixel(std::log(1.5), 0).x(), kGrey), 4);
        QCOMPARE(image().pixelColor(fr.pixel(std::log(30.0), 20)), PaletteColor(12));
        QCOMPARE(labelTexts(), (QStringList{QStringLiteral("1.0E+0"), QStringLiteral("1.0E+3"),
                                            QStringLiteral("0"), QStringLiteral("50")}));
        checkLabelAt(0, -0.08 * lx, 0 - 0.01 * 50);
        checkLabelAt(1, lx - 0.08 * lx, 0 - 0.01 * 50);
        // Short Y labels move towards the axis: one character by 0.08 W, two by 0.05 W.
        checkLabelAt(2, -0.13 * lx + 0.08 * lx, 0 + 0.03 * 50);
        checkLabelAt(3, -0.15 * lx + 0.05 * lx, 50 + 0.03 * 50);
        for (int k : {2, 3})
            QVERIFY(f->graphPicture->printedTexts()[k].x < 0);  // left of the frame

        draw(4, "2,5\r\n30,20\r\n400,45\r\n", "1", "1000", "", "1", "100", "");
        const double ly = 2 * kTenLog;
        fr = {-0.14 * lx, 1.05 * ly, 1.2 * lx, -1.2 * ly};
        QCOMPARE(countRuns(image(), Qt::Horizontal, fr.pixel(0, std::log(1.5)).y(), kGrey), 26);
        QCOMPARE(countRuns(image(), Qt::Vertical, fr.pixel(std::log(1.5), 0).x(), kGrey), 17);
        QCOMPARE(image().pixelColor(fr.pixel(std::log(30.0), std::log(20.0))), PaletteColor(12));
        QCOMPARE(labelTexts(), (QStringList{QStringLiteral("1.0E+0"), QStringLiteral("1.0E+3"),
                                            QStringLiteral("1.0E+0"), QStringLiteral("1.0E+2")}));
        checkLabelAt(0, -0.08 * lx, -0.02 * ly);
        checkLabelAt(1, lx - 0.08 * lx, -0.02 * ly);
        checkLabelAt(2, -0.13 * lx, 0.03 * ly);
        checkLabelAt(3, -0.13 * lx, ly + 0.03 * ly);
    }

    void curveIsDrawnOverThePointsFromTheTable() {
        calculateInMainWindow(*dir, 4, "2,5\r\n30,20\r\n400,45\r\n",
                              textList({"1", "1000", "", "1", "100", ""}),
                              {QPointF(3, 6), QPointF(30, 20), QPointF(300, 40)});
        const double lx = 3 * kTenLog, ly = 2 * kTenLog;
        const Frame fr{-0.14 * lx, 1.05 * ly, 1.2 * lx, -1.2 * ly};
        const QPoint a = fr.pixel(std::log(3.0), std::log(6.0));
        const QPoint b = fr.pixel(std::log(30.0), std::log(20.0));
        QVERIFY(colourNear(image(), a, PaletteColor(9)));
        QVERIFY(colourNear(image(), (a + b) / 2, PaletteColor(9)));
        QVERIFY(colourNear(image(), b, PaletteColor(9)));  // over the point
        // The picture was kept: the point that the curve does not cross is still red.
        QCOMPARE(image().pixelColor(fr.pixel(std::log(400.0), std::log(45.0))), PaletteColor(12));
        QCOMPARE(f->graphPicture->drawWidth(), 1);
    }
};

QTEST_MAIN(PlottingTest)
#include "plotting_test.moc"
