// From an example file through the real engine to the curve on screen, in each scale mode and
// with both methods; and an engine run that fails, which must not leave an old table behind.
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "engineconsole.h"
#include "exchange.h"
#include "form1.h"
#include "form10.h"
#include "form2.h"
#include "form6.h"
#include "form7.h"
#include "guitest.h"
#include "linecontrol.h"
#include "savedfile.h"
#include "state.h"
#include "textbox.h"

namespace {
bool close(double a, double b, double relative) {
    return std::fabs(a - b) <= relative * std::max(1.0, std::fabs(b));
}
double plotted(bool isLog, double v) { return isLog ? std::log(v) : v; }
}  // namespace

class EndToEndTest : public ProgramSuite {
    Q_OBJECT

    // Loads a file, draws its points with the axes the data give and starts the engine with the
    // method chosen (0 cubic spline, 1 B-spline, or the library's method 2, 3, 9 or 20).
    void startEngine(const QString& file, int mode, int method) {
        f->inputMethodOkButton->click();
        clickFile(form10(), file);
        form10()->okButton->click();
        control<QRadioButton>(f, QStringLiteral("Option%1").arg(mode).toLatin1())->click();
        f->graphSettingsOkButton->click();
        f->drawPointsButton->click();
        QVERIFY(f->calculateButton->isEnabled());
        f->calculateButton->click();
        methodOption(method)->click();
        form7()->startButton->click();
        QByteArray exchange = method == 0 ? "00\r\n" : "01\r\n";
        if (method > 1) exchange += QByteArray::number(method).rightJustified(2, '0') + "\r\n";
        QCOMPARE(dir->read(QStringLiteral("Bor3.dat")), exchange);
    }
    // The same, then Enter in the engine's console and the curve drawn; what the console showed.
    QString run(const QString& file, int mode, int method) {
        QString shown;
        runEngine(file, mode, method, shown);
        return shown;
    }
    void runEngine(const QString& file, int mode, int method, QString& shown) {
        startEngine(file, mode, method);
        QPointer<EngineConsole> console = findConsole();
        QVERIFY(console);
        QTRY_VERIFY_WITH_TIMEOUT(console->output().contains(QStringLiteral("Push Enter key")),
                                 60000);
        shown = console->output();
        QTest::keyClick(console, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(console.isNull(), 20000);  // a normal end closes it
        f->drawCurveButton->click();
    }

    void populate(const WorkDir& work) override {
        for (const QString& name :
             QDir(QStringLiteral(NODARA_EXAMPLES_DIR)).entryList({QStringLiteral("ex_*")}))
            QFile::copy(QStringLiteral(NODARA_EXAMPLES_DIR "/") + name, work.file(name));
        QFile::copy(QStringLiteral(FITCORE_EXE), work.file(QStringLiteral("Fitcore")));
    }

private slots:

    void examplesThroughTheEngineToTheScreenAndTheViewer_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("suffix");
        const std::pair<const char*, int> examples[] = {{"ex_linear.csv", 1},
                                                        {"ex_growth.dat", 2},
                                                        {"ex_frequency.csv", 3},
                                                        {"ex_powerlaw.dat", 4}};
        for (auto [file, mode] : examples)
            for (int method : {0, 1})
                QTest::addRow("%s %s", file, method ? "B-spline" : "cubic spline")
                    << QString::fromLatin1(file) << mode << method
                    << QString::fromLatin1(method ? "-BSp.csv" : "-Sp.csv");
        QTest::newRow("Akima, a step")
            << QStringLiteral("ex_step.csv") << 1 << 2 << QStringLiteral("-AkSp.csv");
        QTest::newRow("shape-preserving, a step")
            << QStringLiteral("ex_step.csv") << 1 << 3 << QStringLiteral("-ShSp.csv");
        QTest::newRow("Akima, log - log")
            << QStringLiteral("ex_powerlaw.dat") << 4 << 2 << QStringLiteral("-AkSp.csv");
        QTest::newRow("monotone, a step")
            << QStringLiteral("ex_step.csv") << 1 << 20 << QStringLiteral("-MoSp.csv");
        QTest::newRow("monotone, log - log")
            << QStringLiteral("ex_powerlaw.dat") << 4 << 20 << QStringLiteral("-MoSp.csv");
        QTest::newRow("smoothing, noisy data")
            << QStringLiteral("ex_noisy.csv") << 1 << 9 << QStringLiteral("-SmSp.csv");
    }
    void examplesThroughTheEngineToTheScreenAndTheViewer() {
        QFETCH(QString, file);
        QFETCH(int, mode);
        QFETCH(int, method);
        QFETCH(QString, suffix);
        const QString console = run(file, mode, method);
        QVERIFY(f->computedTable());
        const EngineTable& rows = f->computedTable()->rows;
        const DataPoints& p = f->computedTable()->points;
        QCOMPARE(rows.count, 100 * (p.DataCount - 1));
        const bool logX = mode == 3 || mode == 4, logY = mode == 2 || mode == 4;
        // Every 100th row lies at the next data point; the interpolating methods pass through it,
        // and on a step the library's never go beyond the data.
        const bool interpolates = method != 1 && method != 9, local = interpolates && method > 1;
        for (int k = 1; k < p.DataCount; ++k) {
            QVERIFY2(close(rows.x[100 * k], plotted(logX, p.DataX[k + 1]), 2e-5),
                     qPrintable(QString::number(k)));
            if (interpolates)
                QVERIFY2(close(rows.y[100 * k], plotted(logY, p.DataY[k + 1]), 3e-5),
                         qPrintable(QString::number(k)));
        }
        QVERIFY(close(rows.maxX, plotted(logX, p.DataX[p.DataCount]), 2e-5));
        const double lowest = plotted(logY, p.DataMinY), highest = plotted(logY, p.DataMaxY);
        if (local) {
            QVERIFY(logX || rows.minY >= lowest - 1e-5 * (highest - lowest));
            QVERIFY(rows.maxY <= highest + 1e-5 * (highest - lowest));
        }
        QCOMPARE(console.contains(QStringLiteral("Smoothing parameter")), method == 9);
        // The curve is drawn in light blue through the middle of the graph.
        const GraphMapping g = MappingFor(f->computedTable()->graph);
        const int mid = rows.count / 2;
        const QPoint at = f->graphPicture->pixelOf(g.x.plot(rows.x[mid]), g.y.plot(rows.y[mid]));
        bool blue = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                blue |= f->graphPicture->image().pixelColor(at + QPoint(dx, dy)) == PaletteColor(9);
        QVERIFY(blue);
        // The read-out at that pixel shows the rows around it.
        moveMouse(f->graphPicture, at);
        QVERIFY(control<LineControl>(f, "Line1")->isVisible());
        QVERIFY(!caption(f, "Label27").isEmpty());
        QVERIFY(!caption(f, "Label28").isEmpty());
        // Saved under the method's name, and drawn again by the viewer.
        MessageRecorder saved;
        saveMainTable(*dir, QStringLiteral("m"));
        QVERIFY(dir->exists(QStringLiteral("m") + suffix));
        form2()->searchSavedButton->click();
        clickFile(form6(), QStringLiteral("m") + suffix);
        form6()->drawGraphButton->click();
        QVERIFY(form6()->shown());
        QCOMPARE(form6()->shown()->rows.count, rows.count);
    }

