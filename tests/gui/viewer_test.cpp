// The viewer of saved tables: a table saved from the main window redrawn with the same pixels
// and read-out in every scale mode, its own labels, files it must refuse without losing what it
// showed, the data points, Reset and end, and the bitmap of its own picture.
#include <QClipboard>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <memory>

#include "filelists.h"
#include "form1.h"
#include "form2.h"
#include "form4.h"
#include "form5.h"
#include "form6.h"
#include "form7.h"
#include "form8.h"
#include "guitest.h"
#include "linecontrol.h"
#include "readout.h"
#include "savedfile.h"
#include "savedtable.h"
#include "state.h"
#include "textbox.h"

namespace {

// A Log - Log file and a Linear - Linear one, composed here.
SavedFile logLogFile() {
    return {4,
            textList({"1.0E+00", "1.0E+02", "10", "1.0E-01", "1.0E+01", "10"}),
            curveRows(2, 50, 480, [](double x) { return 0.2 * std::sqrt(x); }),
            {QPointF(2, 0.2 * std::sqrt(2.0)), QPointF(50, 0.2 * std::sqrt(50.0))}};
}
SavedFile linearFile() {
    return {1,
            textList({"0", "500", "100", "-500", "500", "250"}),
            curveRows(10, 400, 390, [](double x) { return x - 200; }),
            {QPointF(10, -190), QPointF(400, 200)}};
}

QImage rgb(const PictureBox* p) { return p->image().convertToFormat(QImage::Format_RGB32); }

// Whether every text printed into a picture lies wholly inside it.
bool labelsInside(const PictureBox* p, QString* which) {
    const QFontMetrics metrics(p->font(), &p->image());
    for (const auto& t : p->printedTexts()) {
        const QPoint at = p->pixelOf(t.x, t.y);
        const QRect box(at, QSize(metrics.horizontalAdvance(t.text), metrics.height()));
        if (!p->image().rect().contains(box)) {
            *which = t.text;
            return false;
        }
    }
    return true;
}
}  // namespace

class ViewerTest : public ProgramSuite {
    Q_OBJECT
    Form6* v = nullptr;

    void openViewer() {
        form2()->searchSavedButton->click();
        v = form6();
        QVERIFY(v->isVisible());
    }
    void draw(const QString& name) {
        v->fileList->refresh();
        clickFile(v, name);
        QVERIFY(v->drawGraphButton->isEnabled());
        v->drawGraphButton->click();
    }
    // A calculation in the main window whose curve is the line y = 2x, on linear axes.
    void calculateLine() {
        calculateInMainWindow(*dir, 1, "1,1\r\n2,3\r\n4,7\r\n",
                              textList({"0", "5", "1", "0", "10", "1"}),
                              curveRows(1, 4, 60, [](double x) { return 2 * x; }));
    }
    // The read-out pairs "X|Y" of a picture at pixel row 300, from its window's labels.
    QStringList readOut(PictureBox* p, const char* xLabel, const char* yLabel,
                        const QList<int>& pixels) {
        QStringList texts;
        for (int px : pixels) {
            moveMouse(p, QPoint(px, 300));
            texts << caption(p->window(), xLabel) + QLatin1Char('|') + caption(p->window(), yLabel);
        }
        return texts;
    }
    // Whether any of the buttons that act on a drawn table is enabled.
    bool tableButtonsEnabled() const {
        for (QPushButton* b :
             {v->drawGraphButton, v->drawPointsButton, v->equalIntervalButton, v->saveImageButton})
            if (b->isEnabled()) return true;
        return false;
    }

private slots:
    void titleWindowOpensTheViewerEmpty() {
        MessageRecorder messages;
        for (const char* name : {"run1-Sp.csv", "run1-BSp.csv", "other.csv", "d.dat", "Sp.txt"})
            dir->write(QString::fromUtf8(name), "");
        QVERIFY(form2()->searchSavedButton->isEnabled());
        openViewer();
        QStringList files;
        for (int i = 0; i < v->fileList->count(); ++i) files << v->fileList->item(i)->text();
        QCOMPARE(files,
                 (QStringList{QStringLiteral("run1-BSp.csv"), QStringLiteral("run1-Sp.csv")}));
        QVERIFY(!tableButtonsEnabled());
        QVERIFY(v->resetButton->isEnabled() && v->endButton->isEnabled());

        // Without a selection (the list refreshed under it) drawing asks for a file.
        clickFile(v, QStringLiteral("run1-Sp.csv"));
        v->fileList->refresh();
        v->drawGraphButton->click();
        QCOMPARE(messages.boxes.size(), 1);
        QCOMPARE(messages.boxes[0].text, QStringLiteral(" ***  ファイルを選択して下さい！ "));
        QVERIFY(!v->shown());
    }

