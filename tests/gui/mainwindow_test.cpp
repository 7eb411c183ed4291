// The title and main windows driven through their controls: captions, the button stages of
// one calculation, the axis settings and their rules, the method dialog, reset and exit.
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <array>
#include <memory>

#include "exchange.h"
#include "filelists.h"
#include "form1.h"
#include "form10.h"
#include "form11.h"
#include "form2.h"
#include "form4.h"
#include "form7.h"
#include "graphsettings.h"
#include "guitest.h"
#include "linecontrol.h"
#include "savedfile.h"
#include "state.h"
#include "textbox.h"

namespace {
const QString kInvalid = QStringLiteral("　入力値が不正です！　");
}

class MainWindowTest : public ProgramSuite {
    Q_OBJECT

    void load(const QByteArray& bytes, const QString& name = QStringLiteral("d.csv")) {
        dir->write(name, bytes);
        f->inputMethodOkButton->click();
        clickFile(form10(), name);
        form10()->okButton->click();
    }
    void setAxes(const char* x0, const char* x1, const char* dx, const char* y0, const char* y1,
                 const char* dy) {
        const std::pair<TextBox*, const char*> fields[] = {
            {f->xStartField, x0}, {f->xEndField, x1}, {f->xStepField, dx},
            {f->yStartField, y0}, {f->yEndField, y1}, {f->yStepField, dy}};
        for (auto [box, text] : fields)
            if (box->isEnabled()) box->setText(QString::fromUtf8(text));
    }
    // Confirms the axis settings and draws the data points.
    void drawPoints() {
        f->graphSettingsOkButton->click();
        f->drawPointsButton->click();
    }
    // Opens hand entry and types the point (1, 2).
    void typePointByHand() {
        f->byHandOption->click();
        f->inputMethodOkButton->click();
        form11()->xField->setText(QStringLiteral("1"));
        form11()->yField->setText(QStringLiteral("2"));
        form11()->nextPointButton->click();
    }
    // Drawing the points gives one warning naming `points`, sends nothing to the engine and
    // leaves the points to be drawn again.
    void verifyDrawingRefused(const QString& points) {
        MessageRecorder boxes;
        f->drawPointsButton->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY2(
            boxes.boxes[0].icon == QMessageBox::Warning && boxes.boxes[0].text.contains(points),
            qPrintable(boxes.boxes[0].text));
        QVERIFY(!dir->exists(QStringLiteral("B2F.dat")));
        QVERIFY(f->drawPointsButton->isEnabled() && !f->calculateButton->isEnabled());
    }
    bool readOutLinesShown() const {
        return control<LineControl>(f, "Line1")->isVisible() ||
               control<LineControl>(f, "Line2")->isVisible();
    }
    QList<bool> enabled() const {
        return {f->drawPointsButton->isEnabled(), f->graphSettingsOkButton->isEnabled(),
                f->calculateButton->isEnabled(), f->drawCurveButton->isEnabled(),
                f->saveTableButton->isEnabled()};
    }

private slots:

    void titleWindowLeadsToTheMainWindowWithEveryCaption() {
        ShutdownNodara();
        StartNodara();
        Form2* title = form2();
        QCOMPARE(title->windowTitle(), QStringLiteral(" Nodara,  version 5"));
        QCOMPARE(title->newCalculationButton->text(), QStringLiteral("新規補間計算"));
        QCOMPARE(title->searchSavedButton->text(), QStringLiteral("補間済データの検索"));
        QVERIFY(title->searchSavedButton->isEnabled());
        QCOMPARE(title->endButton->text(), QStringLiteral("終了"));
        QStringList texts;
        for (QLabel* l : title->findChildren<QLabel*>()) texts << l->text();
        for (const char* t :
             {"離散データのスプライン補間", "Cubic Spline", "B - Spline", "から選択が可能",
              "いずれの平面上のデータにも対応", "最大 100 ポイントのデータまで対応", "補間計算は"})
            QVERIFY2(texts.contains(QString::fromUtf8(t)), t);
        QCOMPARE(texts.count(QStringLiteral("Nodara, ver.5")), 2);
        QCOMPARE(texts.count(QStringLiteral("Log - Log  scale")), 2);
        QCOMPARE(texts.count(QStringLiteral("Linear - Log  scale")), 2);

        title->newCalculationButton->click();
        f = form1();
        QVERIFY(f->isVisible());
        QVERIFY(!title->isVisible());
        QCOMPARE(f->windowTitle(), QStringLiteral("  Nodara,  version 5"));
        const std::pair<const char*, const char*> captions[] = {
            {"Label2", "データテーブル"},
            {"Label3", "X                Y"},
            {"Label4", "最小値"},
            {"Label5", "最大値"},
            {"Label29", "グラフ設定"},
            {"Label6", "X 軸  -  Y 軸"},
            {"Label8", "X 軸 "},
            {"Label9", "Y 軸 "},
            {"Label10", "開始値"},
            {"Label11", "終了値"},
            {"Label12", "増 分"},
            {"Label13", "下図参照　入力例 (0, 10, 1E-2, 1e+03)"},
            {"Label1", "グラフ上でマウスを動かすと、そのＸ座標のＹ値が表示されます"},
            {"Label25", "X ="},
            {"Label26", "Y="}};
        for (auto [name, text] : captions) QCOMPARE(caption(f, name), QString::fromUtf8(text));
        const std::pair<const char*, const char*> buttons[] = {{"Command9", "OK"},
                                                               {"Command3", "OK"},
                                                               {"Command1", "データ点グラフ描画"},
                                                               {"Command4", "スプライン補間計算"},
                                                               {"Command5", "補間グラフ描画"},
                                                               {"Command6", "データ保存"},
                                                               {"Command8", "グラフ画像保存"},
                                                               {"Command7", "Reset"},
                                                               {"Command2", "終了"},
                                                               {"Option5", "ファイルから読み込む"},
                                                               {"Option6", "直接、手入力する"},
                                                               {"Option1", " Linear - Linear"},
                                                               {"Option2", " Linear - Log"},
                                                               {"Option3", " Log - Linear"},
                                                               {"Option4", " Log - Log"}};
        for (auto [name, text] : buttons)
            QCOMPARE(control<QAbstractButton>(f, name)->text(), QString::fromUtf8(text));
        QCOMPARE(control<QGroupBox>(f, "Frame2")->title(), QStringLiteral("データ入力方式"));
        QCOMPARE(control<QGroupBox>(f, "Frame1")->title(), QStringLiteral("スケールモード選択"));
        QStringList marks;
        for (int n = 1; n <= 8; ++n)
            marks << caption(f, QStringLiteral("Step%1").arg(n).toLatin1().constData());
        QCOMPARE(marks.join(QString()), QStringLiteral("①②③④⑤⑥⑦⑧"));

        // The start state: file input and Linear - Linear chosen, nothing of the calculation to
        // press yet, no picture to save; hand entry and format help have no windows yet.
        QVERIFY(f->fromFileOption->isChecked());
        QVERIFY(f->linearLinearOption->isChecked());
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false}));
        QVERIFY(f->byHandOption->isEnabled());
        QVERIFY(!f->saveImageButton->isEnabled());
        QVERIFY(form10()->dataFormatButton->isEnabled());
    }

    void windowFitsA1280By720ScreenWithTheGraphAtItsSize() {
        // 720 pixels of screen less a title bar of 30.
        const QSize screen(1280, 690);
        const QSize least = f->minimumSizeHint();
        QVERIFY2(least.width() <= screen.width() && least.height() <= screen.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(least.width()).arg(least.height())));
        f->resize(screen);
        QCOMPARE(f->size(), screen);
        QCOMPARE(f->graphPicture->size(), QSize(720, 540));
        verifyCaptionsUnclipped(f);
        // Nothing overlaps the graph.
        const QRect graph(f->graphPicture->mapTo(f, QPoint(0, 0)), f->graphPicture->size());
        for (QWidget* w : f->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(f) || w == f->graphPicture || f->graphPicture->isAncestorOf(w) ||
                w->isAncestorOf(f->graphPicture))
                continue;
            QVERIFY2(!graph.intersects(QRect(w->mapTo(f, QPoint(0, 0)), w->size())),
                     qPrintable(w->objectName()));
        }
    }

    void enterOnTheFocusedOkConfirmsTheSettings() {
        load("1,2\r\n3,4\r\n");
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->yStepField->setFocus();
        QTest::keyClick(f->yStepField, Qt::Key_Return);
        QCOMPARE(f->focusWidget(), f->graphSettingsOkButton);
        QTest::keyClick(f->graphSettingsOkButton, Qt::Key_Return);
        QCOMPARE(f->xStartField->text(), QStringLiteral("1"));  // the data's own limits
        QCOMPARE(f->focusWidget(), f->drawPointsButton);
        QTest::keyClick(f->drawPointsButton, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(dir->exists(QStringLiteral("B2F.dat")));
        QCOMPARE(f->focusWidget(), f->calculateButton);
    }

    void buttonsAreEnabledStageByStage() {
        load("1,10\r\n2,20\r\n3,15\r\n");
        QVERIFY(f->isVisible());
        QCOMPARE(enabled(), (QList<bool>{false, true, false, false, false}));
        setAxes("0", "4", "1", "0", "30", "10");
        f->graphSettingsOkButton->click();
        QCOMPARE(enabled(), (QList<bool>{true, true, false, false, false}));
        QCOMPARE(f->focusWidget(), f->drawPointsButton);

        f->drawPointsButton->click();
        QCOMPARE(enabled(), (QList<bool>{false, true, true, false, false}));
        QCOMPARE(f->focusWidget(), f->calculateButton);
        QCOMPARE(dir->read(QStringLiteral("B2F.dat")),
                 QByteArray(" 3 \r\n+1.00000E+00 +1.00000E+01\r\n+2.00000E+00 +2.00000E+01\r\n"
                            "+3.00000E+00 +1.50000E+01\r\n"));

        // Cancelling the method dialog writes and starts nothing.
        f->calculateButton->click();
        Form7* method = form7();
        QVERIFY(method->isVisible());
        QVERIFY(method->cubicSplineOption->isChecked());
        QCOMPARE(method->windowTitle(), QStringLiteral("Nodara"));
        QCOMPARE(method->methodGroup->title(), QStringLiteral(" スプライン補間方法 "));
        QCOMPARE(method->cubicSplineOption->text(), QStringLiteral("３次スプライン"));
        QCOMPARE(method->bSplineOption->text(), QStringLiteral(" B-スプライン"));
        QCOMPARE(method->cubicSplineNoteLabel->text(), QStringLiteral("（データ点を必ず通る）"));
        QCOMPARE(method->bSplineNoteLabel->text(),
                 QStringLiteral("（データ点を必ずしも通らない）"));
        QCOMPARE(method->startButton->text(), QStringLiteral("補間計算スタート"));
        QCOMPARE(method->cancelButton->text(), QStringLiteral("キャンセル"));
        method->cancelButton->click();
        QVERIFY(!method->isVisible());
        QVERIFY(!dir->exists(QStringLiteral("Bor3.dat")));
        QVERIFY(!f->drawCurveButton->isEnabled());

        // Starting the engine: Bor3.dat, the previous table gone before the engine runs.
        installFakeEngine(*dir);
        dir->write(QStringLiteral("F2B.dat"), "     1\r\n  .1E+01  .1E+01\r\n");
        dir->write(QStringLiteral("table.txt"),
                   "     2\r\n  .150000E+01  .150000E+02\r\n  .300000E+01  .150000E+02\r\n");
        f->calculateButton->click();
        method->bSplineOption->click();
        method->startButton->click();
        QVERIFY(!method->isVisible());
        QCOMPARE(dir->read(QStringLiteral("Bor3.dat")), QByteArray("01\r\n"));
        QCOMPARE(enabled(), (QList<bool>{false, true, true, true, false}));
        QCOMPARE(f->focusWidget(), f->drawCurveButton);
        QTRY_VERIFY(dir->exists(QStringLiteral("seen.txt")));
        QTRY_COMPARE(dir->read(QStringLiteral("seen.txt")), QByteArray("fresh\n"));
        QTRY_VERIFY(dir->exists(QStringLiteral("F2B.dat")));

        // The curve: the table is read, and data saving becomes possible.
        f->drawCurveButton->click();
        QCOMPARE(f->computedTable()->rows.count, 2);
        QCOMPARE(f->computedTable()->rows.x[2], 3.0);
        QCOMPARE(f->computedTable()->method.flag, 1);
        QCOMPARE(enabled(), (QList<bool>{false, true, true, true, true}));
        QCOMPARE(f->focusWidget(), f->saveTableButton);

        // Reset: files deleted, the window back at its start.
        f->logLinearOption->click();
        f->resetButton->click();
        for (const char* n : {"B2F.dat", "F2B.dat", "Bor3.dat"})
            QVERIFY2(!dir->exists(QLatin1String(n)), n);
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false}));
        QVERIFY(f->linearLinearOption->isChecked());
        QVERIFY(f->fromFileOption->isChecked());
        QCOMPARE(f->dataList->count(), 0);
        QCOMPARE(f->axisTexts(), QStringList(6, QString()));
        QVERIFY(f->xStepField->isEnabled() && f->yStepField->isEnabled());
        for (const char* l : {"Label31", "Label32", "Label33", "Label34", "Label27", "Label28"})
            QVERIFY(caption(f, l).isEmpty());
        QVERIFY(!readOutLinesShown());
        QCOMPARE(f->graphPicture->image().pixelColor(360, 270), QColor(Qt::white));
        // The points went with the data list, the table with its graph.
        QCOMPARE(f->dataPoints().DataCount, 0);
        QVERIFY(!f->computedTable());
    }

    void newDataInputStartsANewPass() {
        load("1,10\r\n2,20\r\n3,15\r\n");
        setAxes("0", "4", "1", "0", "30", "10");
        drawPoints();
        installFakeEngine(*dir);
        dir->write(QStringLiteral("table.txt"),
                   "     3\r\n  .100000E+01  .100000E+02\r\n  .200000E+01  .200000E+02\r\n"
                   "  .300000E+01  .150000E+02\r\n");
        f->calculateButton->click();
        form7()->startButton->click();
        QTRY_VERIFY(dir->exists(QStringLiteral("F2B.dat")));
        f->drawCurveButton->click();
        moveMouse(f->graphPicture, f->graphPicture->pixelOf(1.5, 0));
        QVERIFY(control<LineControl>(f, "Line1")->isVisible());
        QVERIFY(!caption(f, "Label27").isEmpty());
        const QPoint onFrame = f->graphPicture->pixelOf(1.5, 0);
        QVERIFY(f->graphPicture->image().pixelColor(onFrame) != QColor(Qt::white));

        // Neither the old graph, its read-out nor the buttons of the old pass survive.
        f->inputMethodOkButton->click();
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false}));
        QVERIFY(!readOutLinesShown());
        for (const char* l : {"Label27", "Label28", "Label31", "Label34"})
            QVERIFY2(caption(f, l).isEmpty(), l);
        QCOMPARE(f->graphPicture->image().pixelColor(onFrame), QColor(Qt::white));
        moveMouse(f->graphPicture, onFrame);
        QVERIFY(!readOutLinesShown());
        // Cancelling the new input leaves nothing to draw either.
        form10()->cancelButton->click();
        QCOMPARE(enabled(), (QList<bool>{false, false, false, false, false}));
    }

    // Data the engine's record cannot carry apart are refused before the engine, naming the
    // points; the default frame holds every point of any data, and ④ accepts it.
    void defaultFrameHoldsEveryPointAndCollidingXIsRefused() {
        QByteArray dates;
        for (int d = 20260101; d <= 20260110; ++d) dates += QByteArray::number(d) + ",1\r\n";
        const struct {
            QByteArray data;
            int mode;
            const char* refused;  // the points named, or nothing
        } cases[] = {
            {"1.000001,1\r\n1.000002,2\r\n", 1, "No.1（X = 1.000001）と No.2（X = 1.000002）"},
            {"5,3\r\n3.000001,2\r\n3,1\r\n", 1, "No.1（X = 3）と No.2（X = 3.000001）"},
            {dates, 1, "No.1（X = 20260101）と No.2（X = 20260102）"},
            {"1000000,1\r\n1000005,2\r\n", 3, "No.1（X = 1000000）と No.2（X = 1000005）"},
            {"1000000,1\r\n1000005,2\r\n", 1, nullptr},  // apart in the sixth digit
            {"12345,1\r\n12399,2\r\n12350,1.5\r\n", 1, nullptr},
            {"1,5\r\n2,5\r\n3,5\r\n", 1, nullptr},  // one Y value: a range around it
            {"0.30000000000000004,0\r\n1,0.1\r\n", 1, nullptr},
            {"1.23456,0.001\r\n9.96,1.04\r\n", 4, nullptr},  // decades rounded outwards
            {"9.96,0.996\r\n20,1.04\r\n", 4, nullptr},
            {"7,7\r\n", 4, nullptr},
        };
        for (const auto& c : cases) {
            MessageRecorder boxes;
            f->resetButton->click();
            load(c.data);
            control<QRadioButton>(f, QStringLiteral("Option%1").arg(c.mode).toLatin1())->click();
            f->graphSettingsOkButton->click();
            QVERIFY2(boxes.boxes.isEmpty(), c.data.constData());
            if (c.refused) {
                verifyDrawingRefused(QString::fromUtf8(c.refused));
                continue;
            }
            f->drawPointsButton->click();
            QVERIFY2(boxes.boxes.isEmpty() && f->calculateButton->isEnabled(), c.data.constData());
            // Every point inside the frame the axis boxes give.
            const QStringList a = f->axisTexts();  // X start, end, step, Y start, end, step
            const DataPoints& p = f->dataPoints();
            for (int i = 1; i <= p.DataCount; ++i)
                QVERIFY2(a[0].toDouble() <= p.DataX[i] && p.DataX[i] <= a[1].toDouble() &&
                             a[3].toDouble() <= p.DataY[i] && p.DataY[i] <= a[4].toDouble(),
                         c.data.constData());
        }
        // A new data input puts its own defaults into the boxes, over what was typed.
        f->resetButton->click();
        setAxes("0", "99999", "1000", "0", "10", "1");
        load("12345,1\r\n12399,2\r\n");
        QCOMPARE(f->axisTexts(), textList({"12345", "12399", "", "1", "2", ""}));
    }

    void tableStaysWithTheGraphItWasComputedFor() {
        MessageRecorder messages;  // the reports of saving
        calculateInMainWindow(*dir, 1, "1,1\r\n2,3\r\n5,9\r\n",
                              textList({"0", "5", "1", "0", "10", "1"}),
                              curveRows(1, 5, 400, [](double x) { return 2 * x - 1; }));
        auto readOut = [&] {
            QStringList texts;
            for (int px : {200, 350, 500}) {
                moveMouse(f->graphPicture, QPoint(px, 270));
                texts << caption(f, "Label27") + QLatin1Char('|') + caption(f, "Label28");
            }
            return texts;
        };
        auto save = [&](const QString& name) {
            saveMainTable(*dir, name);
            return dir->read(name + QStringLiteral("-Sp.csv"));
        };
        const QStringList linear = readOut();
        QCOMPARE(linear[1], QStringLiteral("2.220|3.440"));
        const QImage picture = f->graphPicture->image();
        const QByteArray saved = save(QStringLiteral("before"));

        // Another scale mode and new axis texts, confirmed but not drawn: the picture, its curve,
        // its read-out and the saved file are still the linear graph's.
        f->logLinearOption->click();
        f->xStartField->setText(QStringLiteral("1"));
        f->graphSettingsOkButton->click();
        QCOMPARE(readOut(), linear);
        f->drawCurveButton->click();
        QCOMPARE(f->graphPicture->image(), picture);
        QCOMPARE(save(QStringLiteral("after")), saved);

        // Drawing the points anew leaves no table to use until the engine has run for them.
        f->drawPointsButton->click();
        QVERIFY(!f->drawCurveButton->isEnabled() && !f->saveTableButton->isEnabled());
        QCOMPARE(readOut(), QStringList(3, QStringLiteral("|")));
        form4()->okButton->click();  // a saving dialog left open saves nothing
        QVERIFY(
            messages.boxes.last().text.contains(QStringLiteral("保存する補間データがありません")));
        QVERIFY(!dir->exists(QStringLiteral("after-BSp.csv")));
    }

    void methodDialogLeftOpenNeverComputesOtherPoints() {
        load("1,10\r\n2,20\r\n3,15\r\n");
        drawPoints();
        f->calculateButton->click();
        QVERIFY(form7()->isVisible());
        load("5,1\r\n6,2\r\n", QStringLiteral("new.csv"));
        QVERIFY(!form7()->isVisible());
        installFakeEngine(*dir);
        form7()->startButton->click();
        QVERIFY(!dir->exists(QStringLiteral("Bor3.dat")));
        QVERIFY(!f->drawCurveButton->isEnabled());
        QVERIFY(!findConsole());
    }

    void secondCopyInTheSameFolderCannotCalculate() {
        ShutdownNodara();
        QProcess other;
        other.setWorkingDirectory(dir->path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        other.setProcessEnvironment(env);
        other.start(QStringLiteral(NODARA_EXE), {});
        const QString lock = dir->file(QLatin1String(kFolderLockName));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);

        MessageRecorder boxes;
        StartNodara();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(boxes.boxes[0].text.contains(QStringLiteral("別に起動している Nodara")));
        form2()->newCalculationButton->click();
        f = form1();
        load("1,10\r\n2,20\r\n");
        drawPoints();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].text, boxes.boxes[0].text);
        QVERIFY(!dir->exists(QStringLiteral("B2F.dat")) && !f->calculateButton->isEnabled());
        // Its exchange files are not this copy's to delete.
        dir->write(QStringLiteral("F2B.dat"), "theirs");
        f->resetButton->click();
        QCOMPARE(dir->read(QStringLiteral("F2B.dat")), QByteArray("theirs"));

        // A copy that ends abnormally leaves its lock behind, but holds the folder no more.
        other.kill();
        QVERIFY(other.waitForFinished(10000));
        QVERIFY(QFile::exists(lock));
        load("1,10\r\n2,20\r\n");
        drawPoints();
        QCOMPARE(boxes.boxes.size(), 2);
        QVERIFY(dir->exists(QStringLiteral("B2F.dat")) && f->calculateButton->isEnabled());
    }

    void closeBoxesGiveUpAsCancelAndTheTitleWindowsEndsTheProgram() {
        // The file input's close box: the main window comes back.
        f->inputMethodOkButton->click();
        QVERIFY(form10()->isVisible() && !f->isVisible());
        QVERIFY(!form10()->close());
        QVERIFY(!form10()->isVisible() && f->isVisible());
        // Hand entry's: the points typed stay, as after its cancel.
        typePointByHand();
        QVERIFY(!form11()->close());
        QVERIFY(!form11()->isVisible() && f->isVisible());
        QVERIFY(f->holdsTypedPoints());
        // The title window's close box ends the program as 終了 does.
        for (const char* n : {"B2F.dat", "F2B.dat", "Bor3.dat"}) dir->write(QLatin1String(n), "x");
        MessageRecorder question;
        question.answer = true;
        f->endButton->click();
        QCOMPARE(question.boxes.size(), 1);  // the point typed would be lost
        QVERIFY(form2()->close());
        for (const char* n : {"B2F.dat", "F2B.dat", "Bor3.dat"})
            QVERIFY2(!dir->exists(QLatin1String(n)), n);
        for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!w->isVisible());
    }

    // Closing the main window (終了 or its close box) asks first while it holds points typed by
    // hand or a table not saved; いいえ keeps the window with everything in it. Reset, chosen by
    // name, never asks, nor does a window with nothing to lose.
    void closingAsksBeforeTypedPointsOrAnUnsavedTableAreLost() {
        MessageRecorder boxes;
        // Closes by 終了 or the close box answering `yes`; `asks` is a phrase of the question
        // expected, empty where none is.
        const auto closeBy = [&](bool box, bool yes, const char* asks) {
            boxes.boxes.clear();
            boxes.answer = yes;
            if (box)
                QCOMPARE(f->close(), yes);
            else
                f->endButton->click();
            QCOMPARE(boxes.boxes.size(), *asks ? 1 : 0);
            if (*asks)
                QVERIFY2(boxes.boxes[0].icon == QMessageBox::Question &&
                             boxes.boxes[0].text.contains(QString::fromUtf8(asks)),
                         qPrintable(boxes.boxes[0].text));
            QCOMPARE(f->isVisible(), !yes);
            QCOMPARE(form2()->isVisible(), yes);
            if (yes) form2()->newCalculationButton->click();
        };
        const auto calculate = [&] {
            calculateInMainWindow(*dir, 1, "1,2\r\n2,8\r\n4,3\r\n",
                                  textList({"0", "5", "1", "0", "10", "1"}),
                                  curveRows(1, 4, 30, [](double x) { return x; }));
        };
        typePointByHand();
        form11()->cancelButton->click();  // given up: kept for the next opening
        for (const bool box : {false, true}) {
            closeBy(box, false, "手入力したデータは失われます");
            QVERIFY(f->holdsTypedPoints());
        }
        closeBy(true, true, "手入力したデータは失われます");
        closeBy(false, true, "");  // the title window began anew: nothing to lose

        // A table drawn: asked until it is saved.
        calculate();
        closeBy(false, false, "保存していない補間データは失われます");
        QVERIFY(f->saveTableButton->isEnabled());
        f->resetButton->click();  // Reset
        QCOMPARE(boxes.boxes.size(), 1);
        closeBy(false, true, "");
        calculate();
        f->saveTableButton->click();
        form4()->folderList->setPath(dir->path());
        form4()->showFolderFiles();
        form4()->okButton->click();
        closeBy(true, true, "");
    }

    void wholeCalculationByKeyboardAlone() {
        MessageRecorder boxes;  // the report of saving
        dir->write(QStringLiteral("a.csv"), "1,10\r\n2,20\r\n3,15\r\n");
        installFakeEngine(*dir);
        dir->write(QStringLiteral("table.txt"),
                   "     2\r\n  .150000E+01  .150000E+02\r\n  .300000E+01  .150000E+02\r\n");
        auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
            QWidget* window = QApplication::activeWindow();
            QVERIFY(window);
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key(k), m);
        };
        // The window manager gives a window that opens the focus.
        auto active = [](QWidget* w) {
            w->activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), w);
        };
        ShutdownNodara();
        StartNodara();
        active(form2());
        key(Qt::Key_Return);  // 新規補間計算
        f = form1();
        active(f);
        f->inputMethodOkButton->setFocus();  // one Tab from the input method
        key(Qt::Key_Return);
        Form10* d = form10();
        active(d);
        d->fileList->setFocus();
        key(Qt::Key_Down);
        key(Qt::Key_Return);  // takes the file chosen
        QCOMPARE(d->fileLinesList->count(), 3);
        QCOMPARE(d->focusWidget(), d->okButton);
        key(Qt::Key_Return);  // OK
        active(f);
        QCOMPARE(f->focusWidget(), f->linearLinearOption);  // the next step, not the input's OK
        f->xStartField->setFocus();
        for (const char* text : {"0", "4", "1", "0", "30", "5"}) {
            QTest::keyClicks(f->focusWidget(), QString::fromUtf8(text));
            key(Qt::Key_Return);
        }
        QCOMPARE(f->focusWidget(), f->graphSettingsOkButton);
        key(Qt::Key_Return);  // OK of the settings
        key(Qt::Key_Return);  // データ点グラフ描画
        key(Qt::Key_Return);  // スプライン補間計算
        active(form7());
        QVERIFY(form7()->frameGeometry().intersects(f->frameGeometry()));
        key(Qt::Key_Return);  // 補間計算スタート
        QTRY_VERIFY(dir->exists(QStringLiteral("F2B.dat")));
        active(f);
        key(Qt::Key_Return);  // 補間グラフ描画
        QCOMPARE(f->computedTable()->rows.count, 2);
        key(Qt::Key_Return);  // データ保存
        active(form4());
        QTest::keyClick(form4()->fileNameField, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(form4()->fileNameField, QStringLiteral("keys"));
        key(Qt::Key_Return);  // Enter in the name presses OK
        QVERIFY(QFile::exists(QDir::current().filePath(QStringLiteral("keys-Sp.csv"))));
        QCOMPARE(boxes.boxes.size(), 1);
        // Escape closes a dialog as its cancel does.
        active(f);
        QCOMPARE(f->focusWidget(), f->saveTableButton);
        key(Qt::Key_Return);
        active(form4());
        key(Qt::Key_Escape);
        QVERIFY(!form4()->isVisible());
    }

    void engineThatCannotBeStartedChangesNothing() {
        load("1,10\r\n2,20\r\n");
        drawPoints();
        f->calculateButton->click();
        SetEngineSearchPath({dir->path()});
        dir->write(QStringLiteral("Fitcore"), "not a program");  // not executable
        dir->write(QStringLiteral("F2B.dat"), "kept");
        MessageRecorder boxes;
        form7()->bSplineOption->click();
        form7()->startButton->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("　計算プログラム Fitcore を起動できません！　"));
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
        QVERIFY(!f->drawCurveButton->isEnabled());
        QVERIFY(form7()->isVisible());
        QVERIFY(!dir->exists(QStringLiteral("Bor3.dat")));
        QCOMPARE(dir->read(QStringLiteral("F2B.dat")), QByteArray("kept"));
        QVERIFY(!findConsole());
    }

    void invalidRangesGiveTheMessageAndChangeNothing() {
        load("1,10\r\n2,20\r\n");
        MessageRecorder boxes;
        // A valid pass, then a range broken before drawing: nothing is drawn.
        setAxes("0", "10", "1", "0", "30", "10");
        f->graphSettingsOkButton->click();
        QVERIFY(boxes.boxes.isEmpty());
        f->xEndField->setText(QStringLiteral("-1"));
        f->drawPointsButton->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(f->drawPointsButton->isEnabled());
        QVERIFY(!f->calculateButton->isEnabled());
        QVERIFY(!dir->exists(QStringLiteral("B2F.dat")));

        // Non-positive limits of a logarithmic axis are refused when drawing.
        f->linearLogOption->click();
        setAxes("0", "10", "1", "1", "100", "");
        f->graphSettingsOkButton->click();
        f->yStartField->setText(QStringLiteral("0"));
        f->drawPointsButton->click();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[1].text, kInvalid);
        QVERIFY(!dir->exists(QStringLiteral("B2F.dat")));

        // Limits beyond the double range, or a range too wide to measure, cannot be drawn.
        f->linearLinearOption->click();
        const std::array<const char*, 3> unmeasurable[] = {
            {"-1e400", "10", "0"}, {"0", "1e400", "0"}, {"-1.7e308", "1.7e308", "0"}};
        for (const auto& [start, end, y] : unmeasurable) {
            setAxes(start, end, "1", y, "30", "10");
            f->graphSettingsOkButton->click();
            QCOMPARE(boxes.boxes.last().text, kInvalid);
            f->drawPointsButton->click();
            QCOMPARE(boxes.boxes.last().text, kInvalid);
            QVERIFY2(!f->calculateButton->isEnabled(), start);
        }
        QCOMPARE(boxes.boxes.size(), 8);
    }

    // Each axis box takes one number (blanks around it, full-width forms) or the settings are
    // refused whole with a warning, replacing no text and leaving nothing to draw; the limits
    // of an axis differ, and a logarithmic axis starts above 0.
    void axisTextsThatAreNoNumbersAreRefused() {
        load("1,10\r\n2,20\r\n");
        MessageRecorder boxes;
        const struct {
            int mode, field;
            const char* text;
        } cases[] = {
            {1, 0, "abc"},   {1, 1, "1,000"},  {1, 2, "１Ｅ"}, {1, 3, "12abc"},
            {1, 4, "1e400"}, {1, 5, "1e-400"}, {1, 0, "1 2"},  {1, 0, "10"},
            {2, 3, "0"},     {2, 3, "-5"},     {3, 0, "0"},    {4, 0, "-1e-3"},
        };
        TextBox* const fields[] = {f->xStartField, f->xEndField, f->xStepField,
                                   f->yStartField, f->yEndField, f->yStepField};
        for (const auto& c : cases) {
            control<QRadioButton>(f, QStringLiteral("Option%1").arg(c.mode).toLatin1())->click();
            setAxes("0.5", "10", "1", "0.5", "30", "10");
            fields[c.field]->setText(QString::fromUtf8(c.text));
            boxes.boxes.clear();
            f->graphSettingsOkButton->click();
            QVERIFY2(boxes.boxes.size() == 1 && boxes.boxes[0].text == kInvalid &&
                         boxes.boxes[0].icon == QMessageBox::Warning,
                     c.text);
            QCOMPARE(fields[c.field]->text(), QString::fromUtf8(c.text));
            QVERIFY2(!f->drawPointsButton->isEnabled(), c.text);
        }
        f->linearLinearOption->click();
        setAxes(" 0.5 ", "１０", "1", "0.5", "30", "10");
        boxes.boxes.clear();
        f->graphSettingsOkButton->click();
        QVERIFY(boxes.boxes.isEmpty() && f->drawPointsButton->isEnabled());
        QCOMPARE(ReadGraphSettings(1, f->axisTexts())->xEnd, 10.0);
    }

    void gridFinerThanAPixelIsDrawnWithoutEndlessWork() {
        load("1,10\r\n2,20\r\n");
        setAxes("0", "1e12", "1e-6", "0", "30", "10");
        drawPoints();
        QVERIFY(f->calculateButton->isEnabled());
        // Every pixel column inside the frame carries grid.
        const QImage& img = f->graphPicture->image();
        const int row = f->graphPicture->pixelOf(0, 15).y();
        const int from = f->graphPicture->pixelOf(0, 15).x() + 3,
                  to = f->graphPicture->pixelOf(1e12, 15).x() - 3;
        for (int x = from; x < to; ++x)
            QVERIFY2(img.pixelColor(x, row) != QColor(Qt::white), qPrintable(QString::number(x)));
    }

    void emptyFieldsTakeTheDataExtremesAndStepsTheWholeRange() {
        load("1.5,-2\r\n4,7.25\r\n");
        QCOMPARE(caption(f, "Label31"), QStringLiteral("1.5"));
        for (TextBox* t : {f->xStartField, f->xEndField, f->yStartField, f->yEndField}) t->clear();
        f->graphSettingsOkButton->click();
        // Increments are not defaulted in their boxes.
        QCOMPARE(f->axisTexts(), textList({"1.5", "4", "", "-2", "7.25", ""}));
        QCOMPARE(ReadGraphSettings(1, f->axisTexts())->xStep, 2.5);
        QCOMPARE(ReadGraphSettings(1, f->axisTexts())->yStep, 9.25);
        f->yStepField->setText(QStringLiteral("-3"));
        f->graphSettingsOkButton->click();
        QCOMPARE(ReadGraphSettings(1, f->axisTexts())->yStep, 9.25);
        QCOMPARE(f->yStepField->text(), QStringLiteral("-3"));
    }

    void logarithmicLimitsAreRoundedToPowersOfTen() {
        load("1,10\r\n2,20\r\n");
        const struct {
            int mode;
            const char *start, *end, *roundedStart, *roundedEnd;
        } cases[] = {
            {2, "0.03", "70", "1.0E-02", "1.0E+02"}, {2, "1", "100", "1.0E+00", "1.0E+02"},
            {3, "0.9", "10", "1.0E-01", "1.0E+01"},  {3, "250", "5000", "1.0E+02", "1.0E+04"},
            {4, "0.05", "1", "1.0E-02", "1.0E+00"},  {4, "2E-5", "3.5e-3", "1.0E-05", "1.0E-02"},
        };
        for (const auto& c : cases) {
            control<QRadioButton>(f, QStringLiteral("Option%1").arg(c.mode).toLatin1())->click();
            const bool logX = c.mode != 2, logY = c.mode != 3;
            setAxes(logX ? c.start : "0", logX ? c.end : "5", "", logY ? c.start : "0",
                    logY ? c.end : "5", "");
            f->graphSettingsOkButton->click();
            const QStringList rounded = textList({c.roundedStart, c.roundedEnd}),
                              linear = textList({"0", "5"});
            QCOMPARE(f->axisTexts().mid(0, 2), logX ? rounded : linear);
            QCOMPARE(f->axisTexts().mid(3, 2), logY ? rounded : linear);
        }
    }

    void scaleModesSwitchTheIncrementFields() {
        const struct {
            int mode;
            bool xEnabled, yEnabled;
        } cases[] = {{2, true, false}, {3, false, true}, {4, false, false}, {1, true, true}};
        for (const auto& c : cases) {
            f->xStepField->setText(QStringLiteral("3"));
            f->yStepField->setText(QStringLiteral("3"));
            control<QRadioButton>(f, QStringLiteral("Option%1").arg(c.mode).toLatin1())->click();
            QCOMPARE(f->xStepField->isEnabled(), c.xEnabled);
            QCOMPARE(f->yStepField->isEnabled(), c.yEnabled);
            QCOMPARE(f->xStepField->text(), QString::number(c.xEnabled ? 3 : 10));
            QCOMPARE(f->yStepField->text(), QString::number(c.yEnabled ? 3 : 10));
        }
    }

    void enterMovesTheFocusPastDisabledIncrements() {
        const struct {
            int mode;
            const char* from;
            const char* to;
        } cases[] = {
            {1, "Text5", "Text6"},    {1, "Text6", "Text7"},    {2, "Text6", "Text7"},
            {3, "Text6", "Text8"},    {4, "Text6", "Text8"},    {1, "Text7", "Text8"},
            {1, "Text8", "Text9"},    {1, "Text9", "Text10"},   {3, "Text9", "Text10"},
            {2, "Text9", "Command3"}, {4, "Text9", "Command3"}, {1, "Text10", "Command3"},
        };
        f->graphSettingsOkButton->setEnabled(true);  // as after a data input
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        for (const auto& c : cases) {
            control<QRadioButton>(f, QStringLiteral("Option%1").arg(c.mode).toLatin1())->click();
            auto* from = control<TextBox>(f, c.from);
            from->setEnabled(true);
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Return);
            QCOMPARE(f->focusWidget()->objectName(), QString::fromLatin1(c.to));
        }
        // Other keys go to the field.
        f->xStartField->setFocus();
        QTest::keyClicks(f->xStartField, QStringLiteral("12"));
        QCOMPARE(f->xStartField->text(), QStringLiteral("12"));
        QCOMPARE(f->focusWidget(), f->xStartField);
    }

    void valuesTheEngineCannotReadAreRefusedBeforeB2FIsWritten() {
        load("1,1E+100\r\n2,20\r\n");
        dir->write(QStringLiteral("B2F.dat"), "older points");
        setAxes("0", "3", "1", "0", "30", "10");
        f->graphSettingsOkButton->click();
        verifyDrawingRefused(QStringLiteral("No.1"));
        // On a logarithmic Y axis its logarithm is sent, and that fits.
        f->linearLogOption->click();
        setAxes("0", "3", "1", "1", "1E+101", "");
        drawPoints();
        QVERIFY(dir->read(QStringLiteral("B2F.dat")).contains("+2.30259E+02"));
    }

    void pointsWithoutALogarithmAreRefusedOnALogarithmicAxis() {
        // Log - Linear chosen first; the data then disable it, but it stays selected.
        f->logLinearOption->click();
        load("-1,10\r\n2,20\r\n5,30\r\n");
        QVERIFY(!f->logLinearOption->isEnabled());
        QVERIFY(f->logLinearOption->isChecked());
        setAxes("1", "10", "", "0", "40", "10");
        f->graphSettingsOkButton->click();
        verifyDrawingRefused(QStringLiteral("No.1"));
    }

    void endingFromTheTitleWindowDeletesTheExchangeFiles() {
        for (const char* n : {"B2F.dat", "F2B.dat", "Bor3.dat"}) dir->write(QLatin1String(n), "x");
        f->endButton->click();
        QVERIFY(!f->isVisible());
        QVERIFY(form2()->isVisible());
        form2()->newCalculationButton->click();
        QVERIFY(f->isVisible());
        f->close();  // the close box returns to the title window too
        QVERIFY(form2()->isVisible());
        form2()->endButton->click();
        for (const char* n : {"B2F.dat", "F2B.dat", "Bor3.dat"})
            QVERIFY2(!dir->exists(QLatin1String(n)), n);
        QVERIFY(!form2()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
