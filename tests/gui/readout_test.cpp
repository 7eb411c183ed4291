// The mouse read-out: which table rows give the X and Y texts, their formats, the range test,
// the cursor lines in the main window, and tables it must not read.
#include "readout.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "form1.h"
#include "form10.h"
#include "form2.h"
#include "form7.h"
#include "guitest.h"
#include "linecontrol.h"
#include "state.h"
#include "textbox.h"

namespace {
// Rows 1..n of a table (index 0 unused, as in the engine's table).
struct Table {
    std::vector<double> x{0.0}, y{0.0};
    void add(double a, double b) {
        x.push_back(a);
        y.push_back(b);
    }
    int count() const { return int(x.size()) - 1; }
    ReadOut at(float mouse, const GraphMapping& g) const {
        if (count() == 0) return ReadOutAt(mouse, g, TableView{0, x.data(), y.data(), 0, 0});
        return ReadOutAt(
            mouse, g,
            TableView{count(), x.data(), y.data(), *std::min_element(x.begin() + 1, x.end()),
                      *std::max_element(x.begin() + 1, x.end())});
    }
};
const GraphMapping kLinear{AxisMap::linear(0, 10), AxisMap::linear(0, 10)};
}  // namespace

class ReadOutTest : public QObject {
    Q_OBJECT
private slots:
    void numberFormats() {
        const std::pair<double, const char*> linear[] = {
            {1.5, "1.500"},          {-12.3456, "-12.346"},    {12345, "1.235E+04"},
            {1234.5, "1.235E+03"},   {-999.9996, "-1000.000"}, {1000, "1000.000"},
            {-1000.5, "-1.001E+03"}, {0.0004, "0.000"}};
        for (auto [v, text] : linear) QCOMPARE(LinearReadOutText(v), QString::fromUtf8(text));
        QCOMPARE(ExponentReadOutText(20), QStringLiteral("2.000E+01"));
        QCOMPARE(ExponentReadOutText(0.012345), QStringLiteral("1.235E-02"));
    }

    void xAndYComeFromTheOneRowNearestTheMouse() {
        Table t, q;  // q: rows that a float mouse position can hit exactly
        for (int i = 0; i <= 4; ++i) {
            t.add(2.0 + 0.01 * i, 10.0 * i);
            q.add(2.0 + 0.25 * i, i);
        }
        const struct {
            const Table& table;
            float mouse;
            const char *x, *y;
        } cases[] = {
            {t, 2.004f, "2.000", "0.000"},   // nearer the first row
            {t, 2.006f, "2.010", "10.000"},  // nearer the second
            {q, 2.5f, "2.500", "2.000"},     // exactly at a row
            {q, 3.0f, "3.000", "4.000"},     // exactly at the last row
            {q, 2.0f, "2.000", "0.000"},     // exactly at the first row
            {q, 2.125f, "2.000", "0.000"},   // half-way: the left row
            {q, 2.9f, "3.000", "4.000"},     // nearer the last row
        };
        for (const auto& c : cases) {
            const ReadOut r = c.table.at(c.mouse, kLinear);
            QVERIFY(r.show);
            QCOMPARE(r.xText, QString::fromUtf8(c.x));
            QCOMPARE(r.yText, QString::fromUtf8(c.y));
            QCOMPARE(r.cursorY, QByteArray(c.y).toDouble());
        }
        // Outside the table's extent nothing is shown.
        QVERIFY(!t.at(1.999f, kLinear).show);
        QVERIFY(!t.at(2.041f, kLinear).show);
    }

    void logarithmicAxesShowTheExponentialOfTheTable() {
        // X from 10 upwards on a logarithmic axis, Y from 1: plot X = ln x - ln 10.
        const GraphMapping g{AxisMap::logarithmic(10, 1, 3, 2.3025851),
                             AxisMap::logarithmic(1, 0, 2, 2.3025851)};
        Table t;
        for (double x : {15.0, 20.0, 25.0, 30.0}) t.add(std::log(x), std::log(x * 2));
        const float mouse = float(std::log(20.0) - std::log(10.0)) + 1e-4f;
        const ReadOut r = t.at(mouse, g);
        QVERIFY(r.show);
        QCOMPARE(r.xText, QStringLiteral("2.000E+01"));
        QCOMPARE(r.yText, QStringLiteral("4.000E+01"));
        QVERIFY(std::fabs(r.cursorY - std::log(40.0)) < 1e-12);
        // The range test is in plot coordinates: the table's first row lies at ln 1.5.
        QVERIFY(!t.at(float(std::log(1.5)) - 1e-3f, g).show);
        // A linear Y beside a logarithmic X shows Y in the linear form.
        const GraphMapping h{g.x, AxisMap::linear(0, 100)};
        QCOMPARE(t.at(mouse, h).yText, QStringLiteral("3.689"));  // ln 40
    }

