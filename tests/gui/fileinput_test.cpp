// Data input from a file: loading good files (limits, separators, sorting, extremes, log
// options), the read-error path with its dialog and beep, the dialog's buttons, and the
// ordering of the points by X.
#include <sys/stat.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>

#include "datainput.h"
#include "filelists.h"
#include "form1.h"
#include "form10.h"
#include "form11.h"
#include "form2.h"
#include "form3.h"
#include "form6.h"
#include "form9.h"
#include "guitest.h"
#include "pathutil.h"
#include "picturebox.h"
#include "state.h"

namespace {
QStringList items(QListWidget* list) {
    QStringList t;
    for (int i = 0; i < list->count(); ++i) t << list->item(i)->text();
    return t;
}
// The main window's input data, which a good load hands over.
const DataPoints& taken() { return form1()->dataPoints(); }
QList<double> xs(const DataPoints& p = taken()) {
    return QList<double>(p.DataX + 1, p.DataX + 1 + p.DataCount);
}
QList<double> ys(const DataPoints& p = taken()) {
    return QList<double>(p.DataY + 1, p.DataY + 1 + p.DataCount);
}
DataPoints dataOf(std::initializer_list<double> x) {
    DataPoints p;
    for (double v : x) {
        ++p.DataCount;
        p.DataX[p.DataCount] = v;
        p.DataY[p.DataCount] = 100 + p.DataCount;
    }
    return p;
}
}  // namespace

class FileInputTest : public ProgramSuite {
    Q_OBJECT
    Form10* d = nullptr;

    void open(const QString& name, const QByteArray& bytes) {
        dir->write(name, bytes);
        f->inputMethodOkButton->click();
        d = form10();
        QVERIFY(d->isVisible());
        QVERIFY(!f->isVisible());
        clickFile(d, name);
    }

private slots:
    void dialogShowsItsCaptionsAndTheCurrentDirectory() {
        dir->write(QStringLiteral("a.dat"), "1 2\r\n");
        dir->write(QStringLiteral("b.csv"), "1,2\r\n");
        dir->write(QStringLiteral("c.txt"), "1,2\r\n");
        // The exchange files match the pattern but are no data files.
        for (const char* exchange : {"B2F.dat", "F2B.dat", "Bor3.dat"})
            dir->write(QLatin1String(exchange), " 1 \r\n");
        f->inputMethodOkButton->click();
        d = form10();
        QCOMPARE(d->windowTitle(), QStringLiteral(" データ入力（ファイル入力）"));
        const std::pair<const char*, const char*> captions[] = {
            {"Label1", "ファイルを選択して下さい"},
            {"Label7", "補間の対象とするデータ"},
            {"Label3", "X                Y"},
            {"Label4", "最小値"},
            {"Label5", "最大値"},
            {"Label2", "このファイルの内容"}};
        for (auto [name, text] : captions) QCOMPARE(caption(d, name), QString::fromUtf8(text));
        QCOMPARE(d->okButton->text(), QStringLiteral("OK"));
        QCOMPARE(d->cancelButton->text(), QStringLiteral("キャンセル"));
        QCOMPARE(d->dataFormatButton->text(), QStringLiteral("データ書式"));
        QCOMPARE(items(d->fileList),
                 (QStringList{QStringLiteral("a.dat"), QStringLiteral("b.csv")}));
        QCOMPARE(d->folderList->path(), QDir(dir->path()).absolutePath());
    }

