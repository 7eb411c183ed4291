// The toolkit controls: picture box drawing and scale, cursor lines, BMP saving, the file
// lists, the message box and beep hooks, the engine console window, and the keyboard
// conventions (Enter on a focused button, the focus frame).
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QTest>
#include <cmath>
#include <vector>

#include "engineconsole.h"
#include "filelists.h"
#include "guitest.h"
#include "keyboard.h"
#include "linecontrol.h"
#include "picturebox.h"

class ToolkitTest : public QObject {
    Q_OBJECT
private slots:
    void paletteHasTheSixteenStandardColours() {
        QCOMPARE(PaletteColor(0), QColor(0, 0, 0));
        QCOMPARE(PaletteColor(7), QColor(192, 192, 192));
        QCOMPARE(PaletteColor(8), QColor(128, 128, 128));
        QCOMPARE(PaletteColor(9), QColor(0, 0, 255));
        QCOMPARE(PaletteColor(12), QColor(255, 0, 0));
        QCOMPARE(PaletteColor(15), QColor(255, 255, 255));
    }

    void drawsInUserUnitsIntoThePersistentImage() {
        PictureBox pic(QStringLiteral("P"), QSize(200, 100));
        pic.setScale({0.0f, 10.0f, 20.0f, -10.0f});  // x 0..20 rightwards, y 10..0 downwards
        QCOMPARE(pic.pixelOf(10, 5), QPoint(100, 50));
        pic.drawLine(0, 5, 20, 5, PaletteColor(8));
        QCOMPARE(pic.image().pixelColor(37, 50), PaletteColor(8));
        QCOMPARE(pic.image().pixelColor(37, 49), QColor(Qt::white));
        QCOMPARE(pic.currentX(), 20.0);
        pic.setCurrentPosition(10, 10);
        pic.lineTo(10, 0, PaletteColor(9));
        QCOMPARE(pic.image().pixelColor(100, 20), PaletteColor(9));
        QCOMPARE(pic.currentY(), 0.0);

        // A point of width 6 is a filled dot about 6 pixels across.
        pic.setDrawWidth(6);
        pic.drawPoint(4, 8, PaletteColor(12));
        const QPoint c = pic.pixelOf(4, 8);
        QCOMPARE(pic.image().pixelColor(c), PaletteColor(12));
        QCOMPARE(pic.image().pixelColor(c + QPoint(2, 2)), PaletteColor(12));
        QCOMPARE(pic.image().pixelColor(c + QPoint(5, 0)), QColor(Qt::white));

        // An outline box leaves its inside untouched.
        pic.setDrawWidth(2);
        pic.drawBox(1, 9, 19, 1, Qt::black);
        QCOMPARE(pic.image().pixelColor(pic.pixelOf(1, 3)), QColor(Qt::black));
        QCOMPARE(pic.image().pixelColor(pic.pixelOf(15, 3)), QColor(Qt::white));

        // Text goes to the current position; the image keeps everything until cleared.
        pic.setCurrentPosition(2, 9);
        pic.printText(QStringLiteral("1.0E+2"));
        QCOMPARE(pic.printedTexts().size(), 1);
        QCOMPARE(pic.printedTexts()[0].text, QStringLiteral("1.0E+2"));
        QCOMPARE(pic.printedTexts()[0].x, 2.0f);
        pic.clear();
        QCOMPARE(pic.image().pixelColor(c), QColor(Qt::white));
        QVERIFY(pic.printedTexts().isEmpty());
        QCOMPARE(pic.currentX(), 0.0);
    }

    void aPolylineHasThePixelsOfItsLinesDrawnOneByOne() {
        // A dense wave as a table draws it: many rows to a pixel, some far outside the picture.
        std::vector<QPointF> wave;
        for (int i = 0; i <= 3000; ++i) {
            const double x = -0.5 + i * 0.0004;
            wave.push_back({x, 0.5 + 0.6 * std::sin(40 * x) + (i == 1500 ? 1e9 : 0.0)});
        }
        for (int width : {1, 2, 3, 6}) {
            PictureBox pic(QStringLiteral("P"), QSize(300, 200));
            pic.setScale({-0.6f, 1.2f, 1.3f, -1.4f});
            pic.setDrawWidth(width);
            pic.drawPolyline(wave, PaletteColor(9));
            QCOMPARE(pic.currentX(), wave.back().x());
            QCOMPARE(pic.currentY(), wave.back().y());
            // The lines one by one, each with a painter of its own, through the rounded pixels.
            QImage lines(300, 200, QImage::Format_RGB32);
            lines.fill(Qt::white);
            QPen pen(PaletteColor(9), width == 1 ? 0 : width, Qt::SolidLine, Qt::RoundCap,
                     Qt::RoundJoin);
            for (size_t k = 1; k < wave.size(); ++k) {
                QPainter p(&lines);
                p.setPen(pen);
                p.drawLine(pic.pixelOf(wave[k - 1].x(), wave[k - 1].y()),
                           pic.pixelOf(wave[k].x(), wave[k].y()));
            }
            QVERIFY2(pic.image() == lines, qPrintable(QString::number(width)));
        }
    }

