// The exchange files: B2F.dat and Bor3.dat byte for byte, values the engine's record cannot
// carry, reading F2B.dat (and every way it can be unusable), deleting, finding the engine.
#include "exchange.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTest>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>

#include "guitest.h"
#include "state.h"

namespace {
DataPoints pointsOf(std::initializer_list<std::pair<double, double>> points) {
    DataPoints p;
    for (auto [x, y] : points) {
        ++p.DataCount;
        p.DataX[p.DataCount] = x;
        p.DataY[p.DataCount] = y;
    }
    FillDataLogarithms(p, 4);
    return p;
}

// A table the way the engine writes it: "(I6)" count, then "(2E13.6)" rows.
QByteArray engineTable(int rows) {
    QByteArray t = QByteArray::number(rows).rightJustified(6, ' ') + "\r\n";
    for (int i = 1; i <= rows; ++i) {
        const double x = 0.01 * i, y = -0.5 * i;
        t += QByteArray::number(x, 'E', 5).rightJustified(13, ' ') +
             QByteArray::number(y, 'E', 5).rightJustified(13, ' ') + "\r\n";
    }
    return t;
}

// While it lives, the folder has the given permissions and this thread works in it as an
// ordinary user: when the test runs as root, with the file-system identity of another user,
// whom (unlike root) the permissions bind.
class AsOrdinaryUser {
public:
    AsOrdinaryUser(const QString& path, mode_t mode) : path_(path) {
        ::chmod(QFile::encodeName(path_).constData(), mode);
        if (::geteuid() == 0) ::setfsuid(65534);
    }
    ~AsOrdinaryUser() {
        ::setfsuid(::geteuid());
        ::chmod(QFile::encodeName(path_).constData(), 0700);
    }

private:
    QString path_;
};

// A Nodara that holds a lock file: an open file locked as a running Nodara locks it.
class LiveHolder {
public:
    explicit LiveHolder(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT, 0644)) {
        QVERIFY(fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0);
    }
    ~LiveHolder() { ::close(fd_); }

private:
    int fd_;
};
}  // namespace

class ExchangeTest : public QObject {
    Q_OBJECT
private slots:
    void pointFileCarriesSignPiecesAndExponentFields() {
        WorkDir dir;
        QVERIFY(WritePointFile(pointsOf({{12.5, -0.003}, {0, 5}, {-2.5, 1000}}), 1).ok());
        QCOMPARE(dir.read(QStringLiteral("B2F.dat")), QByteArray(" 3 \r\n"
                                                                 "+1.25000E+01 -3.00000E-03\r\n"
                                                                 "-0.00000E+00 +5.00000E+00\r\n"
                                                                 "-2.50000E+00 +1.00000E+03\r\n"));
    }

    void logarithmicAxesSendNaturalLogarithms() {
        WorkDir dir;
        const DataPoints points = pointsOf({{10, 100}, {1, 0.5}});
        const std::pair<int, const char*> modes[] = {
            {4, "+2.30259E+00 +4.60517E+00\r\n-0.00000E+00 -6.93147E-01\r\n"},
            {2, "+1.00000E+01 +4.60517E+00\r\n+1.00000E+00 -6.93147E-01\r\n"},
            {3, "+2.30259E+00 +1.00000E+02\r\n-0.00000E+00 +5.00000E-01\r\n"},
        };
        for (auto [mode, rows] : modes)
            QCOMPARE(PointFileText(points, mode), QByteArray(" 2 \r\n") + rows);
    }

    void valuesTheRecordCannotCarryAreRefusedBeforeWriting() {
        WorkDir dir;
        const struct {
            double value;
            bool fits;
        } cases[] = {
            {0.0, true},
            {double(FLT_MAX), true},
            {3.5e38, false},
            {1e100, false},
            {-1e100, false},
            {1e-99, true},
            {9.999996e-100, true},  // rounds to 1.00000E-99
            {9.99994e-100, false},
            {-1e-120, false},
            {std::numeric_limits<double>::infinity(), false},
            {std::numeric_limits<double>::quiet_NaN(), false},
        };
        for (const auto& c : cases) QCOMPARE(FitsEngineRecord(c.value), c.fits);

        const DataPoints points = pointsOf({{1, 2}, {2, 1e-120}, {3, 4}});
        QCOMPARE(FirstUnsendablePoint(points, 1), 2);
        QVERIFY(!WritePointFile(points, 1).ok());
        QVERIFY(!dir.exists(QStringLiteral("B2F.dat")));
        // On a logarithmic axis the logarithm travels, and it fits.
        QCOMPARE(FirstUnsendablePoint(points, 2), 0);
        QVERIFY(WritePointFile(points, 2).ok());
    }

