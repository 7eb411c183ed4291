// The 曲線の値 window: opened from the graph's context menu or Ctrl+F, a typed X read as Y and
// slopes with the cursor lines on the point, a typed Y read as its X, numbers it refuses, and the
// results copied; in the main window and in the viewer, each on its own curve.
#include <QClipboard>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

#include "form12.h"
#include "form6.h"
#include "guitest.h"
#include "linecontrol.h"
#include "savedfile.h"

namespace {
// y = x^2 through (1, 1), (10, 100), (100, 10000), as the engine's table has it: 100 rows in
// each interval.
QList<QPointF> squareRows() {
    QList<QPointF> rows;
    for (double x0 : {1.0, 10.0})
        for (QPointF p : curveRows(x0, 10 * x0, 100, [](double x) { return x * x; })) rows << p;
    return rows;
}

Form12* openFromContextMenu(PictureBox* picture) {
    emit picture->customContextMenuRequested(QPoint(20, 20));
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    auto* action = picture->window()->findChild<QAction*>(QStringLiteral("CurveValues"));
    if (!menu || !menu->actions().contains(action)) return nullptr;
    menu->close();
    action->trigger();
    return CurveValuesOf(picture->window());
}

void ask(TextBox* field, const QString& text) {
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}
}  // namespace

class CurveValueWindowTest : public ProgramSuite {
    Q_OBJECT
private slots:
    void valuesReadOffTheMainWindowsCurveAndCopied() {
        calculateInMainWindow(*dir, 4, "1,1\r\n10,100\r\n100,10000\r\n",
                              textList({"1", "100", "", "1", "10000", ""}), squareRows());
        Form12* w = openFromContextMenu(f->graphPicture);
        QVERIFY(w && w->isVisible());
        QCOMPARE(caption(w, "Label4"),
                 QStringLiteral("曲線の範囲：X = 1.09000E+00 ～ 1.00000E+02"));

        // Full-width digits read as every number box reads them.
        ask(w->xField, QStringLiteral("３"));
        QCOMPARE(
            caption(w, "Label5"),
            QStringLiteral("Y = 9.00000E+00\ndY/dX = 6.000E+00\nd(log Y)/d(log X) = 2.000E+00"));
        auto* vertical = control<LineControl>(f, "Line1");
        auto* horizontal = control<LineControl>(f, "Line2");
        QVERIFY(vertical->isVisible() && horizontal->isVisible());
        QCOMPARE(vertical->position(), std::log(3.0));
        QVERIFY(std::fabs(horizontal->position() - std::log(9.0)) < 1e-9);
        QCOMPARE(caption(f, "Label27") + caption(f, "Label28"),
                 QStringLiteral("3.000E+009.000E+00"));
        QClipboard* clipboard = QGuiApplication::clipboard();
        QTest::keyClick(w->xField, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(),
                 QStringLiteral("3.00000E+00\t9.00000E+00\t6.000E+00\t2.000E+00\n"));

        // The inverse: the X where the curve takes a Y, and its row added to the list.
        ask(w->yField, QStringLiteral(" 2.5e3 "));
        QCOMPARE(caption(w, "Label5"), QStringLiteral("X = 5.00000E+01"));
        w->copyTableButton->click();
        QCOMPARE(clipboard->text(),
                 QStringLiteral("3.00000E+00\t9.00000E+00\t6.000E+00\t2.000E+00\n"
                                "5.00000E+01\t2.50000E+03\t1.000E+02\t2.000E+00\n"));
        ask(w->yField, QStringLiteral("20000"));
        QCOMPARE(caption(w, "Label5"),
                 QStringLiteral("Y = 2.00000E+04 をとる点は曲線の範囲内にありません"));

        // Outside the curve the window says so and has nothing to copy; what is not one number
        // is refused and changes nothing.
        clipboard->clear();
        ask(w->xField, QStringLiteral("1"));
        QCOMPARE(
            caption(w, "Label5"),
            QStringLiteral("X = 1.00000E+00 は曲線の範囲外です（1.09000E+00 ～ 1.00000E+02）"));
        QTest::keyClick(w->xField, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(clipboard->text().isEmpty());
        for (const char* bad : {"abc", "3x", "1,5", ""}) {
            MessageRecorder boxes;
            ask(w->xField, QString::fromUtf8(bad));
            QCOMPARE(boxes.boxes.size(), 1);
        }
        QCOMPARE(w->valuesList->topLevelItemCount(), 2);

        // The viewer's window is its own, on the viewer's curve; Ctrl+F opens it.
        {
            MessageRecorder saved;
            saveMainTable(*dir, QStringLiteral("sq"));
        }
        form2()->searchSavedButton->click();
        Form6* v = form6();
        clickFile(v, QStringLiteral("sq-Sp.csv"));
        v->drawGraphButton->click();
        v->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(v));
        QTest::keySequence(v, QKeySequence(Qt::CTRL | Qt::Key_F));
        auto* viewerWindow = CurveValuesOf(v);
        QVERIFY(viewerWindow && viewerWindow != w && viewerWindow->isVisible());
        ask(viewerWindow->xField, QStringLiteral("50"));
        QCOMPARE(caption(viewerWindow, "Label5").section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Y = 2.50000E+03"));
        QCOMPARE(caption(v, "Label7"), QStringLiteral("5.000E+01"));
        QCOMPARE(w->valuesList->topLevelItemCount(), 2);

        // Each window goes with its owner.
        QCOMPARE(w->isVisible(), f->isVisible());
        v->endButton->click();
        QVERIFY(!v->isVisible() && !viewerWindow->isVisible());
    }
};

QTEST_MAIN(CurveValueWindowTest)
#include "curvevaluewindow_test.moc"