    void cursorLinesArePaintedOverTheImageNotIntoIt() {
        PictureBox pic(QStringLiteral("P"), QSize(100, 100));
        pic.setScale({0.0f, 1.0f, 1.0f, -1.0f});
        LineControl line(QStringLiteral("Line1"), Qt::Vertical, PaletteColor(12), &pic);
        QVERIFY(!line.isVisible());
        line.setPosition(0.25);
        line.show();
        pic.show();
        const QImage screen = pic.grab().toImage();
        QCOMPARE(screen.pixelColor(25, 10), PaletteColor(12));
        QCOMPARE(screen.pixelColor(25, 90), PaletteColor(12));
        QCOMPARE(pic.image().pixelColor(25, 10), QColor(Qt::white));
        line.hide();
        QCOMPARE(pic.grab().toImage().pixelColor(25, 10), QColor(Qt::white));
    }

    void mouseMovesArriveInUserUnits() {
        PictureBox pic(QStringLiteral("P"), QSize(200, 100));
        pic.setScale({-1.4f, 103.0f, 12.0f, -112.0f});
        float gotX = 0, gotY = 0;
        connect(&pic, &PictureBox::mouseMoved, this, [&](int, int, float x, float y) {
            gotX = x;
            gotY = y;
        });
        moveMouse(&pic, QPoint(100, 50));
        QCOMPARE(gotX, float(-1.4 + 100 * 12.0 / 200));
        QCOMPARE(gotY, float(103 - 50 * 112.0 / 100));
    }

    void savesThePersistentImageAsBmp() {
        WorkDir dir;
        PictureBox pic(QStringLiteral("P"), QSize(64, 48));
        pic.setScale({0.0f, 0.0f, 64.0f, 48.0f});
        pic.drawLine(0, 10, 63, 10, PaletteColor(9));
        QVERIFY(SaveImage(pic.image(), dir.file(QStringLiteral("g.bmp")), "BMP").ok());
        QImageReader reader(dir.file(QStringLiteral("g.bmp")));
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage back = reader.read();
        QCOMPARE(back.size(), QSize(64, 48));
        QCOMPARE(back.pixelColor(30, 10), PaletteColor(9));
        QVERIFY(!SaveImage(pic.image(), dir.file(QStringLiteral("missing/g.bmp")), "BMP").ok());
    }

    void fileListsFollowPatternsAndDirectories() {
        WorkDir dir;
        for (const char* n : {"a.dat", "b.csv", "c.txt", "ex_1.csv"})
            dir.write(QLatin1String(n), "1 2\r\n");
        QDir(dir.path()).mkdir(QStringLiteral("sub"));
        dir.write(QStringLiteral("sub/d.dat"), "1 2\r\n");

        FileListBox files(QStringLiteral("File1"));
        files.setPattern(QStringLiteral("*.dat;*.csv"));
        files.setPath(dir.path());
        QStringList shown;
        for (int i = 0; i < files.count(); ++i) shown << files.item(i)->text();
        QCOMPARE(shown, (QStringList{QStringLiteral("a.dat"), QStringLiteral("b.csv"),
                                     QStringLiteral("ex_1.csv")}));
        QString clicked;
        connect(&files, &FileListBox::clicked, this, [&](const QString& n) { clicked = n; });
        files.show();
        QTest::mouseClick(files.viewport(), Qt::LeftButton, {},
                          files.visualItemRect(files.item(1)).center());
        QCOMPARE(clicked, QStringLiteral("b.csv"));
        QCOMPARE(files.fileName(), QStringLiteral("b.csv"));

        DirListBox dirs(QStringLiteral("Dir1"));
        dirs.setPath(dir.path());
        QCOMPARE(dirs.path(), QDir(dir.path()).absolutePath());
        int changes = 0;
        connect(&dirs, &DirListBox::changed, this, [&] { ++changes; });
        QListWidgetItem* sub = dirs.item(dirs.count() - 1);
        QCOMPARE(sub->text().trimmed(), QStringLiteral("sub"));
        emit dirs.itemActivated(sub);
        QCOMPARE(changes, 1);
        QCOMPARE(dirs.path(), QDir(dir.file(QStringLiteral("sub"))).absolutePath());
        // The entries above the path lead back up to the root.
        QCOMPARE(QDir(dirs.item(0)->data(Qt::UserRole).toString()).isRoot(), true);

        DriveListBox drives(QStringLiteral("Drive1"));
        QVERIFY(!drives.drive().isEmpty());
        QCOMPARE(DriveListBox::currentDirectoryOf(drives.drive()), QDir::currentPath());
    }