    void tableSavedInEachModeRedrawsTheSamePictureAndReadOut() {
        MessageRecorder messages;
        const struct {
            int mode;
            std::initializer_list<const char*> axes;
            double (*curve)(double);
        } cases[] = {
            {1, {"0", "5", "1", "-5", "10", ""}, [](double x) { return 2 * x - 0.25 * x * x; }},
            {2, {"0", "5", "0.5", "0.05", "70", ""}, [](double x) { return std::exp(x - 1); }},
            {3, {"0.5", "4", "", "0", "40", "5"}, [](double x) { return 10 * std::log(x) + 20; }},
            {4, {"1", "5", "", "1", "50", ""}, [](double x) { return x * x; }},
        };
        QList<int> pixels;
        for (int px = 84; px <= 684; px += 7) pixels << px;
        for (const auto& c : cases) {
            messages.boxes.clear();
            ShutdownNodara();
            StartNodara();
            calculateInMainWindow(*dir, c.mode, "1,1\r\n2,3\r\n4,7\r\n", textList(c.axes),
                                  curveRows(1, 4, 600, c.curve));
            Form1* f = form1();
            const QImage main = f->graphPicture->image();
            const QStringList mainReadOut = readOut(f->graphPicture, "Label27", "Label28", pixels);
            f->saveTableButton->click();
            form4()->fileNameField->setText(QStringLiteral("mode%1").arg(c.mode));
            form4()->okButton->click();
            const QStringList saved = {f->xStartField->text(), f->xEndField->text(),
                                       f->xStepField->text(),  f->yStartField->text(),
                                       f->yEndField->text(),   f->yStepField->text()};

            openViewer();
            draw(QStringLiteral("mode%1-Sp.csv").arg(c.mode));
            QCOMPARE(messages.boxes.size(), 1);  // only the saving's report
            const auto shown = v->shown();
            QVERIFY(shown);
            QCOMPARE(shown->file.mode, c.mode);
            QCOMPARE(shown->rows.count, 600);
            QCOMPARE(shown->file.dataCount, 3);
            QCOMPARE(shown->path, dir->file(QStringLiteral("mode%1-Sp.csv").arg(c.mode)));
            for (int k = 1; k <= 6; ++k) QCOMPARE(shown->file.axisText[k], saved[k - 1]);
            for (QPushButton* b : {v->drawPointsButton, v->equalIntervalButton, v->saveImageButton})
                QVERIFY(b->isEnabled());

            // Frame, grid and curve: every pixel of the framed area, except where the main
            // window's data points lie, as the main window drew it.
            const QImage viewer = v->graphPicture->image();
            const bool logY = c.mode == 2 || c.mode == 4;
            const int top = logY ? 22 : 14, bottom = logY ? 473 : 497;
            int compared = 0;
            for (int y = top - 2; y <= bottom + 2; ++y)
                for (int x = 82; x <= 686; ++x) {
                    if (main.pixelColor(x, y) == PaletteColor(12)) continue;
                    QVERIFY2(main.pixel(x, y) == viewer.pixel(x, y),
                             qPrintable(
                                 QStringLiteral("mode %1 pixel %2,%3").arg(c.mode).arg(x).arg(y)));
                    ++compared;
                }
            QVERIFY(compared > 250000);
            int red = 0;  // the viewer draws no data points of its own accord
            for (int y = 0; y < viewer.height(); ++y)
                for (int x = 0; x < viewer.width(); ++x)
                    red += viewer.pixelColor(x, y) == PaletteColor(12);
            QCOMPARE(red, 0);
            // The same rows; the file keeps six digits, so a Y just half-way between two shown
            // digits may round the other way.
            const QStringList viewerReadOut = readOut(v->graphPicture, "Label7", "Label8", pixels);
            for (qsizetype k = 0; k < pixels.size(); ++k) {
                const QStringList m = mainReadOut[k].split(u'|'), w = viewerReadOut[k].split(u'|');
                QCOMPARE(w[0], m[0]);
                const double y = m[1].toDouble();
                QVERIFY2(std::fabs(w[1].toDouble() - y) <= 1.001e-3 * std::max(1.0, std::fabs(y)),
                         qPrintable(viewerReadOut[k] + QStringLiteral(" / ") + mainReadOut[k]));
            }
            QVERIFY(pixels.size() - mainReadOut.count(QStringLiteral("|")) >= 20);
        }
    }

