// Data input by hand: typing points with the Enter key, the list lines, the extremes, the limit
// of 100 points, corrections, pasting a block of points, the hand-over to the main window and
// cancel; numbers typed in full-width mode in every kind of numeric box; and a typed data set
// against the same data loaded from a file, through the engine.
#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "engineconsole.h"
#include "form1.h"
#include "form10.h"
#include "form11.h"
#include "form6.h"
#include "form7.h"
#include "form8.h"
#include "graphsettings.h"
#include "guitest.h"
#include "savedfile.h"
#include "state.h"
#include "textbox.h"

namespace {
QStringList items(QListWidget* list) {
    QStringList t;
    for (int i = 0; i < list->count(); ++i) t << list->item(i)->text();
    return t;
}
QStringList extremes(QWidget* w) {
    return {caption(w, "Label31"), caption(w, "Label32"), caption(w, "Label33"),
            caption(w, "Label34")};
}
// Types a text into a field: ASCII key by key, anything else as an input method hands over a
// converted text, in one commit.
void enter(QWidget* field, const QString& text) {
    if (text.toLatin1() == text.toUtf8()) {
        QTest::keyClicks(field, text);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(field, &commit);
}
}  // namespace

class HandEntryTest : public ProgramSuite {
    Q_OBJECT
    Form11* d = nullptr;

    void populate(const WorkDir& work) override {
        QFile::copy(QStringLiteral(FITCORE_EXE), work.file(QStringLiteral("Fitcore")));
    }

    void open() {
        // A new input lets go of points handed over before, when the user says so.
        MessageRecorder letGo;
        letGo.answer = true;
        f->byHandOption->click();
        f->inputMethodOkButton->click();
        d = form11();
        QVERIFY(d->isVisible());
        QVERIFY(!f->isVisible());
        d->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(d));
    }
    // Types a point as a user does: X, Enter, Y, Enter, and Enter on the focused 次データ.
    void type(const QString& x, const QString& y) {
        QCOMPARE(d->focusWidget(), d->xField);
        enter(d->xField, x);
        QTest::keyClick(d->xField, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->yField);
        enter(d->yField, y);
        QTest::keyClick(d->yField, Qt::Key_Enter);  // the keypad's Enter
        QCOMPARE(d->focusWidget(), d->nextPointButton);
        QTest::keyClick(d->nextPointButton, Qt::Key_Return);
    }
    void typeAll(const QList<std::pair<const char*, const char*>>& points) {
        for (auto [x, y] : points) type(QString::fromUtf8(x), QString::fromUtf8(y));
    }
    void correct(const QString& no, const QString& x, const QString& y) {
        d->correctionNumberField->setFocus();
        enter(d->correctionNumberField, no);
        QTest::keyClick(d->correctionNumberField, Qt::Key_Return);
        enter(d->correctionXField, x);
        QTest::keyClick(d->correctionXField, Qt::Key_Return);
        enter(d->correctionYField, y);
        QTest::keyClick(d->correctionYField, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->correctionOkButton);
        QTest::keyClick(d->correctionOkButton, Qt::Key_Return);
    }
    void endEntry() {
        d->endEntryButton->setFocus();
        QTest::keyClick(d->endEntryButton, Qt::Key_Return);
        QCOMPARE(d->focusWidget(), d->handOverButton);
    }
    void handOver() {
        endEntry();
        d->handOverButton->click();
    }

private slots:
    void openingPreparesTheDialog() {
        open();
        QCOMPARE(d->windowTitle(), QStringLiteral(" データ入力（手入力）"));
        QCOMPARE(caption(d, "Label4"), QStringLiteral("1"));
        QCOMPARE(d->focusWidget(), d->xField);
        QCOMPARE(d->typedPoints().DataCount, 0);
        QVERIFY(d->nextPointButton->isEnabled() && d->endEntryButton->isEnabled() &&
                d->cancelButton->isEnabled());
        QVERIFY(d->correctionOkButton->isEnabled());  // corrections are possible from the start
        QVERIFY(!d->correctButton->isEnabled() && !d->handOverButton->isEnabled() &&
                !d->correctionDoneButton->isEnabled());
        d->resize(d->minimumSizeHint());
        verifyCaptionsUnclipped(d);
    }