    void tablesItCannotReadShowNothing() {
        Table descending;
        for (double x : {5.0, 4.0, 3.0, 2.0}) descending.add(x, x);
        QVERIFY(!descending.at(3.5f, kLinear).show);
        Table bent;  // ascending except at one place
        for (double x : {1.0, 2.0, 3.0, 2.5, 4.0}) bent.add(x, x);
        QVERIFY(!bent.at(1.5f, kLinear).show);
        Table single;
        single.add(3.0, 1.0);
        QVERIFY(!single.at(3.0f, kLinear).show);
        QVERIFY(!Table().at(0.0f, kLinear).show);
    }

    void mainWindowCursorLinesFollowTheMouse() {
        WorkDir dir;
        ShutdownNodara();
        StartNodara();
        form2()->newCalculationButton->click();
        Form1* f = form1();
        dir.write(QStringLiteral("d.csv"), "1,10\r\n5,50\r\n9,20\r\n");
        f->inputMethodOkButton->click();
        clickFile(form10(), QStringLiteral("d.csv"));
        form10()->okButton->click();
        f->xStartField->setText(QStringLiteral("0"));
        f->xEndField->setText(QStringLiteral("10"));
        f->yStartField->setText(QStringLiteral("0"));
        f->yEndField->setText(QStringLiteral("100"));
        f->graphSettingsOkButton->click();
        f->drawPointsButton->click();
        // A table with rows at X = 1, 2, ..., 9 and Y = 10 X.
        QByteArray table = "     9\r\n";
        for (int i = 1; i <= 9; ++i)
            table += QByteArray::number(i, 'E', 6).rightJustified(13, ' ') +
                     QByteArray::number(10 * i, 'E', 6).rightJustified(13, ' ') + "\r\n";
        dir.write(QStringLiteral("table.txt"), table);
        // A pixel of the graph and its user X (visible X -1.4 .. 10.6 over 720 pixels).
        const int px = 390;
        const double userX = -1.4 + px * 12.0 / 720;  // 5.1
        const int py = 200;

        // Before the engine has been started the mouse changes nothing.
        auto* vertical = control<LineControl>(f, "Line1");
        auto* horizontal = control<LineControl>(f, "Line2");
        moveMouse(f->graphPicture, QPoint(px, py));
        QVERIFY(!vertical->isVisible());
        QVERIFY(caption(f, "Label27").isEmpty());

        installFakeEngine(dir);
        f->calculateButton->click();
        form7()->startButton->click();
        QTRY_VERIFY(dir.exists(QStringLiteral("F2B.dat")));
        f->drawCurveButton->click();
        moveMouse(f->graphPicture, QPoint(px, py));
        QVERIFY(vertical->isVisible() && horizontal->isVisible());
        QVERIFY(std::fabs(vertical->position() - userX) < 1e-5);
        QCOMPARE(horizontal->position(), 50.0);
        QCOMPARE(caption(f, "Label27"), QStringLiteral("5.000"));
        QCOMPARE(caption(f, "Label28"), QStringLiteral("50.000"));
        QCOMPARE(f->graphPicture->grab().toImage().pixelColor(px, 5), PaletteColor(12));
        // Left of the first row: both lines hidden, both labels empty.
        moveMouse(f->graphPicture, QPoint(100, py));
        QVERIFY(!vertical->isVisible() && !horizontal->isVisible());
        QVERIFY((caption(f, "Label27") + caption(f, "Label28")).isEmpty());
        ShutdownNodara();
    }
};

QTEST_MAIN(ReadOutTest)
#include "readout_test.moc"