    void bsplineFitReproducesACubic() {
        // A cubic lies in the space of the least-squares cubic B-spline, so the fit is the cubic.
        QByteArray data;
        auto cubic = [](double x) { return 0.5 * x * x * x - 2 * x * x + x + 3; };
        for (int i = 0; i <= 12; ++i)
            data += QByteArray::number(0.5 * i) + "," + QByteArray::number(cubic(0.5 * i)) + "\r\n";
        dir->write(QStringLiteral("cubic.csv"), data);
        run(QStringLiteral("cubic.csv"), 1, 1);
        QVERIFY(f->computedTable());
        const EngineTable& rows = f->computedTable()->rows;
        QCOMPARE(rows.count, 1200);
        for (int i = 1; i <= rows.count; i += 37)
            QVERIFY2(std::fabs(rows.y[i] - cubic(rows.x[i])) < 2e-4 * 40,
                     qPrintable(QString::number(rows.x[i])));
    }

    void failedRunLeavesNoTableToDraw() {
        // The previous run's table is there; this run's data are too few for the B-spline, and
        // the engine refuses them.
        dir->write(QStringLiteral("F2B.dat"), "     1\r\n  .1E+01  .1E+01\r\n");
        dir->write(QStringLiteral("few.csv"), "1,1\r\n2,2\r\n5,5\r\n");
        startEngine(QStringLiteral("few.csv"), 1, 1);
        QPointer<EngineConsole> console = findConsole();
        QVERIFY(console);
        QTRY_COMPARE_WITH_TIMEOUT(console->process().state(), QProcess::NotRunning, 20000);
        QVERIFY(console->process().exitCode() != 0);
        QVERIFY(console->isVisible());  // the report stays readable
        QVERIFY(console->output().contains(QStringLiteral("must be 4 or")));
        QVERIFY(!dir->exists(QStringLiteral("F2B.dat")));
        MessageRecorder boxes;
        f->drawCurveButton->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(
            boxes.boxes[0].text.contains(QStringLiteral("Fitcore はこのデータを計算できません")));
        QVERIFY(!f->saveTableButton->isEnabled());
    }
};

QTEST_MAIN(EndToEndTest)
#include "endtoend_test.moc"