    void viewerLabelsFollowTheirOwnRules() {
        dir->write(QStringLiteral("lin-Sp.csv"), linearFile().bytes());
        dir->write(QStringLiteral("log-Sp.csv"), logLogFile().bytes());
        openViewer();
        draw(QStringLiteral("lin-Sp.csv"));
        QStringList texts;
        for (const auto& t : v->graphPicture->printedTexts()) texts << t.text;
        // X end 500 in exponent form (the main window would write 500); Y start -500.
        QCOMPARE(texts, (QStringList{QStringLiteral("0"), QStringLiteral("5.0E+2"),
                                     QStringLiteral("-5.0E+2"), QStringLiteral("5.0E+2")}));
        const auto& yStart = v->graphPicture->printedTexts()[2];
        QVERIFY(std::fabs(yStart.x - (0 - 0.05 * 500)) < 1e-4);
        QVERIFY(std::fabs(yStart.y - (-500 + 0.03 * 1000)) < 1e-3);

        // The decades come from the file's texts, whatever the main window's fields hold.
        form2()->newCalculationButton->click();
        form1()->xStartField->setText(QStringLiteral("1.0E+05"));
        form1()->yEndField->setText(QStringLiteral("1.0E+09"));
        draw(QStringLiteral("log-Sp.csv"));
        texts.clear();
        for (const auto& t : v->graphPicture->printedTexts()) texts << t.text;
        QCOMPARE(texts, (QStringList{QStringLiteral("1.0E+0"), QStringLiteral("1.0E+2"),
                                     QStringLiteral("1.0E-1"), QStringLiteral("1.0E+1")}));
        // Two decades of X over 600 pixels: the grid line of 10 stands at 84 + 300.
        QCOMPARE(v->graphPicture->image().pixelColor(384, 300), PaletteColor(8));
        QCOMPARE(v->graphPicture->drawWidth(), 2);
    }

    void everyLabelStandsInsideThePicture() {
        MessageRecorder messages;  // the reports of saving
        // The Log - Linear Y end label stands furthest left; a long one must still show whole.
        calculateInMainWindow(*dir, 3, "1,1\r\n2,3\r\n4,7\r\n",
                              textList({"1", "10", "", "0", "42.125", "5"}),
                              curveRows(1, 4, 60, [](double x) { return 5 * x; }));
        QString which;
        QVERIFY2(labelsInside(form1()->graphPicture, &which), qPrintable(which));
        QCOMPARE(form1()->graphPicture->printedTexts().at(3).text, QStringLiteral("42.125"));
        // Still left of the frame.
        QVERIFY(form1()->graphPicture->printedTexts().at(3).x < 0);
        form1()->saveTableButton->click();
        form4()->fileNameField->setText(QStringLiteral("wide"));
        form4()->okButton->click();
        openViewer();
        draw(QStringLiteral("wide-Sp.csv"));
        QVERIFY2(labelsInside(v->graphPicture, &which), qPrintable(which));
        // Labels of other lengths and modes stay inside too.
        dir->write(QStringLiteral("lin-Sp.csv"), linearFile().bytes());
        dir->write(QStringLiteral("log-Sp.csv"), logLogFile().bytes());
        for (const char* name : {"lin-Sp.csv", "log-Sp.csv"}) {
            draw(QString::fromUtf8(name));
            QVERIFY2(labelsInside(v->graphPicture, &which), qPrintable(which));
        }
    }

