// Nodara on a Japanese desktop of today: Qt's own texts in Japanese, and the windows and the graph
// at the device pixel ratios of high-resolution screens (1.25, 1.5, 2). Checks at a ratio other
// than 1 run in a copy of this program started with QT_SCALE_FACTOR, which writes what it saw
// into a folder for the test to compare with the same steps at ratio 1.
#include <QAction>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <memory>

#include "filelists.h"
#include "form10.h"
#include "form11.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "form6.h"
#include "form7.h"
#include "form8.h"
#include "form9.h"
#include "guitest.h"
#include "savedfile.h"
#include "textbox.h"

namespace {
// The folder a copy at another ratio writes into; set only in such a copy.
const char kRatioOutput[] = "NODARA_RATIO_OUTPUT";

// A Linear - Linear table of 400 rows along a wave, with three data points.
SavedFile waveFile() {
    QList<QPointF> rows;
    for (int i = 1; i <= 400; ++i) {
        const double x = 0.025 * i;
        rows << QPointF(x, 50 + 40 * std::sin(x));
    }
    return {1,
            textList({"0", "10", "1", "0", "100", "10"}),
            rows,
            {QPointF(1, 50 + 40 * std::sin(1.0)), QPointF(5, 50 + 40 * std::sin(5.0)),
             QPointF(9, 50 + 40 * std::sin(9.0))}};
}

// The viewer draws the wave with its data points and reads it out at pixel (400, 270); written
// into `out`: the picture as the screen shows it before and during the read-out, the saved
// bitmap, and the two read-out texts.
void drawViewerGraph(const QString& out) {
    WorkDir dir;
    dir.write(QStringLiteral("wave-Sp.csv"), waveFile().bytes());
    ShutdownNodara();
    StartNodara();
    form2()->searchSavedButton->click();
    Form6* v = form6();
    v->fileList->refresh();
    clickFile(v, QStringLiteral("wave-Sp.csv"));
    v->drawGraphButton->click();
    v->drawPointsButton->click();
    QVERIFY(v->graphPicture->grab().toImage().save(out + QStringLiteral("/screen.png")));
    moveMouse(v->graphPicture, QPoint(400, 270));
    QVERIFY(v->graphPicture->grab().toImage().save(out + QStringLiteral("/readout.png")));
    QVERIFY(SaveImage(v->graphPicture->image(), out + QStringLiteral("/graph.bmp"), "BMP").ok());
    QFile readOut(out + QStringLiteral("/readout.txt"));
    QVERIFY(readOut.open(QIODevice::WriteOnly));
    readOut.write((caption(v, "Label7") + u'\n' + caption(v, "Label8")).toUtf8());
    ShutdownNodara();
}

// Every window of the program fits a screen of 1366 x 768 logical pixels (less a title bar),
// with its captions whole and apart from each other.
void verifyWindowsFit() {
    WorkDir dir;
    ShutdownNodara();
    StartNodara();
    form2()->newCalculationButton->click();
    const QList<QWidget*> windows = {form2(), form1(), form3(), form4(),  form5(), form6(),
                                     form7(), form8(), form9(), form10(), form11()};
    for (QWidget* w : windows) {
        w->show();
        QCoreApplication::processEvents();
        const QByteArray name = w->objectName().toUtf8();
        QVERIFY2(w->width() <= 1366 && w->height() <= 768 - 30, name.constData());
        verifyCaptionsUnclipped(w);
        QList<QWidget*> captions;
        for (QWidget* c : w->findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(c);
            if (((label && !label->text().isEmpty()) || qobject_cast<QAbstractButton*>(c)) &&
                c->isVisibleTo(w))
                captions << c;
        }
        for (int i = 0; i < captions.size(); ++i)
            for (int k = i + 1; k < captions.size(); ++k) {
                const QRect a(captions[i]->mapTo(w, QPoint(0, 0)), captions[i]->size());
                const QRect b(captions[k]->mapTo(w, QPoint(0, 0)), captions[k]->size());
                const QByteArray what = name + ": " + captions[i]->objectName().toUtf8() +
                                        " overlaps " + captions[k]->objectName().toUtf8();
                QVERIFY2(!a.intersects(b), what.constData());
            }
        w->hide();
    }
    ShutdownNodara();
}

// Runs one check of RatioChecks in a copy of this program at the given ratio; its output when
// it fails.
QString runAtRatio(const char* ratio, const char* check, const QString& out) {
    QProcess copy;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(ratio));
    env.insert(QString::fromLatin1(kRatioOutput), out);
    copy.setProcessEnvironment(env);
    copy.setProcessChannelMode(QProcess::MergedChannels);
    copy.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(check)});
    if (!copy.waitForFinished(300000))
        return QStringLiteral("no end at ratio ") + QLatin1String(ratio);
    if (copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0) return {};
    return QStringLiteral("at ratio %1:\n").arg(QLatin1String(ratio)) +
           QString::fromLocal8Bit(copy.readAll());
}