    void goodFileFillsBothListsAndTheExtremes() {
        BeepCounter beeps;
        open(QStringLiteral("p.csv"), "3,0.05\r\n1,1000\r\n2,-1500\r\n");
        QCOMPARE(beeps.count, 0);
        QVERIFY(!form3()->isVisible());
        // Lists in file order, points sorted by X with their Y.
        const QStringList lines{QStringLiteral("3,0.05"), QStringLiteral("1,1000"),
                                QStringLiteral("2,-1500")};
        QCOMPARE(items(d->fileLinesList), lines);
        QCOMPARE(items(f->dataList), lines);
        QCOMPARE(xs(), (QList<double>{1, 2, 3}));
        QCOMPARE(ys(), (QList<double>{1000, -1500, 0.05}));
        // Extremes of the values as read, shown by the display rule, in both windows.
        QCOMPARE(caption(d, "Label31"), QStringLiteral("1.0"));
        QCOMPARE(caption(d, "Label32"), QStringLiteral("3.0"));
        QCOMPARE(caption(d, "Label33"), QStringLiteral("-1.500E+03"));
        QCOMPARE(caption(d, "Label34"), QStringLiteral("1000.0"));
        for (const char* l : {"Label31", "Label32", "Label33", "Label34"})
            QCOMPARE(caption(f, l), caption(d, l));
        // A negative minimum Y leaves no logarithmic Y axis.
        QVERIFY(f->linearLinearOption->isEnabled());
        QVERIFY(!f->linearLogOption->isEnabled());
        QVERIFY(f->logLinearOption->isEnabled());
        QVERIFY(!f->logLogOption->isEnabled());
        QVERIFY(f->graphSettingsOkButton->isEnabled());
        d->okButton->click();
        QVERIFY(!d->isVisible());
        QVERIFY(f->isVisible());
        QVERIFY(f->graphSettingsOkButton->isEnabled());
    }

    void rangeValuesFollowTheDisplayRule() {
        const std::pair<double, const char*> cases[] = {
            {0, "0.0"},           {0.05, "5.000E-02"},    {1000, "1000.0"},
            {1500, "1.500E+03"},  {-1500, "-1.500E+03"},  {2.5, "2.5"},
            {-0.12345, "-0.123"}, {0.1, "0.1"},           {-1000, "-1000.0"},
            {12340, "1.234E+04"}, {0.001234, "1.234E-03"}};
        for (auto [v, text] : cases) QCOMPARE(FormatRangeValue(v), QString::fromUtf8(text));
    }

