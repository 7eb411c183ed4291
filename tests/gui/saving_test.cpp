// Saving a result from the main window: the interpolated table (its file byte for byte in the
// four scale modes, its name, the messages, names and writes that fail) and the graph image
// (the bitmap read back pixel for pixel).
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDate>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "dates.h"
#include "filelists.h"
#include "form1.h"
#include "form4.h"
#include "form5.h"
#include "form6.h"
#include "form7.h"
#include "guitest.h"
#include "savedfile.h"
#include "state.h"
#include "textbox.h"

namespace {
QString today() { return monthDayYear(QDate::currentDate()); }
const QByteArray kData = "1,2\r\n2,8\r\n4,3\r\n";
// While it lives, no file of this process may grow beyond `bytes`. The program ignores the
// signal a write past it raises, so the write fails as on a full disk (EFBIG).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }

private:
    rlimit old_{};
};

bool failSync = false;  // fsync fails with EIO, as on a disk that loses a write
}  // namespace

// The program's fsync: this definition takes the place of the C library's, so that a test can
// make it fail.
extern "C" int fsync(int fd) {
    if (failSync) {
        errno = EIO;
        return -1;
    }
    return int(::syscall(SYS_fsync, fd));
}

class SavingTest : public ProgramSuite {
    Q_OBJECT

    // Saves under a name in the working directory, as a user types it and presses OK.
    void saveTable(const QString& name) { saveInDialog(form4(), *dir, name, form4()->okButton); }
    // A line calculated in the main window by `method`.
    void calculateLine(int method = 0) {
        calculateInMainWindow(*dir, 1, kData, textList({"0", "5", "1", "0", "10", "1"}),
                              curveRows(1, 4, 30, [](double x) { return x; }), method);
    }
    // After calculateLine: a table, a picture and an exchange file, each written to a name in the
    // working directory, with the dialog that asks for the name (none for the exchange file).
    struct Save {
        const char* file;
        QWidget* dialog;
        std::function<void()> write;
    };
    std::vector<Save> saves() {
        Form1* f = form1();
        return {
            {"t-Sp.csv", form4(), [this] { saveMainTable(*dir, QStringLiteral("t")); }},
            {"g.bmp", form5(),
             [this, f] {
                 f->saveImageButton->click();
                 savePicture(*dir, QStringLiteral("g"));
             }},
            {"B2F.dat", nullptr,
             [f] {
                 f->graphSettingsOkButton->click();
                 f->drawPointsButton->click();
             }},
        };
    }

private slots:
    void eachDialogListsItsOwnKindOfFile() {
        Form4* d = form4();
        Form5* g = form5();
        dir->write(QStringLiteral("a.csv"), "");
        dir->write(QStringLiteral("b.bmp"), "");
        dir->write(QStringLiteral("c.dat"), "");
        for (QWidget* w : {static_cast<QWidget*>(d), static_cast<QWidget*>(g)}) {
            auto* files = control<FileListBox>(w, "File1");
            files->setPath(dir->path());
            QCOMPARE(files->count(), 1);
        }
        QCOMPARE(d->fileList->item(0)->text(), QStringLiteral("a.csv"));
        QCOMPARE(g->fileList->item(0)->text(), QStringLiteral("b.bmp"));
        // Files that appear while a dialog is open are listed when it is shown again, or when
        // its folder is chosen again.
        d->show();
        dir->write(QStringLiteral("new1.csv"), "");
        d->hide();
        d->show();
        QCOMPARE(d->fileList->count(), 2);
        dir->write(QStringLiteral("new2.csv"), "");
        const QList<QListWidgetItem*> here =
            d->folderList->findItems(QDir(dir->path()).dirName(), Qt::MatchExactly);
        QCOMPARE(here.size(), 1);
        emit d->folderList->itemActivated(here[0]);
        QCOMPARE(d->fileList->count(), 3);
    }

