// Equal-interval tables: the count of points, the straight-line interpolation in the saved
// table (rows that coincide, the stretch before the first row, points outside), and the dialog
// opened from the viewer: its list, messages, Enter chain and saved file.
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "equaltable.h"
#include "filelists.h"
#include "form6.h"
#include "form8.h"
#include "guitest.h"
#include "savedfile.h"
#include "state.h"
#include "textbox.h"

namespace {
const QString kEnterAll = QStringLiteral(" 開始値，間隔，終了値を入力して下さい ");
const QString kCorrect = QStringLiteral(" 開始値，間隔，終了値を正しく入力して下さい ");
const QString kTooMany = QStringLiteral(" 計算ポイントが 1000 を超えています ");
const QString kFailed = QStringLiteral(" 正しく計算ができませんでした ");

// The saved table of the dialog's tests: the first data point at X = 0.5, rows from 1 to 11 in
// steps of 0.5 with Y = X^2 - 3 (so a straight line between rows is easy to work out here).
SavedFile tableFile() {
    SavedFile f{1, textList({"0", "12", "1", "-5", "120", "10"}), {}, {}};
    for (int r = 0; r <= 20; ++r) {
        const double x = 1 + 0.5 * r;
        f.table << QPointF(x, x * x - 3);
    }
    f.data = {QPointF(0.5, -2.75), QPointF(11, 118)};
    return f;
}
// Y of the table's polyline, extended before row 1 along its first segment.
double polyline(double x) {
    const double a = x <= 1 ? 1 : std::ceil(x * 2) / 2 - 0.5;
    const double ya = a * a - 3, yb = (a + 0.5) * (a + 0.5) - 3;
    return ya + (x - a) * (yb - ya) / 0.5;
}
QByteArray line(double x, double y) { return QString::asprintf("%.3E, %.3E\r\n", x, y).toLatin1(); }
}  // namespace

class EqualIntervalTest : public ProgramSuite {
    Q_OBJECT
    Form8* d = nullptr;

    void compute(const char* s, const char* step, const char* e) {
        d->startField->setText(QString::fromUtf8(s));
        d->intervalField->setText(QString::fromUtf8(step));
        d->endField->setText(QString::fromUtf8(e));
        d->okButton->click();
    }
    QStringList lines() const {
        QStringList l;
        for (int i = 0; i < d->valuesList->count(); ++i) l << d->valuesList->item(i)->text();
        return l;
    }
    // The dialog as the viewer opens it, after drawing the table file.
    void openDialog() {
        drawInViewer(*dir, QStringLiteral("t-Sp.csv"), tableFile());
        form6()->equalIntervalButton->click();
        d = form8();
        QVERIFY(d->isVisible());
        QVERIFY(form6()->isVisible());
    }
    void save(const QString& name) { saveInDialog(d, *dir, name, d->saveButton); }

private slots:
    void countIncludesAnEndOnTheGridUpToRounding() {
        const struct {
            double s, d, e;
            int count;
        } cases[] = {
            {1, 0.5, 3, 5},       {0, 3, 10, 4},
            {0, 0.1, 0.3, 4},     {0.1, 0.2, 0.7, 4},
            {0, 0.1, 1, 11},      {1, 1, 1000, 1000},
            {1, 1, 1001, 1001},   {1, 1, 2, 2},
            {1, 3, 2, 1},         {0.7, 0.1, 1.0, 4},
            {2, 0.3, 2.9, 4},     {-1, 0.25, 1, 9},
            {0, 1e-300, 1, 1001}, {1000.1, 0.1, 1000.4, 4},
        };
        for (const auto& c : cases)
            QVERIFY2(EqualIntervalCount(c.s, c.d, c.e) == c.count,
                     qPrintable(QStringLiteral("%1 %2 %3 gives %4")
                                    .arg(c.s)
                                    .arg(c.d)
                                    .arg(c.e)
                                    .arg(EqualIntervalCount(c.s, c.d, c.e))));
    }

    void interpolationUsesNeighbouringRowsOnly() {
        const double px[] = {0, 1, 2, 4, 5}, py[] = {0, 10, 20, 0, -5};
        const struct {
            double x;
            bool ok;
            double y;
        } cases[] = {
            {2, true, 20},
            {4, true, 0},
            {1, true, 10},
            {5, true, -5},
            {3, true, 10},
            {4.5, true, -2.5},
            {0.5, true, 5},     // before row 1: along rows 1 and
                                // 2, not towards row 0's (0, 0)
            {0.25, true, 2.5},  // the first data point
            {0.2, false, 0},    // below it
            {5.01, false, 0},   // above the last row and the last data point
        };
        for (const auto& c : cases) {
            double y = 99;
            QCOMPARE(InterpolateTable(c.x, 4, px, py, 0.25, 5, y), c.ok);
            if (c.ok) QVERIFY2(std::fabs(y - c.y) < 1e-12, qPrintable(QString::number(c.x)));
        }
        // A row hit exactly keeps its Y, with no rounding of a line through it.
        const double qx[] = {0, 0.1, 0.7, 1.3}, qy[] = {0, 0.3, 0.1, 0.7};
        double y = 0;
        QVERIFY(InterpolateTable(0.7, 3, qx, qy, 0.1, 1.3, y));
        QCOMPARE(y, 0.1);
    }