    void theDriveListAlwaysOffersTheCurrentVolume() {
        // With no readable volume the one holding the current directory is still offered.
        QCOMPARE(DriveListBox::driveRoots({}, QStringLiteral("/")),
                 QStringList{QStringLiteral("/")});
        QCOMPARE(DriveListBox::driveRoots(
                     {QStringLiteral("/b"), QString(), QStringLiteral("/a"), QStringLiteral("/b")},
                     QStringLiteral("/c")),
                 (QStringList{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}));
        // A directory whose volume cannot be read lies on the file system's root.
        QCOMPARE(DriveListBox::volumeRootOf(QStringLiteral("/no/such/directory/here")),
                 QDir::rootPath());
        DriveListBox drives(QStringLiteral("Drive1"));
        QVERIFY(drives.count() >= 1);
        for (int i = 0; i < drives.count(); ++i) QVERIFY(!drives.itemData(i).toString().isEmpty());
    }

    void enterPressesTheFocusedButtonAndTheFocusIsMarked() {
        InstallKeyboardConventions();
        InstallKeyboardConventions();  // a second call must not press twice
        QWidget window;
        auto* a = new QPushButton(QStringLiteral("pressed by Enter"), &window);
        auto* b = new QPushButton(QStringLiteral("another"), &window);
        b->move(0, 60);
        int pressedA = 0, pressedB = 0;
        connect(a, &QPushButton::clicked, this, [&] { ++pressedA; });
        connect(b, &QPushButton::clicked, this, [&] { ++pressedB; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Return);
        QTest::keyClick(a, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(pressedA, 2);
        QCOMPARE(pressedB, 0);
        QTest::keyClick(a, Qt::Key_Return, Qt::ControlModifier);  // not a plain Enter
        a->setEnabled(false);
        QTest::keyClick(a, Qt::Key_Return);
        QCOMPARE(pressedA, 2);
        // The button with the focus has a frame that the other has not.
        b->setFocus();
        QVERIFY(b->hasFocus());
        const QImage focused = b->grab().toImage();
        a->setEnabled(true);
        a->setFocus();
        const QImage unfocused = b->grab().toImage();
        const QPoint edge(1, b->height() / 2);
        QCOMPARE(focused.pixelColor(edge), kFocusMarkColor);
        QVERIFY(unfocused.pixelColor(edge) != kFocusMarkColor);
    }

    void messageBoxesAndBeepsCanBeIntercepted() {
        MessageRecorder boxes;
        BeepCounter beeps;
        ShowMessage(nullptr, QStringLiteral("　入力値が不正です！　"));
        ShowMessage(nullptr, QStringLiteral("report"), QMessageBox::NoIcon);
        Beep();
        QCOMPARE(boxes.boxes.size(), 2);
        QCOMPARE(boxes.boxes[0].text, QStringLiteral("　入力値が不正です！　"));
        QCOMPARE(boxes.boxes[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes.boxes[1].icon, QMessageBox::NoIcon);
        QCOMPARE(beeps.count, 1);
    }

    void consoleRunsAProgramAndPassesTypedLines() {
        WorkDir dir;
        // A small shell program that echoes one line and ends with the status given.
        dir.write(QStringLiteral("prog.sh"),
                  "#!/bin/sh\necho \"in $(pwd)\"\nread line\necho \"got $line\"\nexit $1\n");
        QFile::setPermissions(dir.file(QStringLiteral("prog.sh")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (int status : {0, 1}) {
            auto* console = new EngineConsole;
            QPointer<EngineConsole> alive(console);
            QVERIFY(console->start(dir.file(QStringLiteral("prog.sh")), {QString::number(status)}));
            QCOMPARE(console->windowTitle(), QStringLiteral("Fitcore"));
            QVERIFY(console->isVisible());
            QTRY_VERIFY(console->output().contains(QStringLiteral("in ") + QDir::currentPath()));
            QTest::keyClicks(console, QStringLiteral("ab"));
            QTest::keyClick(console, Qt::Key_Backspace);
            QTest::keyClick(console, Qt::Key_Return);
            if (status == 0) {
                QTRY_VERIFY(alive.isNull());  // a normal end closes the window
            } else {
                QTRY_VERIFY(console->output().contains(QStringLiteral("got a")));
                QTRY_COMPARE(console->process().state(), QProcess::NotRunning);
                QVERIFY(console->isVisible());  // the report stays readable
                QVERIFY(console->toPlainText().contains(QStringLiteral("got a")));
                // The window's own line says that it failed, after the program's output; it
                // is no output of the program.
                QVERIFY(console->toPlainText().trimmed().endsWith(EngineConsole::kFailedLine));
                QVERIFY(!console->output().contains(EngineConsole::kFailedLine));
                console->close();
                QTRY_VERIFY(alive.isNull());
            }
        }
        auto* console = new EngineConsole;
        QVERIFY(!console->start(dir.file(QStringLiteral("no-such-program"))));
        delete console;
    }
};

QTEST_MAIN(ToolkitTest)
#include "toolkit_test.moc"
