// The clipboard and drag-and-drop beside the program's own ways: a graph copied as an image and
// its table as tab-separated text (main window and viewer), an equal-interval list copied, and a
// data file dropped on the main window or the file-input dialog.
#include <sys/stat.h>

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "filelists.h"
#include "form10.h"
#include "form3.h"
#include "form4.h"
#include "form6.h"
#include "form8.h"
#include "guitest.h"
#include "savedfile.h"
#include "state.h"
#include "textbox.h"

namespace {
QList<QPointF> squares(int n) {
    return curveRows(1, 4, n, [](double x) { return x * x; });
}

// The rows of a tab-separated text, as numbers.
QList<QPointF> tabRows(const QString& text) {
    QList<QPointF> rows;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList xy = line.split(QLatin1Char('\t'));
        if (xy.size() != 2) return {};
        rows << QPointF(xy[0].toDouble(), xy[1].toDouble());
    }
    return rows;
}

bool sameRows(const QList<QPointF>& a, const QList<QPointF>& b, double relative) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (std::fabs(a[i].x() - b[i].x()) > relative * std::fabs(b[i].x()) ||
            std::fabs(a[i].y() - b[i].y()) > relative * std::fabs(b[i].y()))
            return false;
    return true;
}

// Drags a file over a window and drops it there; whether the window took the drag.
bool dropFile(QWidget* window, const QString& path) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    return true;
}
}  // namespace

class ClipboardTest : public ProgramSuite {
    Q_OBJECT

private slots:
    void graphsAndTablesAreCopied() {
        QClipboard* clipboard = QGuiApplication::clipboard();
        calculateInMainWindow(*dir, 4, "1,1\r\n2,4\r\n4,16\r\n",
                              textList({"1", "10", "", "1", "100", ""}), squares(100));
        // Ctrl+C in the window copies the graph; in a text box, the box's text.
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->saveTableButton->setFocus();
        QTest::keyClick(f->saveTableButton, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32),
                 f->graphPicture->image());
        f->xStartField->setFocus();
        f->xStartField->selectAll();
        QTest::keyClick(f->xStartField, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), f->xStartField->text());
        // The table in data units, although the engine computed in logarithms.
        f->CopyData->trigger();
        QVERIFY(sameRows(tabRows(clipboard->text()), squares(100), 1e-5));

        // The viewer's own table, saved from the main window.
        MessageRecorder saved;
        saveMainTable(*dir, QStringLiteral("sq"));
        form2()->searchSavedButton->click();
        Form6* v = form6();
        clipboard->setText(QStringLiteral("before"));
        v->CopyData->trigger();  // nothing drawn, nothing copied
        QCOMPARE(clipboard->text(), QStringLiteral("before"));
        clickFile(v, QStringLiteral("sq-Sp.csv"));
        v->drawGraphButton->click();
        v->CopyData->trigger();
        QVERIFY(sameRows(tabRows(clipboard->text()), squares(100), 1e-5));
        v->CopyGraph->trigger();
        QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32),
                 v->graphPicture->image());

        // An equal-interval list, number for number as listed.
        v->equalIntervalButton->click();
        Form8* e = form8();
        e->startField->setText(QStringLiteral("2"));
        e->intervalField->setText(QStringLiteral("1"));
        e->endField->setText(QStringLiteral("4"));
        e->okButton->click();
        e->CopyData->trigger();
        QCOMPARE(
            clipboard->text(),
            QStringLiteral("2.000E+00\t4.000E+00\n3.000E+00\t9.000E+00\n4.000E+00\t1.600E+01\n"));
    }

    void droppedDataFilesLoadAsIfChosen() {
        QTemporaryDir elsewhere;
        auto put = [&](const char* name, const QByteArray& bytes) {
            const QString path = elsewhere.filePath(QString::fromUtf8(name));
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", name);
            file.write(bytes);
            return path;
        };
        const QString good = put("good.csv", "3,30\r\n1,10\r\n2,-5\r\n");
        const QString bad = put("bad.dat", "1 2 3\r\n");
        const QString other = put("notes.txt", "1,2\r\n");

        // On the main window: a new data input from that file, taken as its OK takes it.
        QVERIFY(!dropFile(f, other));
        const auto holdsGoodFile = [&] {
            QVERIFY(f->isVisible() && !form10()->isVisible());
            QCOMPARE(f->dataList->count(), 3);
            QCOMPARE(f->dataPoints().DataCount, 3);
            QCOMPARE(f->dataPoints().DataX[1], 1.0);
            QCOMPARE(caption(f, "Label33"), QStringLiteral("-5.0"));
            QVERIFY(f->graphSettingsOkButton->isEnabled());
        };
        QVERIFY(dropFile(f, good));
        holdsGoodFile();
        QCOMPARE(form10()->folderList->path(), QDir(elsewhere.path()).absolutePath());

        // A file the data input cannot take (a line that is no point, a pipe, a name the file
        // list never offers): the data stay as they were, and a message says why.
        const QString pipe = elsewhere.filePath(QStringLiteral("pipe.csv"));
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        const QString exchange = put("B2F.dat", "1 2\r\n");
        const struct {
            QString path;
            QString why;
        } refused[] = {
            {bad, QStringLiteral("1 行目が X と Y の２つの数値になっていません")},
            {pipe, QStringLiteral("通常のファイルではありません")},
            {exchange, QStringLiteral("受け渡しファイル")},
        };
        for (const auto& r : refused) {
            BeepCounter beeps;
            MessageRecorder boxes;
            QVERIFY(dropFile(f, r.path));
            QCOMPARE(boxes.boxes.size(), 1);
            QVERIFY2(boxes.boxes[0].text.contains(r.why) && boxes.boxes[0].text.contains(r.path),
                     qPrintable(boxes.boxes[0].text));
            QCOMPARE(beeps.count, 1);
            holdsGoodFile();
        }

        // On the file-input dialog itself: loaded there, the dialog stays for its OK.
        f->inputMethodOkButton->click();
        QVERIFY(dropFile(form10(), good));
        QCOMPARE(form10()->fileLinesList->count(), 3);
        QVERIFY(form10()->isVisible());
        QCOMPARE(caption(form10(), "Label32"), QStringLiteral("3.0"));
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"