    // Cancel, Escape and the close box give hand entry up alike: the points typed stay for its
    // next opening, listed with their extremes, and the entry goes on after them. A hand-over
    // or Reset ends that.
    void givingUpKeepsThePointsForTheNextOpening() {
        const std::function<void()> giveUp[] = {
            [this] { d->cancelButton->click(); },
            [this] { QTest::keyClick(d->xField, Qt::Key_Escape); },
            [this] { QVERIFY(!d->close()); },
        };
        open();
        type(QStringLiteral("1"), QStringLiteral("2.50"));
        int typed = 1;
        for (const auto& g : giveUp) {
            QTest::keyClicks(d->xField, QStringLiteral("9"));  // not stored: not kept
            g();
            QVERIFY(!d->isVisible() && f->isVisible());
            QCOMPARE(f->dataList->count(), 0);
            open();
            QCOMPARE(d->pointsList->count(), typed);
            QCOMPARE(d->pointsList->item(0)->text(), QStringLiteral(" 1 :   1    2.5"));
            QCOMPARE(caption(d, "Label4"), QString::number(typed + 1));
            QCOMPARE(caption(d, "Label32"), QString::number(typed) + QStringLiteral(".0"));
            QVERIFY(d->xField->text().isEmpty());
            ++typed;
            type(QString::number(typed), QStringLiteral("3"));
        }
        // Points handed over, or given up and then Reset, are not kept.
        const std::function<void()> end[] = {
            [this] { handOver(); },  // points taken up again
            [this] {
                d->cancelButton->click();
                f->resetButton->click();
            },
            [this] { handOver(); },  // points typed after a Reset
        };
        for (const auto& e : end) {
            e();
            open();
            QCOMPARE(d->pointsList->count(), 0);
            QCOMPARE(extremes(d), QStringList(4, QString()));
            QCOMPARE(caption(d, "Label4"), QStringLiteral("1"));
            type(QStringLiteral("5"), QStringLiteral("6"));
        }
    }

    // A text that is wholly a decimal number is listed as typed; any other by the value stored.
    void typedPointsAreListedWithTheirExtremes() {
        open();
        typeAll(
            {{"1.5", "2.5"}, {"-3", "1e3"}, {"2.50", " 0 "}, {"１．５０", "ー２"}, {"12", "1.0"}});
        QCOMPARE(
            items(d->pointsList),
            (QStringList{QStringLiteral(" 1 :   1.5    2.5"), QStringLiteral(" 2 :   -3    1e3"),
                         QStringLiteral(" 3 :   2.50    0"), QStringLiteral(" 4 :   1.5    -2"),
                         QStringLiteral(" 5 :   12    1.0")}));
        QCOMPARE(caption(d, "Label4"), QStringLiteral("6"));
        QCOMPARE(d->typedPoints().DataCount, 5);
        QCOMPARE(d->typedPoints().DataX[4], 1.5);
        QCOMPARE(d->typedPoints().DataY[4], -2.0);
        QCOMPARE(extremes(d), (QStringList{QStringLiteral("-3.0"), QStringLiteral("12.0"),
                                           QStringLiteral("-2.0"), QStringLiteral("1000.0")}));
        QVERIFY(d->xField->text().isEmpty() && d->yField->text().isEmpty());
    }