    void filesThatDoNotFollowTheLayoutChangeNothing() {
        MessageRecorder messages;
        const QByteArray goodBytes = logLogFile().bytes();
        QList<QByteArray> lines = goodBytes.split('\n');
        auto with = [&](int index, const QByteArray& line) {
            QList<QByteArray> l = lines;
            l[index] = line + "\r";
            return l.join('\n');
        };
        auto firstLines = [&](int n) { return lines.mid(0, n).join('\n') + '\n'; };
        const struct {
            const char* what;
            QByteArray bytes;
            int line;  // named in the message, 0 when the message names none
        } cases[] = {
            {"an empty file", "", 0},
            {"a scale mode 5", with(0, " 5 "), 0},
            {"no scale mode", with(0, "Log"), 0},
            {"cut short in the axis texts", firstLines(4), 5},
            {"cut short in the table", firstLines(100), 101},
            {"more rows than the table holds", with(7, " 10011 "), 8},
            {"a row count that is no number", with(7, " many "), 8},
            {"a row that is not a pair", with(20, "+1.00000E+00 +2.00000E+00"), 21},
            {"a row with a word", with(20, "+1.00000E+00,  abc"), 21},
            {"zero on a logarithmic axis", with(30, "+0.00000E+00,  +2.00000E+00"), 31},
            {"a negative data point", with(490, "+2.00000E+00,  -1.00000E+00"), 491},
            {"no data points", firstLines(489), 490},
            {"more data points than the program holds", with(489, " 101 "), 490},
            {"a reversed axis", with(1, "1.0E+03"), 0},
            {"a non-positive axis start", with(4, "0"), 5},
            {"something after the last point", goodBytes + "+1.0,  +2.0\r\n", 492},
            {"no table rows", with(7, " 0 "), 8},
            {"a row below the one before", with(20, "+1.00000E+00,  +2.00000E+00"), 21},
            {"a row that is not a number", with(20, "+NaN,  +2.00000E+00"), 21},
        };
        dir->write(QStringLiteral("good-Sp.csv"), goodBytes);
        openViewer();
        draw(QStringLiteral("good-Sp.csv"));
        QVERIFY(messages.boxes.isEmpty());
        const QImage picture = v->graphPicture->image();
        const auto good = v->shown();

        QStringList seen;
        for (const auto& c : cases) {
            messages.boxes.clear();
            dir->write(QStringLiteral("bad-Sp.csv"), c.bytes);
            draw(QStringLiteral("bad-Sp.csv"));
            QCOMPARE(messages.boxes.size(), 1);
            const QString text = messages.boxes[0].text;
            QVERIFY2(text.contains(QStringLiteral("bad-Sp.csv")), c.what);
            if (c.line)
                QVERIFY2(text.contains(QStringLiteral("%1 行目").arg(c.line)), qPrintable(text));
            seen << text;
            QCOMPARE(v->shown(), good);
            QVERIFY2(v->graphPicture->image() == picture, c.what);
        }
        seen.removeDuplicates();
        QVERIFY(seen.size() >= 8);  // the messages say what differs
    }

