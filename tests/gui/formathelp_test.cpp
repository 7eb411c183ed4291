// The data-format help: opened from the file-input dialog, its texts and bullets, the example
// files of the working directory and the lines of the one clicked, closing, and which windows
// hide it.
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "filelists.h"
#include "form10.h"
#include "form2.h"
#include "form9.h"
#include "guitest.h"

namespace {
QStringList items(QListWidget* list) {
    QStringList t;
    for (int i = 0; i < list->count(); ++i) t << list->item(i)->text();
    return t;
}
}  // namespace

class FormatHelpTest : public ProgramSuite {
    Q_OBJECT
    Form9* h = nullptr;

    void populate(const WorkDir& work) override {
        work.write(QStringLiteral("ex_a.csv"), "1.0,2.0\r\n3.0,4.5\r\n");
        work.write(QStringLiteral("ex_b.dat"), "  1.5   2.5\n-1 1e-2\n");
        QByteArray many;
        for (int i = 1; i <= 150; ++i) many += QByteArray::number(i) + ",1\r\n";
        work.write(QStringLiteral("ex_many.csv"), many);
        for (const char* other : {"ex_c.txt", "data.csv", "exa.dat", "B2F.dat"})
            work.write(QLatin1String(other), "1,2\r\n");
    }

    void open() {
        f->inputMethodOkButton->click();
        QVERIFY(form10()->dataFormatButton->isEnabled());
        form10()->dataFormatButton->click();
        h = form9();
        QVERIFY(h->isVisible());
        QVERIFY(form10()->isVisible());  // the file input stays open beside it
    }

private slots:
    void showsTheHelpWithItsBulletsAndTheExamples() {
        open();
        QCOMPARE(h->windowTitle(), QStringLiteral("データ書式"));
        // Four bullets, each beside the first line of its item.
        for (const char* name : {"Shape1", "Shape2", "Shape3", "Shape4"}) {
            auto* shape = control<QFrame>(h, name);
            QVERIFY(shape->isVisible());
            QVERIFY(shape->width() < 16 && shape->width() == shape->height());
        }
        const std::pair<const char*, const char*> beside[] = {
            {"Shape1", "Label8"}, {"Shape2", "Label2"}, {"Shape3", "Label3"}, {"Shape4", "Label7"}};
        for (auto [shape, label] : beside) {
            const QRect s = control<QFrame>(h, shape)->geometry();
            const QRect l = control<QLabel>(h, label)->geometry();
            QVERIFY2(
                s.right() < l.left() && s.center().y() >= l.top() && s.center().y() <= l.bottom(),
                label);
        }
        h->resize(h->minimumSizeHint());
        verifyCaptionsUnclipped(h);
        QCOMPARE(items(h->fileList),
                 (QStringList{QStringLiteral("ex_a.csv"), QStringLiteral("ex_b.dat"),
                              QStringLiteral("ex_many.csv")}));
        QCOMPARE(h->exampleLinesList->count(), 0);
    }

    void aClickedExampleShowsItsFirstHundredLinesUnchanged() {
        open();
        const struct {
            const char* file;
            QStringList first;
            int count;
        } cases[] = {
            {"ex_a.csv", {QStringLiteral("1.0,2.0"), QStringLiteral("3.0,4.5")}, 2},
            {"ex_b.dat", {QStringLiteral("  1.5   2.5"), QStringLiteral("-1 1e-2")}, 2},
            {"ex_many.csv", {QStringLiteral("1,1"), QStringLiteral("2,1")}, 100},
        };
        for (const auto& c : cases) {
            clickFile(h, QLatin1String(c.file));
            QCOMPARE(h->exampleLinesList->count(), c.count);
            QCOMPARE(items(h->exampleLinesList).mid(0, 2), c.first);
        }
        QCOMPARE(h->exampleLinesList->item(99)->text(), QStringLiteral("100,1"));
    }

    void anExampleThatCannotBeReadLeavesTheListEmpty() {
        open();
        clickFile(h, QStringLiteral("ex_a.csv"));
        QVERIFY(QFile::remove(dir->file(QStringLiteral("ex_b.dat"))));  // gone since listed
        MessageRecorder boxes;
        clickFile(h, QStringLiteral("ex_b.dat"));
        QCOMPARE(boxes.boxes.size(), 1);
        QVERIFY(boxes.boxes[0].text.contains(QStringLiteral("ex_b.dat")));
        QCOMPARE(h->exampleLinesList->count(), 0);
    }

    void closingEmptiesTheListUntilTheNextClick() {
        open();
        clickFile(h, QStringLiteral("ex_a.csv"));
        h->closeButton->setFocus();
        QTest::keyClick(h->closeButton, Qt::Key_Return);
        QVERIFY(!h->isVisible());
        dir->write(QStringLiteral("ex_new.dat"), "5 6\r\n");
        form10()->dataFormatButton->click();
        QVERIFY(h->isVisible());
        QCOMPARE(h->exampleLinesList->count(), 0);
        QVERIFY(items(h->fileList).contains(QStringLiteral("ex_new.dat")));  // read afresh
    }

    void leavingTheFileInputOrStartingAgainHidesTheHelp() {
        const std::function<void()> leave[] = {
            [] { form10()->okButton->click(); },      // OK
            [] { form10()->cancelButton->click(); },  // cancel
            [this] {                                  // back to the title, then a new calculation
                form10()->cancelButton->click();
                f->endButton->click();
                form2()->newCalculationButton->click();
            },
        };
        for (const auto& how : leave) {
            open();
            how();
            QVERIFY(!h->isVisible());
            QVERIFY(f->isVisible());
        }
    }
};

QTEST_MAIN(FormatHelpTest)
#include "formathelp_test.moc"