    // A typed text that is empty, not one number, or one beyond the doubles is refused with a
    // warning naming its box, and nothing is stored or listed. In the correction row an empty X
    // or Y keeps that coordinate.
    void emptyFieldsAndTextsThatAreNoNumbersStoreNothing() {
        open();
        typeAll({{"1", "2"}, {"3", "4"}});
        const QStringList before = items(d->pointsList);
        const QString message[] = {
            QString(), QStringLiteral(" データが入力されていません "),
            QStringLiteral("　%1 の入力値が不正です（数値ではありません）！　"),
            QStringLiteral("　%1 の入力値が不正です（絶対値が大きすぎるか小さすぎます）！　")};
        const struct {
            bool correction;
            const char *x, *y, *box;  // the box named in the message
            int why;                  // 0 taken, 1 empty, 2 no number, 3 beyond the doubles
        } cases[] = {
            {false, "", "2", "", 1},
            {false, "1", "", "", 1},
            {false, "", "", "", 1},
            {false, "abc", "1", "X", 2},
            {false, "1", "１Ｅ", "Y", 2},
            {false, "1e-400", "1", "X", 3},
            {false, "1", "1e400", "Y", 3},
            {true, "", "5", "", 0},
            {true, "-7", " ", "", 0},
            {true, "abc", "6", "修正の X", 2},
            {true, "8", "1e999", "修正の Y", 3},
        };
        for (const auto& c : cases) {
            MessageRecorder boxes;
            d->correctionNumberField->setText(QStringLiteral("1"));
            (c.correction ? d->correctionXField : d->xField)->setText(QString::fromUtf8(c.x));
            (c.correction ? d->correctionYField : d->yField)->setText(QString::fromUtf8(c.y));
            (c.correction ? d->correctionOkButton : d->nextPointButton)->click();
            QCOMPARE(boxes.boxes.size(), c.why ? 1 : 0);
            if (c.why) {
                QCOMPARE(boxes.boxes[0].text,
                         c.why < 2 ? message[c.why] : message[c.why].arg(QString::fromUtf8(c.box)));
                QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
            }
            QCOMPARE(d->typedPoints().DataCount, 2);
            QCOMPARE(caption(d, "Label4"), QStringLiteral("3"));
        }
        // Two corrections kept one coordinate each; nothing refused was stored.
        QCOMPARE(items(d->pointsList), (QStringList{QStringLiteral(" 1 :   -7    5"), before[1]}));
        QCOMPARE(caption(d, "Label31"), QStringLiteral("-7.0"));
    }