    void emptyIncrementsDrawOneGridCell() {
        // A step typed as nothing (saved as typed) is the whole range, as the main window drew.
        SavedFile file = linearFile();
        file.axes[2] = QString();
        file.axes[5] = QStringLiteral("0,5");  // a comma stays part of its line
        dir->write(QStringLiteral("steps-Sp.csv"), file.bytes());
        openViewer();
        draw(QStringLiteral("steps-Sp.csv"));
        const SavedTable& read = v->shown()->file;
        QCOMPARE(read.xStep, 500.0);
        QCOMPARE(read.yStep, 1000.0);
        QCOMPARE(read.axisText[6], QStringLiteral("0,5"));
        QCOMPARE(read.axisText[4], QStringLiteral("-500"));
        const QRgb grey = PaletteColor(8).rgb();
        QCOMPARE(countRuns(v->graphPicture->image(), Qt::Horizontal, 100, grey), 0);
        QCOMPARE(countRuns(v->graphPicture->image(), Qt::Vertical, 200, grey), 0);
    }

    void dataPointsAreAddedOnRequest() {
        dir->write(QStringLiteral("log-Sp.csv"), logLogFile().bytes());
        openViewer();
        draw(QStringLiteral("log-Sp.csv"));
        // The point (50, 0.2 sqrt 50): X two decades from 1 over 600 pixels from 84, Y from 0.1.
        const double lx = 2 * 2.3025851, ly = 2 * 2.3025851;
        const int px = int(std::lround(84 + std::log(50.0) / lx * 600));
        const int py = int(
            std::lround((1.05 * ly - std::log(0.2 * std::sqrt(50.0) / 0.1)) / (1.2 * ly) * 540));
        QVERIFY(v->graphPicture->image().pixelColor(px, py) != PaletteColor(12));
        v->drawPointsButton->click();
        QCOMPARE(v->graphPicture->image().pixelColor(px, py), PaletteColor(12));
        QCOMPARE(v->graphPicture->drawWidth(), 6);
    }

    void resetAndEndStopTheViewersReadOutOnly() {
        MessageRecorder messages;  // the reports of saving
        calculateLine();
        Form1* f = form1();
        f->saveTableButton->click();
        form4()->fileNameField->setText(QStringLiteral("r"));
        form4()->okButton->click();
        openViewer();
        draw(QStringLiteral("r-Sp.csv"));
        moveMouse(v->graphPicture, QPoint(400, 300));
        auto* xValue = control<QLabel>(v, "Label7");
        auto* vertical = control<LineControl>(v, "Line1");
        QVERIFY(!xValue->text().isEmpty());
        QVERIFY(vertical->isVisible());

        // The main window reads its own curve whatever the viewer does.
        auto mainReadsOut = [&] {
            control<QLabel>(f, "Label27")->clear();
            moveMouse(f->graphPicture, QPoint(400, 300));
            return !caption(f, "Label27").isEmpty();
        };
        v->resetButton->click();  // Reset
        QVERIFY(!v->shown());
        QVERIFY(!vertical->isVisible() && !control<LineControl>(v, "Line2")->isVisible());
        QVERIFY(!tableButtonsEnabled());
        QCOMPARE(countRuns(v->graphPicture->image(), Qt::Horizontal, 300, qRgb(255, 255, 255)), 1);
        xValue->clear();
        moveMouse(v->graphPicture, QPoint(400, 300));
        QVERIFY(xValue->text().isEmpty());
        QVERIFY(mainReadsOut());
        // A click on a file and a draw bring it back.
        draw(QStringLiteral("r-Sp.csv"));
        moveMouse(v->graphPicture, QPoint(400, 300));
        QVERIFY(!xValue->text().isEmpty());

        v->endButton->click();  // end
        QVERIFY(!v->isVisible());
        QVERIFY(form2()->isVisible());
        QVERIFY(mainReadsOut());

        openViewer();
        draw(QStringLiteral("r-Sp.csv"));
        form2()->hide();
        v->close();  // the close box
        QVERIFY(form2()->isVisible());
        QVERIFY(mainReadsOut());
    }