    void graphsAreSavedAsPngBesideBmp() {
        MessageRecorder messages;
        calculateInMainWindow(*dir, 1, kData, textList({"0", "5", "1", "0", "10", "1"}),
                              curveRows(1, 4, 30, [](double x) { return x * x; }));
        Form1* f = form1();
        f->saveImageButton->click();
        Form5* g = form5();
        QVERIFY(g->bmpOption->isChecked());  // BMP first, as always
        g->pngOption->click();
        saveInDialog(g, *dir, QStringLiteral("graph"), g->okButton);
        const QString path = dir->file(QStringLiteral("graph.png"));
        QCOMPARE(QImageReader(path).format(), QByteArray("png"));
        QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), f->graphPicture->image());
        QCOMPARE(texts(messages),
                 QStringList{savedReport(
                     QStringLiteral("  グラフ画像をPNG形式(png)で保存しました  "), path)});
        QVERIFY(!dir->exists(QStringLiteral("graph.bmp")));
        // The list shows the PNG files while PNG is chosen; the next opening chooses BMP again.
        QCOMPARE(g->fileList->count(), 1);
        f->saveImageButton->click();
        QVERIFY(g->bmpOption->isChecked());
        QCOMPARE(g->fileList->count(), 0);
    }

    void savedTableHasTheLayoutInEveryScaleMode() {
        MessageRecorder messages;
        const struct {
            int mode;
            int method;
            std::initializer_list<const char*> typed;  // the six axis fields
            std::initializer_list<const char*> saved;  // the six texts the file holds
            QByteArray data;
            double (*curve)(double);
        } cases[] = {
            {1,
             0,
             {"0", "5", "", "-10", "10", "5"},
             {"0", "5", "", "-10", "10", "5"},
             "1,2\r\n2,-8\r\n4,0\r\n",
             [](double x) { return 3 - x * x + 0.25 * x; }},
            {2,
             1,
             {"0", "5", "1", "0.5", "70", ""},
             {"0", "5", "1", "1.0E-01", "1.0E+02", "10"},
             kData,
             [](double x) { return 2 + std::sin(x); }},
            {3,
             0,
             {"0.5", "4", "", "0", "10", "2"},
             {"1.0E-01", "1.0E+01", "10", "0", "10", "2"},
             kData,
             [](double x) { return 1.5 * x - 0.125; }},
            {4,
             1,
             {"1", "10", "", "1", "10", ""},
             {"1.0E+00", "1.0E+01", "10", "1.0E+00", "1.0E+01", "10"},
             kData,
             [](double x) { return 2 * std::exp(0.3 * x); }},
        };
        for (const auto& c : cases) {
            messages.boxes.clear();
            const QList<QPointF> rows = curveRows(1, 4, 300, c.curve);
            calculateInMainWindow(*dir, c.mode, c.data, textList(c.typed), rows, c.method);
            Form1* f = form1();
            QCOMPARE(f->focusWidget(), f->saveTableButton);
            f->saveTableButton->click();
            QVERIFY(form4()->isVisible());
            QCOMPARE(form4()->fileNameField->text(), today());
            saveTable(QStringLiteral("run%1").arg(c.mode));

            const QString name =
                QStringLiteral("run%1").arg(c.mode) +
                (c.method == 0 ? QStringLiteral("-Sp.csv") : QStringLiteral("-BSp.csv"));
            SavedFile expected{c.mode, textList(c.saved), rows, {}};
            for (const QByteArray& line : c.data.split('\n')) {
                const QList<QByteArray> xy = line.trimmed().split(',');
                if (xy.size() == 2) expected.data << QPointF(xy[0].toDouble(), xy[1].toDouble());
            }
            std::sort(expected.data.begin(), expected.data.end(),
                      [](QPointF a, QPointF b) { return a.x() < b.x(); });
            QCOMPARE(dir->read(name), expected.bytes());
            QCOMPARE(texts(messages),
                     QStringList{savedReport(QStringLiteral("  補間データは保存されました  "),
                                             QDir(dir->path()).filePath(name))});
            QCOMPARE(messages.boxes[0].icon, QMessageBox::NoIcon);
            QVERIFY(!form4()->isVisible());
        }
    }

    // A table is saved under any name the file system takes, up to its 255 bytes (the scratch
    // file beside it is named within that); other names are refused with the reason, and the
    // dialog stays for another.
    void namesAreSavedUnderOrRefusedWithTheReason() {
        MessageRecorder messages;
        calculateLine();
        QStringList files = QDir(dir->path()).entryList(QDir::Files | QDir::Hidden);
        const QString saved = QStringLiteral("保存されました");
        const struct {
            QString name, inMessage;
        } cases[] = {
            // The date in the form a short date format gives it, a name with a separator, nothing.
            {QStringLiteral("07/15/2024"), QStringLiteral("07/15/2024")},
            {QStringLiteral("a\\b"), QStringLiteral("a\\b")},
            {QStringLiteral("x:y"), QStringLiteral("x:y")},
            {QString(), QStringLiteral("  ファイル名を入力して下さい！ ")},
            // "-Sp.csv" adds 7 bytes; "あ" is 3 bytes in UTF-8.
            {QString(241, u'n'), saved},
            {QString(248, u'n'), saved},
            {QString(82, u'あ'), saved},
            {QString(249, u'n'), QStringLiteral("名前が長すぎます")},
        };
        for (const auto& c : cases) {
            messages.boxes.clear();
            form1()->saveTableButton->click();
            saveTable(c.name);
            const bool ok = c.inMessage == saved;
            QCOMPARE(messages.boxes.size(), 1);
            QVERIFY2(messages.boxes[0].text.contains(c.inMessage),
                     qPrintable(messages.boxes[0].text));
            QCOMPARE(messages.boxes[0].icon, ok ? QMessageBox::NoIcon : QMessageBox::Warning);
            QCOMPARE(form4()->isVisible(), !ok);
            if (ok) files << c.name + QStringLiteral("-Sp.csv");
        }
        // Nothing refused was written, and no scratch file is left behind.
        QStringList written = QDir(dir->path()).entryList(QDir::Files | QDir::Hidden);
        std::sort(files.begin(), files.end());
        std::sort(written.begin(), written.end());
        QCOMPARE(written, files);
    }

    void aFailedWriteIsReportedAndTheDialogStays() {
        MessageRecorder messages;
        calculateLine();
        // A directory stands where the file would go.
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("busy-Sp.csv")));
        dir->write(QStringLiteral("busy-Sp.csv/keep.txt"), "kept");
        form1()->saveTableButton->click();
        saveTable(QStringLiteral("busy"));
        QCOMPARE(messages.boxes.size(), 1);
        QVERIFY(messages.boxes[0].text.contains(QStringLiteral("busy-Sp.csv")));
        QVERIFY(form4()->isVisible());
        QCOMPARE(dir->read(QStringLiteral("busy-Sp.csv/keep.txt")), QByteArray("kept"));
        // An existing file of the name is replaced whole; cancel closes without saving.
        dir->write(QStringLiteral("old-Sp.csv"), QByteArray(5000, 'x'));
        messages.boxes.clear();
        messages.answer = true;
        saveTable(QStringLiteral("old"));
        QVERIFY(dir->read(QStringLiteral("old-Sp.csv")).startsWith(" 1 \r\n0\r\n5\r\n1\r\n"));
        QVERIFY(!dir->read(QStringLiteral("old-Sp.csv")).contains('x'));
        form1()->saveTableButton->click();
        form4()->fileNameField->setText(QStringLiteral("never"));
        form4()->cancelButton->click();
        QVERIFY(!form4()->isVisible());
        QVERIFY(!dir->exists(QStringLiteral("never-Sp.csv")));
    }

    void suffixFollowsTheMethodThatMadeTheTable() {
        MessageRecorder messages;
        calculateLine(1);
        Form1* f = form1();
        f->calculateButton->click();
        form7()->cancelButton->click();  // cancelled
        f->saveTableButton->click();
        saveTable(QStringLiteral("a"));
        QVERIFY(dir->exists(QStringLiteral("a-BSp.csv")));
        // A cubic spline started, its curve not drawn yet: the table is still the B-spline's.
        f->calculateButton->click();
        form7()->startButton->click();
        f->saveTableButton->click();
        saveTable(QStringLiteral("b"));
        QVERIFY(dir->exists(QStringLiteral("b-BSp.csv")));
        QTRY_VERIFY(dir->exists(QStringLiteral("F2B.dat")));
        f->drawCurveButton->click();
        f->saveTableButton->click();
        saveTable(QStringLiteral("c"));
        QVERIFY(dir->exists(QStringLiteral("c-Sp.csv")));
        QVERIFY(!dir->exists(QStringLiteral("a-Sp.csv")) &&
                !dir->exists(QStringLiteral("b-Sp.csv")));
    }

    void eachMethodNamesItsExchangeAndItsSavedTable() {
        MessageRecorder messages;
        const struct {
            int method;
            QByteArray exchange;  // Bor3.dat
            const char* suffix;
        } cases[] = {
            {0, "00\r\n", "-Sp.csv"},         {1, "01\r\n", "-BSp.csv"},
            {2, "01\r\n02\r\n", "-AkSp.csv"}, {3, "01\r\n03\r\n", "-ShSp.csv"},
            {9, "01\r\n09\r\n", "-SmSp.csv"}, {20, "01\r\n20\r\n", "-MoSp.csv"},
        };
        for (const auto& c : cases) {
            calculateLine(c.method);
            QCOMPARE(dir->read(QStringLiteral("Bor3.dat")), c.exchange);
            form1()->saveTableButton->click();
            saveTable(QStringLiteral("m%1").arg(c.method));
            QVERIFY2(
                dir->exists(QStringLiteral("m%1%2").arg(c.method).arg(QLatin1String(c.suffix))),
                c.suffix);
            // The dialog opens on the cubic spline again.
            form1()->calculateButton->click();
            QVERIFY(form7()->cubicSplineOption->isChecked());
            form7()->cancelButton->click();
        }
        // The viewer lists every one of them.
        form2()->searchSavedButton->click();
        QCOMPARE(form6()->fileList->count(), 6);
    }

    void writesThatFailOrMeetALinkLeaveTheFileThatWasThereAndSaySo() {
        MessageRecorder messages;
        calculateLine();
        Form1* f = form1();
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("notes.txt"));
        const QByteArray old = "the file that was there";
        messages.answer = true;  // a file of the name may be replaced
        // The disk fills during the write (no file may grow past 64 bytes), the flush to the disk
        // fails, or the name is a symbolic link to a file elsewhere.
        enum How { Full, Sync, Link };
        for (const auto& w : saves())  // the exchange file last: drawing forgets the table
            for (const How how : {Full, Sync, Link}) {
                const bool link = how == Link;
                const QString name = QString::fromUtf8(w.file);
                QFile::remove(dir->file(name));
                QFile t(target);
                QVERIFY(t.open(QIODevice::WriteOnly) && t.write(old) == old.size());
                t.close();
                if (link)
                    QVERIFY(QFile::link(target, dir->file(name)));
                else
                    QVERIFY(QFile::copy(target, dir->file(name)));
                messages.boxes.clear();
                {
                    std::optional<FileSizeLimit> limit;
                    if (how == Full) limit.emplace(64);
                    failSync = how == Sync;
                    w.write();
                    failSync = false;
                }
                const QByteArray what = QByteArray(w.file) + " " + QByteArray::number(how);
                if (!messages.boxes.isEmpty() && messages.boxes[0].icon == QMessageBox::Question)
                    messages.boxes.removeFirst();  // the question before replacing the file
                QVERIFY2(messages.boxes.size() == 1, what.constData());
                const QString& text = messages.boxes[0].text;
                const QString reason[] = {QStringLiteral("ファイルが大きすぎます"),
                                          QString::fromLocal8Bit(std::strerror(EIO)),
                                          QStringLiteral("シンボリックリンク")};
                QVERIFY2(text.contains(dir->file(name)), qPrintable(text));
                QVERIFY2(text.contains(reason[how]), qPrintable(text));
                QCOMPARE(messages.boxes[0].icon, QMessageBox::Warning);
                QCOMPARE(dir->read(name), old);  // through the link: the target is kept too
                QCOMPARE(QFileInfo(dir->file(name)).isSymLink(), link);
                QCOMPARE(QDir(dir->path())
                             .entryList({QLatin1Char('.') + name + QStringLiteral(".*")},
                                        QDir::Files | QDir::Hidden),
                         QStringList());  // no scratch file is left behind
            }
        // The picture dialog went with the picture that drawing the points cleared.
        QVERIFY(form4()->isVisible() && !form5()->isVisible());
        QVERIFY(!f->calculateButton->isEnabled());  // no graph was drawn for the engine
    }

    // Saving onto a name that exists asks first: いいえ (the default) replaces nothing and the
    // dialog stays for another name, はい replaces the file. The table and the picture alike.
    void savingOverAFileThatExistsAsksFirst() {
        MessageRecorder messages;
        calculateLine();
        for (const auto& w : saves()) {
            if (!w.dialog) continue;  // the exchange file is the program's own
            const QString name = QString::fromUtf8(w.file);
            dir->write(name, "before");
            for (const bool yes : {false, true}) {
                messages.boxes.clear();
                messages.answer = yes;
                w.write();
                QCOMPARE(messages.boxes.size(), yes ? 2 : 1);  // the report of the save
                QCOMPARE(messages.boxes[0].text, overwriteQuestion(dir->file(name)));
                QCOMPARE(messages.boxes[0].icon, QMessageBox::Question);
                QCOMPARE(dir->read(name) == "before", !yes);
                QCOMPARE(w.dialog->isVisible(), !yes);
            }
        }
    }

    void bitmapIsThePicturePixelForPixel() {
        MessageRecorder messages;
        calculateInMainWindow(*dir, 4, kData, textList({"1", "10", "", "1", "10", ""}),
                              curveRows(1, 4, 300, [](double x) { return 1 + x; }));
        Form1* f = form1();
        QVERIFY(f->saveImageButton->isEnabled());
        f->saveImageButton->click();
        Form5* g = form5();
        QVERIFY(g->isVisible());
        QCOMPARE(g->fileNameField->text(), today() + QStringLiteral("-Gr"));
        saveInDialog(g, *dir, g->fileNameField->text(), g->okButton);
        QCOMPARE(texts(messages),
                 QStringList{savedReport(
                     QStringLiteral("  グラフ画像をビットマップ形式(bmp)で保存しました  "),
                     dir->file(today() + QStringLiteral("-Gr.bmp")))});
        QCOMPARE(messages.boxes[0].icon, QMessageBox::NoIcon);
        QVERIFY(!g->isVisible());
        const QImage saved(dir->file(today() + QStringLiteral("-Gr.bmp")), "BMP");
        QCOMPARE(saved.size(), QSize(720, 540));
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 f->graphPicture->image().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(g->fileList->count(), 1);  // the list shows the new bitmap
    }

    void imageNamesThatCannotBeSavedUnderAreRefused() {
        MessageRecorder messages;
        calculateLine();
        form1()->saveImageButton->click();
        Form5* g = form5();
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("dir.bmp")));
        const struct {
            const char* name;
            const char* inMessage;
        } cases[] = {{"", "ファイル名を入力して下さい"},
                     {"12/08/2026-Gr", "12/08/2026-Gr"},
                     {"dir", "dir.bmp"}};
        for (const auto& c : cases) {
            messages.boxes.clear();
            saveInDialog(g, *dir, QString::fromUtf8(c.name), g->okButton);
            QCOMPARE(messages.boxes.size(), 1);
            QVERIFY2(messages.boxes[0].text.contains(QString::fromUtf8(c.inMessage)), c.name);
            QVERIFY(g->isVisible());
        }
        QVERIFY(!dir->exists(QStringLiteral(".bmp")));
        g->cancelButton->click();
        QVERIFY(!g->isVisible());
    }
};

QTEST_MAIN(SavingTest)
#include "saving_test.moc"