    void onlyTheFirstHundredLinesAreRead() {
        QByteArray bytes;
        for (int i = 1; i <= 150; ++i)
            bytes += QByteArray::number(i) + " " + QByteArray::number(i * i) + "\r\n";
        // Blank lines after the hundredth are nothing lost: no message.
        open(QStringLiteral("hundred.dat"), bytes.left(bytes.indexOf("101 ")) + "\r\n  \r\n");
        MessageRecorder boxes;
        open(QStringLiteral("many.dat"), bytes);
        QCOMPARE(boxes.boxes.size(), 1);
        QCOMPARE(boxes.boxes[0].text,
                 QStringLiteral("　データ数が上限(100)を超えています。最初の 100 点を読み込み、"
                                "101 行目以降の 50 行は読み込みませんでした。　"));
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::NoIcon);
        QCOMPARE(taken().DataCount, 100);
        QCOMPARE(d->fileLinesList->count(), 100);
        QCOMPARE(f->dataList->count(), 100);
        QCOMPARE(f->dataList->item(99)->text(), QStringLiteral("100 10000"));
        QCOMPARE(caption(f, "Label32"), QStringLiteral("100.0"));
        QVERIFY(f->graphSettingsOkButton->isEnabled());
    }

    void separatorsAndNumberForms() {
        open(QStringLiteral("s.dat"), "  1.5   2.5\r\n1.5e1, 2.5\r\n\t+3\t-4E-1\n.5 , 1.\r\n");
        QCOMPARE(xs(), (QList<double>{0.5, 1.5, 3, 15}));
        QCOMPARE(ys(), (QList<double>{1, 2.5, -0.4, 2.5}));
        QCOMPARE(d->fileLinesList->item(0)->text(), QStringLiteral("  1.5   2.5"));
        // One point loads too.
        clickFile(d, QStringLiteral("s.dat"));  // reload replaces everything
        QCOMPARE(taken().DataCount, 4);
        dir->write(QStringLiteral("one.csv"), "7,8\r\n");
        d->fileList->refresh();
        clickFile(d, QStringLiteral("one.csv"));
        QCOMPARE(xs(), (QList<double>{7}));
        QVERIFY(f->logLogOption->isEnabled());
    }

    // A file written in a Japanese editor: a byte-order mark, full-width digits, signs and
    // separators, the ideographic space between the values.
    void fullWidthFileWithAByteOrderMarkLoads() {
        const QString text = QStringLiteral(
            "１，２．５\r\n－３．５，ー１Ｅ－２\r\n４\u3000\u3000５\r\n\u3000６\t＋７\r\n");
        open(QStringLiteral("jp.csv"), "\xEF\xBB\xBF" + text.toUtf8());
        QVERIFY(!form3()->isVisible());
        QCOMPARE(xs(), (QList<double>{-3.5, 1, 4, 6}));
        QCOMPARE(ys(), (QList<double>{-0.01, 2.5, 5, 7}));
        QCOMPARE(items(d->fileLinesList), text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts));
        QCOMPARE(caption(f, "Label31"), QStringLiteral("-3.5"));
        QCOMPARE(caption(f, "Label33"), QStringLiteral("-1.000E-02"));
        QCOMPARE(caption(f, "Label34"), QStringLiteral("7.0"));
        QVERIFY(f->graphSettingsOkButton->isEnabled());
    }

    void badFilesGiveTheReadErrorDialogAndABeep() {
        const std::pair<const char*, QByteArray> cases[] = {
            {"one value", "1,2\r\n3\r\n"},
            {"three values", "1,2\r\n3,4,5\r\n"},
            {"three blank-separated values", "1 2 3\r\n"},
            {"a word", "abc,2\r\n"},
            {"an empty line", "1,2\r\n\r\n3,4\r\n"},
            {"an empty field", "1,,2\r\n"},
            {"quoted values", "\"1\",\"2\"\r\n"},
            {"a number with trailing text", "1,2x\r\n"},
            {"an empty file", ""},
            {"full-width digits in Shift_JIS", "\x82\x50,\x82\x51\r\n"},
            {"a long-vowel mark inside a number", "1,2ー3\r\n"},
        };
        int n = 0;
        for (const auto& [what, bytes] : cases) {
            ShutdownNodara();
            StartNodara();
            form2()->newCalculationButton->click();
            f = form1();
            BeepCounter beeps;
            const QString name = QStringLiteral("bad%1.csv").arg(n++);
            open(name, bytes);
            QVERIFY2(form3()->isVisible(), what);
            QCOMPARE(beeps.count, 1);
            QCOMPARE(d->fileLinesList->count(), 0);
            QCOMPARE(f->dataList->count(), 0);
            QVERIFY2(!f->graphSettingsOkButton->isEnabled(), what);
            for (const char* l : {"Label31", "Label32", "Label33", "Label34"})
                QVERIFY(caption(d, l).isEmpty());
        }
        // The points parsed before the failure are not handed over.
        open(QStringLiteral("late.csv"), "5,6\r\n7,8\r\nx\r\n");
        QCOMPARE(taken().DataCount, 0);
        // OK after a failed load does not offer those points for drawing.
        d->okButton->click();
        QVERIFY(f->isVisible());
        QVERIFY(!f->graphSettingsOkButton->isEnabled());
    }

    void failedLoadAfterAGoodOneLeavesNothingToDraw() {
        open(QStringLiteral("good.csv"), "1,2\r\n3,4\r\n");
        QVERIFY(f->graphSettingsOkButton->isEnabled());
        QCOMPARE(caption(f, "Label32"), QStringLiteral("3.0"));
        dir->write(QStringLiteral("bad.csv"), "1,2\r\nx\r\n");
        d->fileList->refresh();
        clickFile(d, QStringLiteral("bad.csv"));
        QVERIFY(form3()->isVisible());
        QVERIFY(!f->graphSettingsOkButton->isEnabled());
        for (const char* l : {"Label31", "Label32", "Label33", "Label34"})
            QVERIFY(caption(f, l).isEmpty());
        d->okButton->click();
        QVERIFY(!f->graphSettingsOkButton->isEnabled());
    }

    void okWithoutAGoodLoadLeavesTheSettingsClosed() {
        open(QStringLiteral("good.csv"), "1,2\r\n3,4\r\n");
        d->okButton->click();
        QVERIFY(f->graphSettingsOkButton->isEnabled());
        f->resetButton->click();          // reset
        f->inputMethodOkButton->click();  // the points are cleared for a new input
        d->okButton->click();             // and no file is chosen
        QVERIFY(!f->graphSettingsOkButton->isEnabled());
    }

    void everyReaderRefusesWhatIsNoFileWithoutWaiting() {
        // Listed as regular files, then replaced: by a FIFO without a writer, a link to an endless
        // device, a file far larger than any real one.
        const struct {
            const char* what;
            const char* reason;
            std::function<void(const QString&)> make;
        } kinds[] = {
            {"fifo", "通常のファイルではありません",
             [](const QString& p) {
                 QVERIFY(::mkfifo(QFile::encodeName(p).constData(), 0600) == 0);
             }},
            {"zero", "通常のファイルではありません",
             [](const QString& p) { QVERIFY(QFile::link(QStringLiteral("/dev/zero"), p)); }},
            {"huge", "大きすぎます",
             [](const QString& p) {
                 QFile file(p);
                 QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(200ll * 1024 * 1024));
             }},
        };
        // The file input, the format help's examples and the viewer, each by its own list.
        const struct {
            const char* file;
            std::function<void()> open;
            std::function<void(const QString&)> read;
        } readers[] = {
            {"x.csv", [&] { f->inputMethodOkButton->click(); },
             [&](const QString& n) { clickFile(form10(), n); }},
            {"ex_x.csv", [&] { form10()->dataFormatButton->click(); },
             [&](const QString& n) { clickFile(form9(), n); }},
            {"x-Sp.csv", [&] { form2()->searchSavedButton->click(); },
             [&](const QString& n) {
                 clickFile(form6(), n);
                 form6()->drawGraphButton->click();
             }},
        };
        MessageRecorder messages;
        BeepCounter beeps;
        for (const auto& kind : kinds) {
            for (const auto& r : readers) dir->write(QString::fromUtf8(r.file), "1,2\r\n");
            for (const auto& r : readers) r.open();
            for (const auto& r : readers) {
                const QString name = QString::fromUtf8(r.file);
                QFile::remove(dir->file(name));
                kind.make(dir->file(name));
                messages.boxes.clear();
                r.read(name);
                const QByteArray what = QByteArray(kind.what) + " " + r.file;
                QVERIFY2(messages.boxes.size() == 1, what.constData());
                QVERIFY2(messages.boxes[0].text.contains(dir->file(name)), what.constData());
                QVERIFY2(messages.boxes[0].text.contains(QString::fromUtf8(kind.reason)),
                         what.constData());
                QFile::remove(dir->file(name));
            }
            QVERIFY(!form3()->isVisible());  // no data file: not the read-error dialog
        }
        QCOMPARE(beeps.count, 3);
        QCOMPARE(form10()->fileLinesList->count(), 0);
        QVERIFY(!form6()->shown());
    }

    void readErrorDialogTellsTheCausesAndCloses() {
        Form3* e = form3();
        QCOMPARE(e->windowTitle(), QStringLiteral("読み込みエラー"));
        const char* expected[] = {"ファイル読み込み時に、エラーが発生しました。",
                                  "原因として、下記が考えられます。",
                                  "・データが１列しかない行がある。",
                                  "・データが３列以上ある行がある。",
                                  "・データ以外の内容が書き込まれた行がある。",
                                  "・データ数が上限(100)を超えている。",
                                  "確認の上、ファイル内容を修正して下さい。"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(caption(e, QStringLiteral("Label%1").arg(i + 1).toLatin1()),
                     QString::fromUtf8(expected[i]));
        QVERIFY(control<QLabel>(e, "Label1")->styleSheet().contains(QStringLiteral("#0000ff")));
        QVERIFY(control<QLabel>(e, "Label7")->styleSheet().contains(QStringLiteral("#0000ff")));
        QCOMPARE(e->closeButton->text(), QStringLiteral("閉じる"));
        e->show();
        e->closeButton->click();
        QVERIFY(!e->isVisible());
    }

    void nonPositiveMinimaDisableTheLogarithmicOptions() {
        const struct {
            QByteArray bytes;
            bool o2, o3, o4;
        } cases[] = {
            {"0,1\r\n2,3\r\n", true, false, false},
            {"1,-1\r\n2,3\r\n", false, true, false},
            {"-1,0\r\n2,3\r\n", false, false, false},
            {"1,1\r\n2,3\r\n", true, true, true},
        };
        int n = 0;
        for (const auto& c : cases) {
            open(QStringLiteral("m%1.csv").arg(n++), c.bytes);
            QCOMPARE(f->linearLogOption->isEnabled(), c.o2);
            QCOMPARE(f->logLinearOption->isEnabled(), c.o3);
            QCOMPARE(f->logLogOption->isEnabled(), c.o4);
            d->okButton->click();
        }
    }

    void cancelClearsTheMainWindowsDataButKeepsThePoints() {
        open(QStringLiteral("p.csv"), "0,1\r\n2,3\r\n");
        d->cancelButton->click();
        QVERIFY(!d->isVisible());
        QVERIFY(f->isVisible());
        QCOMPARE(f->dataList->count(), 0);
        for (const char* l : {"Label31", "Label32", "Label33", "Label34"})
            QVERIFY(caption(f, l).isEmpty());
        for (QRadioButton* o :
             {f->linearLinearOption, f->linearLogOption, f->logLinearOption, f->logLogOption})
            QVERIFY(o->isEnabled());
        QCOMPARE(taken().DataCount, 0);
        // Opening the dialog again starts it empty.
        f->inputMethodOkButton->click();
        QCOMPARE(d->fileLinesList->count(), 0);
        QVERIFY(caption(d, "Label31").isEmpty());
    }

    // The title window can show the main window again while the file-input dialog stays open:
    // a file loaded there afterwards takes the graph of the earlier points with them, and a new
    // data input closes the dialog, so that only the input started last hands data over.
    void anInputDialogLeftOpenNeverMixesTwoInputs() {
        open(QStringLiteral("a.csv"), "1,1\r\n2,4\r\n3,9\r\n");
        f->show();
        f->graphSettingsOkButton->click();
        f->drawPointsButton->click();
        QVERIFY(f->calculateButton->isEnabled());
        dir->write(QStringLiteral("b.csv"), "5,1\r\n6,2\r\n");
        d->fileList->refresh();
        clickFile(d, QStringLiteral("b.csv"));
        QCOMPARE(xs(), (QList<double>{5, 6}));
        QVERIFY(!f->drawnGraph() && !f->calculateButton->isEnabled());
        QCOMPARE(f->graphPicture->image().pixelColor(360, 270), QColor(Qt::white));
        f->byHandOption->click();
        f->inputMethodOkButton->click();
        QVERIFY(form11()->isVisible() && !d->isVisible());
    }

    void sortingOrdersByXAndSeparatesEqualNeighbours() {
        const struct {
            std::initializer_list<double> in;
            QList<double> out;
        } cases[] = {
            {{3, 1, 2}, {1, 2, 3}},
            {{1, 2, 2, 4}, {1, 2, 2.02, 4}},
            {{1, 2, 4, 4}, {1, 2, 3.98, 4}},
            {{5, 5}, {4.95, 5}},
            {{2, 2}, {1.98, 2}},
            {{-5, -5}, {-5.05, -5}},  // a negative pair stays in order
            {{4, 1, 4, 3}, {1, 3, 3.99, 4}},
            {{1, 2, 2, 2, 5}, {1, 2, 2, 2.03, 5}},  // three in a row are not all separated
        };
        for (const auto& c : cases) {
            DataPoints p = dataOf(c.in);
            SortDataByX(p);
            const QList<double> got = xs(p);
            QCOMPARE(got.size(), c.out.size());
            for (int i = 0; i < got.size(); ++i)
                QVERIFY2(std::fabs(got[i] - c.out[i]) < 1e-12,
                         qPrintable(QStringLiteral("%1 at %2").arg(got[i]).arg(i)));
        }
        // Abscissas near the ends of the double range stay finite when moved apart.
        for (const bool equalPairLast : {true, false}) {
            DataPoints p = equalPairLast ? dataOf({-1.7e308, 1.7e308, 1.7e308})
                                         : dataOf({-1.7e308, -1.7e308, 1.7e308});
            SortDataByX(p);
            for (double x : xs(p)) QVERIFY2(std::isfinite(x), qPrintable(QString::number(x)));
            QVERIFY(p.DataX[1] < p.DataX[2] && p.DataX[2] < p.DataX[3]);
        }
        // Y values move with their X; equal X keep their order.
        DataPoints p = dataOf({3, 1, 3});
        SortDataByX(p);
        QCOMPARE(ys(p), (QList<double>{102, 101, 103}));
    }
};

QTEST_MAIN(FileInputTest)
#include "fileinput_test.moc"