    void theHundredthPointReachesTheLimit() {
        open();
        for (int k = 1; k < 100; ++k) {
            d->xField->setText(QString::number(k));
            d->yField->setText(QString::number(k * 2));
            d->nextPointButton->click();
        }
        QCOMPARE(caption(d, "Label4"), QStringLiteral("100"));
        {
            MessageRecorder boxes;
            type(QStringLiteral("100"), QStringLiteral("200"));
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].icon, QMessageBox::NoIcon);
        }
        QCOMPARE(d->typedPoints().DataCount, 100);
        QCOMPARE(d->focusWidget(), d->endEntryButton);
        QCOMPARE(d->pointsList->item(99)->text(), QStringLiteral(" 100 :   100    200"));
        QCOMPARE(caption(d, "Label32"), QStringLiteral("100.0"));
        // A further point is never stored; the limit is said again.
        for (int again = 0; again < 2; ++again) {
            MessageRecorder boxes;
            d->xField->setText(QStringLiteral("500"));
            d->yField->setText(QStringLiteral("1"));
            d->nextPointButton->click();
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].icon, QMessageBox::NoIcon);
            QCOMPARE(d->typedPoints().DataCount, 100);
            QCOMPARE(d->typedPoints().DataX[101], 0.0);
            QCOMPARE(d->pointsList->count(), 100);
            QCOMPARE(caption(d, "Label32"), QStringLiteral("100.0"));
            QCOMPARE(d->focusWidget(), d->endEntryButton);
        }
        QTest::keyClick(d->endEntryButton, Qt::Key_Return);
        QVERIFY(d->handOverButton->isEnabled());
        QTest::keyClick(d->handOverButton, Qt::Key_Return);
        QCOMPARE(f->dataList->count(), 100);
        QVERIFY(f->isVisible());
    }

    void aCorrectionRebuildsTheListAndTheExtremes() {
        open();
        typeAll({{"1.50", "2"}, {"3", "4"}, {"5", "6"}});
        correct(QStringLiteral("2"), QStringLiteral("-0.25"), QStringLiteral("1e-5"));
        // Every line now shows the stored values in general number text.
        QCOMPARE(items(d->pointsList), (QStringList{QStringLiteral(" 1 :   1.5    2"),
                                                    QStringLiteral(" 2 :   -0.25    1E-05"),
                                                    QStringLiteral(" 3 :   5    6")}));
        QCOMPARE(extremes(d), (QStringList{QStringLiteral("-0.25"), QStringLiteral("5.0"),
                                           QStringLiteral("1.000E-05"), QStringLiteral("6.0")}));
        QCOMPARE(d->focusWidget(), d->correctionNumberField);
        QVERIFY(d->correctionNumberField->text().isEmpty() &&
                d->correctionXField->text().isEmpty() && d->correctionYField->text().isEmpty());
        // The entry goes on with the next number.
        d->xField->setFocus();
        type(QStringLiteral("7"), QStringLiteral("8"));
        QCOMPARE(d->pointsList->item(3)->text(), QStringLiteral(" 4 :   7    8"));
    }

    void aNumberOutsideThePointsCorrectsNothing() {
        open();
        typeAll({{"1", "2"}, {"3", "4"}});
        const QStringList before = items(d->pointsList);
        for (const char* no : {"", "0", "3", "-1", "1.5", "abc", "1e9"}) {
            MessageRecorder boxes;
            d->correctionNumberField->setText(QLatin1String(no));
            d->correctionXField->setText(QStringLiteral("-100"));
            d->correctionYField->setText(QStringLiteral("-100"));
            d->correctionOkButton->click();
            QVERIFY2(boxes.boxes.size() == 1, no);
            QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
            QCOMPARE(items(d->pointsList), before);
            QCOMPARE(d->typedPoints().DataX[1], 1.0);
            QCOMPARE(d->typedPoints().DataX[2], 3.0);
            QCOMPARE(d->typedPoints().DataX[3], 0.0);
            QCOMPARE(caption(d, "Label31"), QStringLiteral("1.0"));
        }
    }

    void handOverSortsAndShowsTheDataInTheMainWindow_data() {
        QTest::addColumn<bool>("corrected");
        QTest::newRow("OK (no correction)") << false;
        QTest::newRow("end of correction") << true;
    }
    void handOverSortsAndShowsTheDataInTheMainWindow() {
        QFETCH(bool, corrected);
        open();
        typeAll({{"3", "30"}, {"1", "10"}, {"2", "0.5"}});
        endEntry();
        if (corrected) {
            d->correctButton->click();
            QCOMPARE(d->focusWidget(), d->correctionNumberField);
            correct(QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("40"));
            d->correctionDoneButton->click();
        } else {
            QTest::keyClick(d->handOverButton, Qt::Key_Return);
        }
        QVERIFY(!d->isVisible());
        QVERIFY(f->isVisible());
        QCOMPARE(items(f->dataList),
                 (QStringList{QStringLiteral("1  10"), QStringLiteral("2  0.5"),
                              QStringLiteral("3  ") +
                                  (corrected ? QStringLiteral("40") : QStringLiteral("30"))}));
        QCOMPARE(extremes(f), extremes(d));
        QCOMPARE(caption(f, "Label33"), QStringLiteral("0.5"));
        QVERIFY(f->graphSettingsOkButton->isEnabled());
        for (QRadioButton* o :
             {f->linearLinearOption, f->linearLogOption, f->logLinearOption, f->logLogOption})
            QVERIFY(o->isEnabled());
    }

    void equalAbscissasAndNonPositiveMinimaOnHandOver() {
        const struct {
            QList<std::pair<const char*, const char*>> points;
            QStringList lines;
            bool o2, o3, o4;
        } cases[] = {
            {{{"2", "5"}, {"2", "6"}},
             {QStringLiteral("1.98  5"), QStringLiteral("2  6")},
             true,
             true,
             true},
            {{{"0", "1"}, {"1", "2"}},
             {QStringLiteral("0  1"), QStringLiteral("1  2")},
             true,
             false,
             false},
            {{{"1", "-1"}, {"2", "3"}},
             {QStringLiteral("1  -1"), QStringLiteral("2  3")},
             false,
             true,
             false},
        };
        for (const auto& c : cases) {
            open();
            typeAll(c.points);
            handOver();
            QCOMPARE(items(f->dataList), c.lines);
            QCOMPARE(f->linearLogOption->isEnabled(), c.o2);
            QCOMPARE(f->logLinearOption->isEnabled(), c.o3);
            QCOMPARE(f->logLogOption->isEnabled(), c.o4);
        }
    }

    void noPointsAreNotHandedOver() {
        open();
        d->endEntryButton->click();
        MessageRecorder boxes;
        d->handOverButton->click();
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(d->isVisible());
        QVERIFY(!f->graphSettingsOkButton->isEnabled());
    }

    // What a Japanese input method gives in full-width mode reads as the number it shows in
    // each kind of numeric box: hand entry and its corrections, the axes, the equal intervals.
    void fullWidthNumbersAreReadInEveryKindOfBox() {
        open();
        typeAll({{"１．５", "ー２"}, {"\u3000３", "１Ｅ－３"}, {"－．５", "\u2212４"}});
        correct(QStringLiteral("３"), QStringLiteral("ー５"), QStringLiteral("２ｅー１"));
        handOver();
        QCOMPARE(items(f->dataList),
                 (QStringList{QStringLiteral("-5  0.2"), QStringLiteral("1.5  -2"),
                              QStringLiteral("3  0.001")}));

        const std::pair<TextBox*, const char*> axes[] = {
            {f->xStartField, "ー５"},   {f->xEndField, "１．５Ｅ＋１"}, {f->xStepField, "５"},
            {f->yStartField, "－１０"}, {f->yEndField, "\u3000２０"},   {f->yStepField, "１０"}};
        for (auto [field, text] : axes) {
            field->clear();
            enter(field, QString::fromUtf8(text));
        }
        f->graphSettingsOkButton->click();
        const GraphSettings g = *ReadGraphSettings(1, f->axisTexts());
        QCOMPARE((QList<double>{g.xStart, g.xEnd, g.xStep, g.yStart, g.yEnd, g.yStep}),
                 (QList<double>{-5, 15, 5, -10, 20, 10}));
        QVERIFY(f->drawPointsButton->isEnabled());

        // The equal-interval table of a saved table along Y = X.
        SavedFile saved{1, textList({"0", "4", "1", "0", "4", "1"}), {}, {}};
        for (int r = 0; r <= 30; ++r) saved.table << QPointF(1 + 0.1 * r, 1 + 0.1 * r);
        saved.data = {QPointF(1, 1), QPointF(4, 4)};
        drawInViewer(*dir, QStringLiteral("t-Sp.csv"), saved);
        form6()->equalIntervalButton->click();
        Form8* e = form8();
        enter(e->startField, QStringLiteral("１．５"));
        enter(e->intervalField, QStringLiteral("０．５"));
        enter(e->endField, QStringLiteral("３"));
        e->okButton->click();
        QCOMPARE(e->valuesList->count(), 4);  // 1.5, 2, 2.5, 3
        QCOMPARE(e->valuesList->item(0)->text(), QStringLiteral("  1.500E+00   1.500E+00"));
        QCOMPARE(e->valuesList->item(3)->text(), QStringLiteral("  3.000E+00   3.000E+00"));
    }

    // A block copied from a spreadsheet or a text file, pasted with Ctrl+V or the list's context
    // menu, adds its points as if typed one by one; a line that is not a point stops it.
    void pastedBlocksAddTheirPointsAsIfTyped() {
        open();
        type(QStringLiteral("0"), QStringLiteral("1"));
        QClipboard* clipboard = QGuiApplication::clipboard();
        // Tab (a spreadsheet's columns), full-width comma and signs, blanks; blank lines pass.
        clipboard->setText(QStringLiteral("1.50\t2.5\r\n１，ー３\r\n\r\n  3e1   4\r\n"));
        QCOMPARE(d->focusWidget(), d->xField);
        QTest::keyClick(d->xField, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(d->xField->text().isEmpty());  // the block went to the list, not into the box
        QCOMPARE(items(d->pointsList).mid(1), (QStringList{QStringLiteral(" 2 :   1.50    2.5"),
                                                           QStringLiteral(" 3 :   1    -3"),
                                                           QStringLiteral(" 4 :   3e1    4")}));
        QCOMPARE(d->typedPoints().DataCount, 4);
        QCOMPARE(d->typedPoints().DataX[4], 30.0);
        QCOMPARE(d->typedPoints().DataY[3], -3.0);
        QCOMPARE(caption(d, "Label4"), QStringLiteral("5"));
        QCOMPARE(extremes(d), (QStringList{QStringLiteral("0.0"), QStringLiteral("30.0"),
                                           QStringLiteral("-3.0"), QStringLiteral("4.0")}));

        // One value goes into the text box as usual, also one with a thousands separator; one
        // spreadsheet row of two cells is a point.
        for (const QString& value : {QStringLiteral("2.25"), QStringLiteral("1,000")}) {
            clipboard->setText(value);
            QTest::keyClick(d->xField, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(d->xField->text(), value);
            QCOMPARE(d->typedPoints().DataCount, 4);
            d->xField->clear();
        }
        clipboard->setText(QStringLiteral("1e-2\t5\n"));
        QTest::keyClick(d->xField, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(d->xField->text().isEmpty());
        QCOMPARE(d->pointsList->item(4)->text(), QStringLiteral(" 5 :   1e-2    5"));

        // A bad line midway: the points before it stay, the message names the line.
        const QString bad = QStringLiteral("5 abc and a long remark that goes on and on");
        clipboard->setText(QStringLiteral("5 6\n") + bad + QStringLiteral("\n7 8\n"));
        {
            MessageRecorder boxes;
            QTest::keyClick(d->yField, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
            QVERIFY2(boxes.boxes[0].text.contains(QStringLiteral(" 2 行目")),
                     qPrintable(boxes.boxes[0].text));
            QVERIFY2(
                boxes.boxes[0].text.contains(QStringLiteral("「5 abc and a long remark that g…」")),
                qPrintable(boxes.boxes[0].text));
        }
        QCOMPARE(d->typedPoints().DataCount, 6);
        QCOMPARE(d->pointsList->count(), 6);
        QCOMPARE(d->pointsList->item(5)->text(), QStringLiteral(" 6 :   5    6"));
        QVERIFY(d->yField->text().isEmpty());

        // The context menu of the list, and Ctrl+V where no text box has the focus, up to the
        // limit of 100 points with its message; what goes beyond is not stored.
        QAction* paste = d->findChild<QAction*>(QStringLiteral("PasteData"));
        QVERIFY(paste);
        emit d->pointsList->customContextMenuRequested(QPoint(5, 5));
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->actions().contains(paste));
        menu->close();
        QCOMPARE(paste->text(), QStringLiteral("データを貼り付け"));
        QString block;
        for (int k = 7; k <= 90; ++k) block += QStringLiteral("%1,%2\n").arg(k).arg(-k);
        clipboard->setText(block);
        paste->trigger();
        QCOMPARE(d->typedPoints().DataCount, 90);
        QCOMPARE(caption(d, "Label4"), QStringLiteral("91"));
        block.clear();
        for (int k = 91; k <= 120; ++k) block += QStringLiteral("%1 %2\n").arg(k).arg(-k);
        clipboard->setText(block);
        for (int again = 0; again < 2; ++again) {
            MessageRecorder boxes;
            d->pointsList->setFocus();
            QTest::keyClick(d->pointsList, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(boxes.boxes.size(), 1);
            QCOMPARE(boxes.boxes[0].icon, QMessageBox::NoIcon);
            QCOMPARE(d->typedPoints().DataCount, 100);
            QCOMPARE(d->pointsList->count(), 100);
            QCOMPARE(d->pointsList->item(99)->text(), QStringLiteral(" 100 :   100    -100"));
            QCOMPARE(d->typedPoints().DataX[101], 0.0);
            QCOMPARE(caption(d, "Label4"), QStringLiteral("100"));
            QCOMPARE(caption(d, "Label33"), QStringLiteral("-100.0"));
            QCOMPARE(d->focusWidget(), d->endEntryButton);
        }
    }

    void cancelLeavesTheMainWindowWithoutData() {
        open();
        typeAll({{"0", "-1"}, {"2", "3"}});
        d->cancelButton->click();
        QVERIFY(!d->isVisible());
        QVERIFY(f->isVisible());
        QCOMPARE(f->dataList->count(), 0);
        QCOMPARE(extremes(f), QStringList(4, QString()));
        QVERIFY(!f->graphSettingsOkButton->isEnabled());
        for (QRadioButton* o :
             {f->linearLinearOption, f->linearLogOption, f->logLinearOption, f->logLogOption})
            QVERIFY(o->isEnabled());
        QCOMPARE(d->typedPoints().DataCount, 2);  // the points typed stay
    }

    void typedDataAndTheSameFileGiveTheSameEngineInputAndCurve() {
        const QList<std::pair<const char*, const char*>> points = {
            {"4", "0.3"}, {"1", "2.5"}, {"2.5", "-1e-3"}, {"7", "12.25"}, {"5.5", "3"}};
        QByteArray file;
        for (auto [x, y] : points) file += QByteArray(x) + "," + y + "\r\n";
        dir->write(QStringLiteral("same.csv"), file);

        // Draws the points and runs the engine; returns B2F.dat and the table drawn.
        const auto calculate = [&](QByteArray& pointFile, QList<double>& table) {
            f->graphSettingsOkButton->click();
            f->drawPointsButton->click();
            pointFile = dir->read(QStringLiteral("B2F.dat"));
            f->calculateButton->click();
            form7()->startButton->click();
            EngineConsole* console = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* c = qobject_cast<EngineConsole*>(w)) console = c;
            QVERIFY(console);
            QPointer<EngineConsole> alive(console);
            QTRY_VERIFY_WITH_TIMEOUT(console->output().contains(QStringLiteral("Push Enter key")),
                                     60000);
            QTest::keyClick(console, Qt::Key_Return);
            QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 20000);
            f->drawCurveButton->click();
            table.clear();
            const EngineTable& rows = f->computedTable()->rows;
            for (int i = 1; i <= rows.count; ++i) table << rows.x[i] << rows.y[i];
        };
        QByteArray typedPoints, loadedPoints;
        QList<double> typedTable, loadedTable;
        open();
        typeAll(points);
        handOver();
        calculate(typedPoints, typedTable);
        QVERIFY(!typedPoints.isEmpty());
        QCOMPARE(typedTable.size(), 2 * 400);

        f->fromFileOption->click();
        MessageRecorder letGo;  // the typed points are let go of: the question, answered はい
        letGo.answer = true;
        f->inputMethodOkButton->click();
        QCOMPARE(letGo.boxes.size(), 1);
        clickFile(form10(), QStringLiteral("same.csv"));
        form10()->okButton->click();
        QCOMPARE(dir->exists(QStringLiteral("F2B.dat")), true);
        calculate(loadedPoints, loadedTable);
        QCOMPARE(typedPoints, loadedPoints);
        QCOMPARE(typedTable, loadedTable);
    }
};

QTEST_MAIN(HandEntryTest)
#include "handentry_test.moc"
