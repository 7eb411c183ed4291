// Starting Nodara without a graphical display: the check before Qt starts, and the real
// program's one line and exit status when there is no display or the display does not answer.
#include <QFile>
#include <QProcess>
#include <QTest>

#include "displaycheck.h"

namespace {
QProcessEnvironment environment(const QStringList& entries) {
    QProcessEnvironment env;
    for (const QString& e : entries)
        env.insert(e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
    return env;
}

// Runs the real program with the display variables of this process removed and `set` added.
struct Run {
    int status;
    QByteArray out, err;
};
Run runNodara(const QStringList& set) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    for (const QString& e : set)
        env.insert(e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(NODARA_EXE), {});
    if (!p.waitForFinished(60000)) p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}
}  // namespace

class DisplayTest : public QObject {
    Q_OBJECT

private slots:
    void displayNeededByThePlatformQtWillUse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("missing");
        const QStringList none;
        QTest::newRow("nothing set") << none << none << true;
        QTest::newRow("empty DISPLAY") << none << QStringList{QStringLiteral("DISPLAY=")} << true;
        QTest::newRow("X11") << none << QStringList{QStringLiteral("DISPLAY=:0")} << false;
        QTest::newRow("Wayland") << none << QStringList{QStringLiteral("WAYLAND_DISPLAY=wayland-0")}
                                 << false;
        QTest::newRow("offscreen needs none")
            << none << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")} << false;
        QTest::newRow("X11 chosen, only Wayland there")
            << none
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb"),
                           QStringLiteral("WAYLAND_DISPLAY=wayland-0")}
            << true;
        QTest::newRow("X11 with plugin options")
            << none << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb:nomitshm")} << true;
        QTest::newRow("display on the command line")
            << QStringList{QStringLiteral("-display"), QStringLiteral(":1")}
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb")} << false;
        QTest::newRow("command line platform wins")
            << QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")}
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=xcb")} << false;
        QTest::newRow("command line platform needs X11")
            << QStringList{QStringLiteral("--platform"), QStringLiteral("xcb")}
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=offscreen")} << true;
        QTest::newRow("a list with one that can start")
            << none
            << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland;xcb"),
                           QStringLiteral("DISPLAY=:0")}
            << false;
        QTest::newRow("a list where none can start")
            << none << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland-egl;xcb")} << true;
    }
    void displayNeededByThePlatformQtWillUse() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(bool, missing);
        arguments.prepend(QStringLiteral("Nodara"));
        const QString message = MissingDisplayMessage(arguments, ::environment(environment));
        QCOMPARE(!message.isEmpty(), missing);
        QVERIFY(!message.contains(QLatin1Char('\n')));
    }

    void withoutADisplayTheProgramSaysSoInOneLine() {
        const Run r = runNodara({});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QByteArray());
        QCOMPARE(r.err,
                 QByteArray("Nodara: no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is "
                            "set); start it in a desktop session\n"));
    }

    void aDisplayThatDoesNotAnswerEndsWithOneLineAndStatusOne() {
        int n = 90;
        while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) ++n;
        const QString display = QStringLiteral(":%1").arg(n);
        const Run r = runNodara(
            {QStringLiteral("DISPLAY=") + display, QStringLiteral("QT_QPA_PLATFORM=xcb")});
        QCOMPARE(r.status, 1);  // not an abort
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.startsWith("Nodara: cannot open a window (") &&
                     r.err.contains(display.toLatin1()),
                 r.err.constData());
        QVERIFY2(!r.err.contains("Reinstalling"), r.err.constData());
    }
};

QTEST_GUILESS_MAIN(DisplayTest)
#include "display_test.moc"