    void secondFileReplacesEverything() {
        dir->write(QStringLiteral("lin-Sp.csv"), linearFile().bytes());
        dir->write(QStringLiteral("log-Sp.csv"), logLogFile().bytes());
        openViewer();
        draw(QStringLiteral("lin-Sp.csv"));
        const QImage linear = v->graphPicture->image();
        draw(QStringLiteral("log-Sp.csv"));
        draw(QStringLiteral("lin-Sp.csv"));
        QCOMPARE(v->graphPicture->image(), linear);
        auto shown = v->shown();
        QCOMPARE(shown->file.mode, 1);
        QCOMPARE(shown->rows.count, 390);
        QCOMPARE(shown->file.dataX[2], 400.0);
        QCOMPARE(shown->pointX[2], 400.0);  // no logarithms on a linear axis
        QCOMPARE(shown->file.axisText[6], QStringLiteral("250"));
        QCOMPARE(shown->rows.minY, -189.0);  // the first row, not the first point
        QCOMPARE(shown->rows.maxY, 200.0);
        draw(QStringLiteral("log-Sp.csv"));
        shown = v->shown();
        QCOMPARE(shown->file.mode, 4);
        QVERIFY(std::fabs(shown->rows.x[480] - std::log(50.0)) < 1e-12);
        QVERIFY(std::fabs(shown->pointY[1] - std::log(0.2 * std::sqrt(2.0))) < 1e-5);
    }

    void mainWindowAndViewerKeepTheirOwnTables() {
        MessageRecorder messages;  // the reports of saving
        calculateLine();
        Form1* f = form1();
        const QList<int> pixels = {150, 300, 450, 600};
        const QStringList mainReadOut = readOut(f->graphPicture, "Label27", "Label28", pixels);
        auto saveMain = [&](const QString& name) {
            saveMainTable(*dir, name);
            return dir->read(name + QStringLiteral("-Sp.csv"));
        };
        const QByteArray before = saveMain(QStringLiteral("before"));

        // The viewer shows another table.
        dir->write(QStringLiteral("lin-Sp.csv"), linearFile().bytes());
        openViewer();
        draw(QStringLiteral("lin-Sp.csv"));
        v->equalIntervalButton->click();
        QCOMPARE(form8()->minXLabel->text(), QStringLiteral("1.000E+01"));
        QCOMPARE(readOut(f->graphPicture, "Label27", "Label28", pixels), mainReadOut);
        QCOMPARE(saveMain(QStringLiteral("after")), before);
    }