    void endsOnTheGridAreComputed() {
        // A user types decimal texts whose points land on the grid; the table ends at the end
        // typed (or, saved with six digits, just below the last data point).
        int cases = 0;
        for (const char* start : {"0", "0.1", "1.5", "-2", "0.3", "1000.1"})
            for (const char* step : {"0.1", "0.2", "0.3", "0.7", "0.01", "0.05"})
                for (int n = 1; n <= 40; ++n) {
                    const double s = QString::fromUtf8(start).toDouble();
                    const double d = QString::fromUtf8(step).toDouble();
                    const double e = QString::number(s + n * d, 'g', 12).toDouble();
                    const double px[] = {0, s, (s + e) / 2, e}, py[] = {0, 1, 2, 3};
                    const EqualTable t = ComputeEqualTable(s, d, e, 3, px, py, s, e);
                    QVERIFY2(t.fault == EqualFault::None && t.count == n + 1 && t.x.back() == e &&
                                 t.y.back() == 3,
                             qPrintable(QStringLiteral("%1 %2 %3")
                                            .arg(QString::fromUtf8(start), QString::fromUtf8(step))
                                            .arg(e)));
                    ++cases;
                }
        QCOMPARE(cases, 1440);
        // A logarithmic X saved as 4.99998E+03 for the data's own 5000.
        const double px[] = {0, 4000, 4999.98}, py[] = {0, 10, 20};
        const EqualTable t = ComputeEqualTable(4000, 500, 5000, 2, px, py, 3000, 5000);
        QCOMPARE(int(t.fault), int(EqualFault::None));
        QCOMPARE(t.x, (std::vector<double>{4000, 4500, 5000}));
        QVERIFY(std::fabs(t.y[2] - (10 + 1000 * 10 / 999.98)) < 1e-9);
    }

    void dialogIsPreparedByTheViewer() {
        openDialog();
        // The first and last data X.
        QCOMPARE(caption(d, "Label4"), QStringLiteral("5.000E-01"));
        QCOMPARE(caption(d, "Label5"), QStringLiteral("1.100E+01"));
        dir->write(QStringLiteral("x.dat"), "");
        d->fileList->setPath(dir->path());
        QCOMPARE(d->fileList->count(), 1);  // the csv files only

        // Enter moves through the fields to OK; from the name to save.
        d->show();
        d->activateWindow();
        const std::pair<TextBox*, QWidget*> chain[] = {{d->startField, d->intervalField},
                                                       {d->intervalField, d->endField},
                                                       {d->endField, d->okButton},
                                                       {d->fileNameField, d->saveButton}};
        for (auto [from, to] : chain) {
            from->setFocus();
            QTest::keyClick(from, Qt::Key_Return);
            QCOMPARE(d->focusWidget(), to);
        }
        // Reopening empties the list and the fields.
        compute("1", "1", "3");
        d->fileNameField->setText(QStringLiteral("name"));
        form6()->equalIntervalButton->click();
        QCOMPARE(d->valuesList->count(), 0);
        for (TextBox* t : {d->startField, d->intervalField, d->endField, d->fileNameField})
            QVERIFY(t->text().isEmpty());
    }

    void okListsThePointsAndEachOkReplacesTheList() {
        MessageRecorder messages;
        openDialog();
        compute("1", "0.5", "3");
        QCOMPARE(d->EqualCount, 5);
        QStringList expected;
        for (double x : {1.0, 1.5, 2.0, 2.5, 3.0})
            expected << QString::asprintf("  %.3E   %.3E", x, x * x - 3);
        QCOMPARE(lines(), expected);
        QVERIFY(expected[0].startsWith(QStringLiteral("  1.000E+00   -2.000E+00")));
        QCOMPARE(d->focusWidget(), d->fileNameField);
        // The stretch before the first row, down to the first data point, and the end on the
        // grid up to rounding.
        compute("0.5", "0.25", "1.5");
        QCOMPARE(d->EqualCount, 5);
        expected.clear();
        for (int i = 0; i < 5; ++i) {
            const double x = 0.5 + 0.25 * i;
            expected << QString::asprintf("  %.3E   %.3E", x, polyline(x));
        }
        QCOMPARE(lines(), expected);
        QVERIFY(messages.boxes.isEmpty());
        // A refused OK leaves no table, and the list says so.
        compute("0", "0.1", "0.3");  // below the first data point
        QCOMPARE(texts(messages), QStringList{kFailed});
        QCOMPARE(lines(), QStringList());
    }