    void methodFileHoldsTheFlagWithTwoDigits() {
        WorkDir dir;
        QVERIFY(WriteMethodFile({0, 0}).ok());
        QCOMPARE(dir.read(QStringLiteral("Bor3.dat")), QByteArray("00\r\n"));
        QVERIFY(WriteMethodFile({1, 0}).ok());
        QCOMPARE(dir.read(QStringLiteral("Bor3.dat")), QByteArray("01\r\n"));
    }

    void tableFileIsReadWithItsExtent() {
        WorkDir dir;
        MessageRecorder boxes;
        const struct {
            QByteArray bytes;
            int count;
            double lastX, lastY, minX, maxX, minY, maxY;
        } reads[] = {
            {"     3\r\n  .150000E+01 -.123000E-01\r\n  .250000E+01  .000000E+00\r\n"
             "  .200000E+01  .123457E+06\r\n",
             3, 2, 123457, 1.5, 2.5, -0.0123, 123457},
            // LF line ends and rows past the count are accepted.
            {"     1\n  .1E+01  .2E+01\n  junk\n", 1, 1, 2, 1, 1, 2, 2},
            // The largest table that fits.
            {engineTable(kTableCapacity), kTableCapacity, 100.1, -5005, 0.01, 100.1, -5005, -0.5},
        };
        for (const auto& c : reads) {
            dir.write(QStringLiteral("F2B.dat"), c.bytes);
            const std::optional<EngineTable> t = ReadTableFile();
            QVERIFY(t);
            QCOMPARE(t->count, c.count);
            QCOMPARE(t->x[c.count], c.lastX);
            QCOMPARE(t->y[c.count], c.lastY);
            QCOMPARE(t->minX, c.minX);
            QCOMPARE(t->maxX, c.maxX);
            QCOMPARE(t->minY, c.minY);
            QCOMPARE(t->maxY, c.maxY);
        }
        QVERIFY(boxes.boxes.isEmpty());
    }

    void unusableTableFileIsRefused() {
        WorkDir dir;
        const QByteArray good = engineTable(3);
        const struct {
            const char* what;
            QByteArray bytes;
        } cases[] = {
            {"empty", ""},
            {"shorter than its count", good.left(good.lastIndexOf("\r\n", good.size() - 3) + 2)},
            {"count above capacity", engineTable(kTableCapacity + 1)},
            {"count zero", "     0\r\n"},
            {"count not a number", "  abc\r\n  .1E+01  .2E+01\r\n"},
            {"row of one number", "     2\r\n  .1E+01  .2E+01\r\n  .3E+01\r\n"},
            {"row of three numbers", "     1\r\n  .1E+01  .2E+01  .3E+01\r\n"},
            {"row that does not fit", "     1\r\n*************  .2E+01\r\n"},
            {"row of words", "     1\r\n  one  two\r\n"},
        };
        for (const auto& c : cases) {
            dir.write(QStringLiteral("F2B.dat"), c.bytes);
            QVERIFY2(!ReadTableFile(), c.what);
        }
        QFile::remove(dir.file(QStringLiteral("F2B.dat")));
        QVERIFY(!ReadTableFile());
    }

    void exchangeFilesAreDeletedIgnoringMissingOnes() {
        WorkDir dir;
        for (const char* n : {"B2F.dat", "F2B.dat", "Bor3.dat", "other.dat"})
            dir.write(QLatin1String(n), "x");
        DeleteExchangeFiles();
        QVERIFY(!dir.exists(QStringLiteral("B2F.dat")));
        QVERIFY(!dir.exists(QStringLiteral("F2B.dat")));
        QVERIFY(!dir.exists(QStringLiteral("Bor3.dat")));
        QVERIFY(dir.exists(QStringLiteral("other.dat")));
        DeleteExchangeFiles();  // nothing left to delete
    }

