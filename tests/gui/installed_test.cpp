// The installed tree, as `cmake --install` lays it out: the files where a desktop expects
// them, the engine found beside the program, and the menu start that works in the user's own
// folder while a start from a terminal keeps the current directory.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "exchange.h"

namespace {
const QString kPrefix = QStringLiteral(NODARA_INSTALL_PREFIX);

QString installed(const QString& path) { return kPrefix + QLatin1Char('/') + path; }

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

QStringList exampleNames() {
    return QDir(QStringLiteral(NODARA_EXAMPLES_DIR))
        .entryList({QStringLiteral("ex_*")}, QDir::Files, QDir::Name);
}

// An installed program started on the offscreen platform, with HOME in a temporary folder;
// it is killed when this ends.
class Started {
public:
    Started(const QString& program, const QString& workDir, const QString& home) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Qt's own account of what it paints tells when the title window is on screen.
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("qt.widgets.painting=true"));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(workDir);
        process_.start(program, {});
    }
    ~Started() {
        process_.kill();
        process_.waitForFinished();
    }
    // Waits until the title window has been drawn; false if the program ended or took too long.
    bool titleWindowShown() {
        static const QRegularExpression drawn(QStringLiteral("Drawing .* of Form2\\("));
        for (int waited = 0; waited < 60000; waited += 100) {
            log_ += process_.readAllStandardError();
            if (drawn.match(QString::fromUtf8(log_)).hasMatch()) return true;
            if (process_.state() == QProcess::NotRunning) break;
            process_.waitForReadyRead(100);
        }
        qWarning("%s", log_.right(2000).constData());
        return false;
    }
    // The program's working directory, as the system sees it.
    QString workingDirectory() const {
        return QFileInfo(QStringLiteral("/proc/%1/cwd").arg(process_.processId())).symLinkTarget();
    }

private:
    QProcess process_;
    QByteArray log_;
};
}  // namespace

class InstalledTest : public QObject {
    Q_OBJECT

private slots:
    void filesWhereTheDesktopExpectsThem() {
        for (const char* program : {"bin/Nodara", "bin/Fitcore", "bin/nodara-desktop"})
            QVERIFY2(QFileInfo(installed(QLatin1String(program))).isExecutable(), program);
        const QStringList names = exampleNames();
        QVERIFY(names.size() >= 2);
        QCOMPARE(QDir(installed(QStringLiteral("share/nodara/examples"))).entryList(QDir::Files),
                 names);
        for (const QString& name : names)
            QCOMPARE(contents(installed(QStringLiteral("share/nodara/examples/") + name)),
                     contents(QStringLiteral(NODARA_EXAMPLES_DIR "/") + name));

        const QString icons = QStringLiteral("share/icons/hicolor/");
        QVERIFY(contents(installed(icons + QStringLiteral("scalable/apps/nodara.svg")))
                    .contains("<svg"));
        for (int size : {48, 128}) {
            const QImage png(installed(icons + QStringLiteral("%1x%1/apps/nodara.png").arg(size)));
            QCOMPARE(png.size(), QSize(size, size));
        }

        // The menu entry starts the launcher of this very tree, and it validates.
        const QString entry = installed(QStringLiteral("share/applications/nodara.desktop"));
        const QByteArray text = contents(entry);
        QVERIFY(text.contains("\nExec=" + installed(QStringLiteral("bin/nodara-desktop")).toUtf8() +
                              "\n"));
        QVERIFY(text.contains("\nName[ja]=") && text.contains("\nComment[ja]="));
        const QString validator =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(),
                 "desktop-file-validate is missing (scripts/setup.sh installs it)");
        QProcess validate;
        validate.start(validator, {entry});
        QVERIFY(validate.waitForFinished());
        const QByteArray report = validate.readAll() + validate.readAllStandardError();
        QVERIFY2(validate.exitCode() == 0 && report.isEmpty(), report.constData());
    }

    void engineFoundBesideTheProgramAndRuns() {
        // A program of this build placed in the installed bin/ looks the engine up as Nodara
        // does, from a working directory without one.
        const QString probe = installed(QStringLiteral("bin/nodara-engine-probe"));
        QFile::remove(probe);
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), probe));
        QTemporaryDir work;
        QProcess find;
        find.setWorkingDirectory(work.path());
        find.start(probe, {QStringLiteral("--find-engine")});
        QVERIFY(find.waitForFinished(60000));
        QFile::remove(probe);
        const QString engine = QString::fromLocal8Bit(find.readAllStandardOutput()).trimmed();
        QCOMPARE(QFileInfo(engine).canonicalFilePath(),
                 QFileInfo(installed(QStringLiteral("bin/Fitcore"))).canonicalFilePath());

        // The installed engine works there: 6 points give 500 rows.
        QVERIFY(QFile::copy(QStringLiteral(NODARA_EXAMPLES_DIR "/engine/B2F.dat"),
                            work.filePath(QStringLiteral("B2F.dat"))));
        QFile flag(work.filePath(QStringLiteral("Bor3.dat")));
        QVERIFY(flag.open(QIODevice::WriteOnly));
        flag.write("00\r\n");
        flag.close();
        QProcess run;
        run.setWorkingDirectory(work.path());
        run.start(engine, {});
        run.write("\n");
        run.closeWriteChannel();
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        QVERIFY(contents(work.filePath(QStringLiteral("F2B.dat"))).startsWith("   500\r\n"));
    }

    void menuStartWorksInTheUsersOwnFolder() {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("Nodara"));
        {
            Started nodara(installed(QStringLiteral("bin/nodara-desktop")), home.path(),
                           home.path());
            QVERIFY(nodara.titleWindowShown());
            QCOMPARE(nodara.workingDirectory(), folder);
        }
        // The home folder holds the program's folder and nothing else; it holds the examples.
        QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Nodara")});
        QCOMPARE(QDir(folder).entryList(QDir::Files), exampleNames());
        for (const QString& name : exampleNames())
            QCOMPARE(contents(folder + QLatin1Char('/') + name),
                     contents(QStringLiteral(NODARA_EXAMPLES_DIR "/") + name));

        // Later starts leave the folder as the user keeps it: a deleted example stays deleted.
        const QString removed = exampleNames().first();
        QVERIFY(QFile::remove(folder + QLatin1Char('/') + removed));
        {
            Started nodara(installed(QStringLiteral("bin/nodara-desktop")), home.path(),
                           home.path());
            QVERIFY(nodara.titleWindowShown());
            QCOMPARE(nodara.workingDirectory(), folder);
        }
        QVERIFY(!QFile::exists(folder + QLatin1Char('/') + removed));
    }

    void terminalStartKeepsTheCurrentDirectory() {
        QTemporaryDir home, work;
        Started nodara(installed(QStringLiteral("bin/Nodara")), work.path(), home.path());
        QVERIFY(nodara.titleWindowShown());
        QCOMPARE(nodara.workingDirectory(), QFileInfo(work.path()).canonicalFilePath());
        QVERIFY(QDir(home.path()).isEmpty());
    }
};

int main(int argc, char* argv[]) {
    if (argc == 2 && qstrcmp(argv[1], "--find-engine") == 0) {
        QCoreApplication app(argc, argv);
        std::printf("%s\n", qPrintable(FindEngine()));
        return 0;
    }
    QCoreApplication app(argc, argv);
    InstalledTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "installed_test.moc"