    void refusedInputsLeaveNoTableListed() {
        MessageRecorder messages;
        openDialog();
        const struct {
            const char *s, *step, *e;
            QString message;
        } cases[] = {
            {"", "1", "3", kEnterAll},      {"1", "", "3", kEnterAll},
            {"1", "1", "", kEnterAll},      {"3", "1", "1", kCorrect},
            {"1", "3", "2", kCorrect},      {"1", "-1", "3", kCorrect},
            {"2", "1", "2", kCorrect},      {"1", "0.001", "2.001", kTooMany},
            {"1", "0", "3", kFailed},       {"1", "1", "12", kFailed},
            {"abc", "1", "3", kCorrect},    {"1", "1,5", "3", kCorrect},
            {"1", "1", "１Ｅ", kCorrect},   {"1", "1", "1e999", kCorrect},
            {"1e-400", "1", "3", kCorrect},
        };
        for (const auto& c : cases) {
            compute("1", "1", "2");
            const QStringList before = lines();
            messages.boxes.clear();
            compute(c.s, c.step, c.e);
            QCOMPARE(texts(messages), QStringList{c.message});
            QCOMPARE(messages.boxes[0].icon, QMessageBox::Warning);
            // A missing field changes nothing; a computation refused leaves no table to list.
            QCOMPARE(lines(), c.message == kEnterAll ? before : QStringList());
        }
        // 1000 points are allowed.
        messages.boxes.clear();
        compute("1", "0.01", "10.99");
        QCOMPARE(d->EqualCount, 1000);
        QVERIFY(messages.boxes.isEmpty());
    }

    void savedFileHoldsTheTableOfTheLastAcceptedOk() {
        MessageRecorder messages;
        openDialog();
        compute("1", "1", "11");
        compute("2", "0.75", "5");  // the second OK is the one saved
        save(QStringLiteral("eq"));
        QByteArray expected;
        for (double x = 2; x <= 5; x += 0.75) expected += line(x, polyline(x));
        QCOMPARE(dir->read(QStringLiteral("eq.csv")), expected);
        QCOMPARE(expected.count('\n'), d->EqualCount);
        QCOMPARE(texts(messages),
                 QStringList{savedReport(QStringLiteral(" 等間隔データを保存しました "),
                                         dir->file(QStringLiteral("eq.csv")))});
        QCOMPARE(messages.boxes[0].icon, QMessageBox::NoIcon);
        QVERIFY(!d->isVisible());
        QVERIFY(form6()->isVisible());
        // Negative values keep their sign in the file.
        form6()->equalIntervalButton->click();
        compute("0.5", "0.5", "1.5");
        save(QStringLiteral("neg"));
        const QByteArray negative = line(0.5, -3.25) + line(1, -2) + line(1.5, -0.75);
        QCOMPARE(dir->read(QStringLiteral("neg.csv")), negative);
        // Saving onto it again asks first; いいえ keeps the file and the dialog.
        messages.boxes.clear();
        form6()->equalIntervalButton->click();
        compute("1", "1", "2");
        save(QStringLiteral("neg"));
        QCOMPARE(texts(messages),
                 QStringList{overwriteQuestion(dir->file(QStringLiteral("neg.csv")))});
        QCOMPARE(dir->read(QStringLiteral("neg.csv")), negative);
        QVERIFY(d->isVisible());
    }

    void savingWithoutATableOrANameIsRefused() {
        MessageRecorder messages;
        openDialog();
        const QString noName = QStringLiteral(" ファイル名を入力して下さい ");
        save(QStringLiteral("none"));  // before any OK
        QCOMPARE(messages.boxes.size(), 1);
        QVERIFY(!dir->exists(QStringLiteral("none.csv")));
        compute("1", "1", "3");
        compute("1", "0.001", "3");  // refused: its count does not match the table held
        messages.boxes.clear();
        save(QStringLiteral("stale"));
        QCOMPARE(messages.boxes.size(), 1);
        QVERIFY(messages.boxes[0].text != noName);
        QVERIFY(!dir->exists(QStringLiteral("stale.csv")));
        messages.boxes.clear();
        compute("1", "1", "3");
        save(QString());
        QCOMPARE(texts(messages), QStringList{noName});
        // A name that cannot be written: the dialog stays open.
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("taken.csv")));
        messages.boxes.clear();
        save(QStringLiteral("taken"));
        QCOMPARE(messages.boxes.size(), 1);
        QVERIFY(messages.boxes[0].text.contains(QStringLiteral("taken.csv")));
        QVERIFY(d->isVisible());
        save(QStringLiteral("ok"));
        QCOMPARE(dir->read(QStringLiteral("ok.csv")).count('\n'), 3);
        // Cancel closes without saving.
        form6()->equalIntervalButton->click();
        compute("1", "1", "3");
        d->fileNameField->setText(QStringLiteral("cancelled"));
        d->cancelButton->click();
        QVERIFY(!d->isVisible());
        QVERIFY(!dir->exists(QStringLiteral("cancelled.csv")));
    }
};

QTEST_MAIN(EqualIntervalTest)
#include "equalinterval_test.moc"