    // The walk of one user through two calculations and the viewer: whatever is on screen, in the
    // read-out, on the clipboard and in a saved file is one table's and one picture's.
    void everyViewOfAResultIsOfTheOneTableOnScreen() {
        MessageRecorder messages;  // the reports of saving
        QClipboard* clipboard = QGuiApplication::clipboard();
        auto numbers = [](QString text) {  // the numbers of a list, a file or a copy
            QList<double> values;
            for (const QString& n :
                 text.replace(QLatin1Char(','), QLatin1Char(' '))
                     .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                values << n.toDouble();
            return values;
        };
        const auto square = [](double x) { return x * x / 2; };
        auto onSquare = [&](const double* x, const double* y, qsizetype rows, qsizetype stride) {
            for (qsizetype i = 0; i < rows; ++i)
                if (std::fabs(y[i * stride] - square(x[i * stride])) > 1e-5) return false;
            return rows == 60;
        };

        // No picture, nothing to save. A first calculation, then a second with another method
        // and another curve.
        QVERIFY(!f->saveImageButton->isEnabled());
        calculateLine();
        QVERIFY(f->saveImageButton->isEnabled());
        const QList<QPointF> second = curveRows(1, 4, 60, square);
        writeEngineTable(*dir, 1, second);
        f->calculateButton->click();
        form7()->bSplineOption->click();
        form7()->startButton->click();
        QTRY_VERIFY(dir->read(QStringLiteral("F2B.dat")).startsWith("  60"));
        f->drawCurveButton->click();
        const QImage screen = rgb(f->graphPicture);

        // The read-out pairs, the copy and the saved table are the second table's; the saved
        // picture is the one on screen.
        for (double x : {1.5, 2.22, 3.337, 3.9}) {
            moveMouse(f->graphPicture, f->graphPicture->pixelOf(x, 1));
            QCOMPARE(caption(f, "Label28"),
                     LinearReadOutText(square(caption(f, "Label27").toDouble())));
        }
        f->CopyData->trigger();
        const QList<double> copied = numbers(clipboard->text());
        QVERIFY(onSquare(copied.data(), copied.data() + 1, copied.size() / 2, 2));
        saveMainTable(*dir, QStringLiteral("run1"));
        SavedTable saved;
        QVERIFY(ParseSavedTable(dir->read(QStringLiteral("run1-BSp.csv")), saved).ok());
        QVERIFY(onSquare(saved.plainX.data() + 1, saved.plainY.data() + 1, saved.tableCount, 1));
        f->saveImageButton->click();
        QCOMPARE(savePicture(*dir, QStringLiteral("main")), screen);
        // ... the picture of the points and this one curve alone.
        calculateInMainWindow(*dir, 1, "1,1\r\n2,3\r\n4,7\r\n",
                              textList({"0", "5", "1", "0", "10", "1"}), second, 1);
        QCOMPARE(rgb(f->graphPicture), screen);

        dir->write(QStringLiteral("lin-Sp.csv"), linearFile().bytes());
        openViewer();
        draw(QStringLiteral("run1-BSp.csv"));
        // Each OK of the equal-interval window replaces its list: list, copy and file agree.
        v->equalIntervalButton->click();
        Form8* e = form8();
        e->intervalField->setText(QStringLiteral("0.5"));
        e->endField->setText(QStringLiteral("2.5"));
        for (const char* start : {"1", "1.5"}) {
            e->startField->setText(QString::fromUtf8(start));
            e->okButton->click();
        }
        QString listed;
        for (int i = 0; i < e->valuesList->count(); ++i)
            listed += e->valuesList->item(i)->text() + u' ';
        QCOMPARE(numbers(listed).size(), 6);
        e->CopyData->trigger();
        QCOMPARE(numbers(clipboard->text()), numbers(listed));
        e->fileNameField->setText(QStringLiteral("eq"));
        e->saveButton->click();
        QCOMPARE(numbers(QString::fromLatin1(dir->read(QStringLiteral("eq.csv")))),
                 numbers(listed));
        // The windows that act on the viewer's table close when it draws another, resets or
        // closes.
        const std::function<void()> replacements[] = {
            [&] { draw(QStringLiteral("lin-Sp.csv")); }, [&] { v->resetButton->click(); },
            [&] { v->endButton->click(); }, [&] { v->close(); }};
        for (const auto& replace : replacements) {
            if (!v->isVisible()) openViewer();
            draw(QStringLiteral("run1-BSp.csv"));
            v->equalIntervalButton->click();
            v->saveImageButton->click();
            replace();
            QVERIFY(!e->isVisible() && !form5()->isVisible());
        }
    }

    void bitmapIsTheViewersPictureWhileTheMainWindowShowsAnother() {
        MessageRecorder messages;  // the reports of saving
        calculateLine();
        dir->write(QStringLiteral("run1-BSp.csv"), logLogFile().bytes());
        dir->write(QStringLiteral("lin-Sp.csv"), linearFile().bytes());
        openViewer();
        draw(QStringLiteral("run1-BSp.csv"));
        // Saved under the drawn file's name, whatever is selected.
        clickFile(v, QStringLiteral("lin-Sp.csv"));
        v->saveImageButton->click();
        QCOMPARE(form5()->fileNameField->text(), QStringLiteral("run1-BSp-Gr"));
        const QImage saved = savePicture(*dir, QStringLiteral("run1-BSp-Gr"));
        QCOMPARE(saved, rgb(v->graphPicture));
        QVERIFY(saved != rgb(form1()->graphPicture));

        // The main window's button saves its own picture again.
        form1()->saveImageButton->click();
        QCOMPARE(savePicture(*dir, QStringLiteral("main")), rgb(form1()->graphPicture));
        QCOMPARE(messages.boxes.size(), 2);
    }
};

QTEST_MAIN(ViewerTest)
#include "viewer_test.moc"