// Aligned 2 x 2 blocks of a picture whose four pixels are not all alike; a picture enlarged
// pixel by pixel has none.
int mixedBlocks(const QImage& image) {
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p ||
                image.pixel(x + 1, y + 1) != p)
                ++mixed;
        }
    return mixed;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

// What a copy at another ratio checks; each writes its findings into the folder it is given.
class RatioChecks : public QObject {
    Q_OBJECT
private slots:
    void drawsTheViewerGraph() { drawViewerGraph(qEnvironmentVariable(kRatioOutput)); }
    void windowsFitTheScreen() { verifyWindowsFit(); }
};

class DesktopTest : public ProgramSuite {
    Q_OBJECT
private slots:
    void qtOwnTextsAreJapanese() {
        const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(translations + QStringLiteral("/qtbase_ja.qm")))
            QSKIP("Qt's Japanese translations are not installed");
        // The right-click menu of a text box.
        std::unique_ptr<QMenu> menu(f->xStartField->createStandardContextMenu());
        QStringList entries;
        for (const QAction* a : menu->actions())
            if (!a->isSeparator()) entries << a->text().section(u'\t', 0, 0);  // no shortcut
        for (const char* entry : {"元に戻す(&U)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)"})
            QVERIFY2(entries.contains(QString::fromUtf8(entry)),
                     qPrintable(entries.join(QStringLiteral(" | "))));
        menu.reset();  // before its text box goes with the program

        // A second start installs no second translation: the texts are not announced again.
        struct LanguageChanges : QObject {
            int count = 0;
            bool eventFilter(QObject* o, QEvent* e) override {
                if (o == qApp && e->type() == QEvent::LanguageChange) ++count;
                return false;
            }
        } changes;
        qApp->installEventFilter(&changes);
        ShutdownNodara();
        StartNodara();
        QCoreApplication::processEvents();
        qApp->removeEventFilter(&changes);
        QCOMPARE(changes.count, 0);
    }

    void graphIsDrawnAtTheScreensRatioAndSavedAtItsOwnSize() {
        QTemporaryDir one, two;
        drawViewerGraph(one.path());
        const QString failure = runAtRatio("2", "drawsTheViewerGraph", two.path());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        // The saved bitmap and the read-out do not depend on the screen.
        const QByteArray bitmap = fileBytes(one.path() + QStringLiteral("/graph.bmp"));
        QVERIFY(bitmap.size() > 720 * 540);
        QVERIFY(bitmap == fileBytes(two.path() + QStringLiteral("/graph.bmp")));
        const QByteArray readOut = fileBytes(one.path() + QStringLiteral("/readout.txt"));
        QVERIFY(readOut.size() > 2);
        QCOMPARE(fileBytes(two.path() + QStringLiteral("/readout.txt")), readOut);

        // The screen shows the same graph with twice the pixels each way, drawn afresh: its
        // edges fall between the pixels that an enlarged copy would repeat.
        const QImage screen1(one.path() + QStringLiteral("/screen.png"));
        const QImage screen2(two.path() + QStringLiteral("/screen.png"));
        QCOMPARE(screen1.size(), QSize(720, 540));
        QCOMPARE(screen2.size(), QSize(1440, 1080));
        QCOMPARE(mixedBlocks(screen1.scaled(1440, 1080)), 0);
        const int mixed = mixedBlocks(screen2);
        QVERIFY2(mixed > 2000, qPrintable(QString::number(mixed)));
        const QImage enlarged = screen1.convertToFormat(QImage::Format_RGB32).scaled(1440, 1080);
        const QImage sharp = screen2.convertToFormat(QImage::Format_RGB32);
        qint64 alike = 0;
        for (int y = 0; y < 1080; ++y)
            for (int x = 0; x < 1440; ++x) alike += enlarged.pixel(x, y) == sharp.pixel(x, y);
        QVERIFY2(alike > 1440 * 1080 * 9 / 10, qPrintable(QString::number(alike)));

        // The read-out's vertical line at pixel 400 is one logical pixel wide: two device pixels.
        const QImage readOut2(two.path() + QStringLiteral("/readout.png"));
        const QRgb red = qRgb(255, 0, 0);
        QCOMPARE(readOut2.pixel(800, 10), red);
        QCOMPARE(readOut2.pixel(801, 10), red);
        QVERIFY(readOut2.pixel(799, 10) != red && readOut2.pixel(802, 10) != red);
    }

    void windowsFitTheScreenAtEveryRatio() {
        verifyWindowsFit();
        for (const char* ratio : {"1.25", "1.5", "2"}) {
            QTemporaryDir out;
            const QString failure = runAtRatio(ratio, "windowsFitTheScreen", out.path());
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kRatioOutput)) {
        RatioChecks checks;
        return QTest::qExec(&checks, argc, argv);
    }
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