    // A lock nobody holds is stale, whatever is at its name; a live holder keeps the folder
    // however old its lock; a folder that cannot be written says so; a stale lock that cannot be
    // removed names itself and what to do.
    void folderLockIsStaleUnlessItsHolderIsAlive() {
        ReleaseExchangeFolder();
        const QString name = QLatin1String(kFolderLockName);
        const std::function<void(const WorkDir&)> staleLocks[] = {
            [&](const WorkDir& d) { d.write(name, ""); },
            [&](const WorkDir& d) { d.write(name, "\x01garbage\xff\n\n"); },
            [&](const WorkDir& d) { d.write(name, "999999999\nanotherhost\nNodara\n"); },
            [&](const WorkDir& d) { QDir(d.path()).mkdir(name); },
            [&](const WorkDir& d) { QFile::link(d.file(QStringLiteral("gone")), d.file(name)); },
            [&](const WorkDir& d) {
                d.write(QStringLiteral("target"), "kept");
                QFile::link(d.file(QStringLiteral("target")), d.file(name));
            },
            [&](const WorkDir& d) { ::mkfifo(QFile::encodeName(d.file(name)).constData(), 0644); },
        };
        int k = 0;
        for (const auto& plant : staleLocks) {
            WorkDir dir;
            plant(dir);
            const FolderClaim claim = ClaimExchangeFolder();
            QVERIFY2(claim.kind == FolderClaim::Held, qPrintable(QString::number(k++)));
            QVERIFY(QFileInfo(dir.file(name)).isFile() && !QFileInfo(dir.file(name)).isSymLink());
            QVERIFY(!dir.exists(QStringLiteral("target")) ||
                    dir.read(QStringLiteral("target")) == "kept");
            ReleaseExchangeFolder();
        }

        WorkDir dir;
        {
            // Held by a live Nodara since long ago: still in use, and said so.
            dir.write(name, "1\nhost\n");
            LiveHolder holder(dir.file(name));
            QFile lock(dir.file(name));
            QVERIFY(lock.open(QIODevice::ReadWrite));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addYears(-1),
                                     QFileDevice::FileModificationTime));
            lock.close();
            QCOMPARE(ClaimExchangeFolder().kind, FolderClaim::InUse);
            QVERIFY(ExchangeFolderProblem().contains(QStringLiteral("別に起動している Nodara")));
        }
        QVERIFY(ExchangeFolderProblem().isEmpty());  // the holder ended: the folder is this one's
        ReleaseExchangeFolder();
        QVERIFY(!dir.exists(name));

        // A read-only folder is read-only, not in use; a lock this user can neither open nor
        // remove names itself and what to do; where this user may remove it, it goes.
        const struct {
            mode_t folder;
            bool lock;
            const char* says;  // a phrase of the problem, or "" for none
        } folders[] = {
            {0555, false, "読み取り専用"},
            {0555, true, "の .Nodara.lock は、使っている Nodara がないのに削除できません"},
            {0777, false, ""}};
        for (const auto& c : folders) {
            if (c.lock) {
                dir.write(name, "1\nhost\n");
                QFile::setPermissions(dir.file(name), {});
            }
            AsOrdinaryUser user(dir.path(), c.folder);
            const QString text = ExchangeFolderProblem();
            QVERIFY2(*c.says ? text.contains(QString::fromUtf8(c.says)) &&
                                   !text.contains(QStringLiteral("別に起動"))
                             : text.isEmpty(),
                     qPrintable(text));
            if (!*c.says) ReleaseExchangeFolder();
        }
    }

    void engineIsLookedUpInTheCurrentDirectoryThenBesideTheProgram() {
        WorkDir dir;
        SetEngineSearchPath({});
        // The test programs are built beside the engine.
        QCOMPARE(FindEngine(), QDir(QCoreApplication::applicationDirPath())
                                   .absoluteFilePath(QStringLiteral("Fitcore")));
        const QString local = dir.file(QStringLiteral("Fitcore"));
        dir.write(QStringLiteral("Fitcore"), "#!/bin/sh\n");
        QCOMPARE(FindEngine(), QDir(QCoreApplication::applicationDirPath())
                                   .absoluteFilePath(QStringLiteral("Fitcore")));  // not executable
        QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(FindEngine(), QFileInfo(local).absoluteFilePath());
        SetEngineSearchPath({dir.file(QStringLiteral("nowhere"))});
        QCOMPARE(FindEngine(), QString());
        SetEngineSearchPath({});
    }
};

QTEST_MAIN(ExchangeTest)
#include "exchange_test.moc"
