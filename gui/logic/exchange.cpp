// The exchange files shared with the engine, and the engine's whereabouts.
#include "exchange.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "savefile.h"
#include "scalemode.h"
#include "textconv.h"

namespace {

const QString kRecordPattern = QStringLiteral("0.00000E+00");

// A sign piece followed by the magnitude in the record's exponent form; 0 takes the minus.
QString signedField(double v, const QString& plus, const QString& minus) {
    return (v > 0 ? plus : minus) + FormatNumber(v > 0 ? v : -v, kRecordPattern);
}

// The X field of point i in B2F.dat.
QString sentXField(const DataPoints& points, int mode, int i) {
    return signedField(SentX(points, mode, i), QStringLiteral("+"), QStringLiteral("-"));
}

}  // namespace

double SentX(const DataPoints& p, int mode, int i) {
    return IsLogX(mode) ? p.LogDataX[i] : p.DataX[i];
}
double SentY(const DataPoints& p, int mode, int i) {
    return IsLogY(mode) ? p.LogDataY[i] : p.DataY[i];
}

void FillDataLogarithms(DataPoints& p, int mode) {
    if (mode == 1) return;
    for (int i = 1; i <= p.DataCount; ++i) {
        if (p.DataX[i] > 0) p.LogDataX[i] = std::log(p.DataX[i]);
        if (p.DataY[i] > 0) p.LogDataY[i] = std::log(p.DataY[i]);
    }
}

bool FitsEngineRecord(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude <= double(FLT_MAX))) return false;  // also NaN
    return FormatNumber(magnitude, kRecordPattern).size() == kRecordPattern.size();
}

int FirstUnsendablePoint(const DataPoints& p, int mode) {
    for (int i = 1; i <= p.DataCount; ++i)
        if (!FitsEngineRecord(SentX(p, mode, i)) || !FitsEngineRecord(SentY(p, mode, i))) return i;
    return 0;
}

PointProblem CheckPointsForEngine(const DataPoints& points, int mode) {
    PointProblem problem;
    const bool logX = IsLogX(mode), logY = IsLogY(mode);
    for (int i = 1; i <= points.DataCount && problem.kind == PointProblem::None; ++i)
        if ((logX && points.DataX[i] <= 0) || (logY && points.DataY[i] <= 0))
            problem = {PointProblem::NoLogarithm, i};
    if (problem.kind == PointProblem::None)
        if (const int bad = FirstUnsendablePoint(points, mode)) problem = {PointProblem::OutOfRange, bad};
    // The points are in ascending X, so X values that round alike are neighbours.
    for (int i = 1; i < points.DataCount && problem.kind == PointProblem::None; ++i)
        if (sentXField(points, mode, i) == sentXField(points, mode, i + 1))
            problem = {PointProblem::SameInRecord, i, i + 1};
    if (problem.kind != PointProblem::None) QFile::remove(QLatin1String(contract::kPointFile));
    return problem;
}

QByteArray PointFileText(const DataPoints& points, int mode) {
    QString text = QLatin1Char(' ') + QString::number(points.DataCount) + QStringLiteral(" \r\n");
    for (int i = 1; i <= points.DataCount; ++i) {
        text += sentXField(points, mode, i);
        text += signedField(SentY(points, mode, i), QStringLiteral(" +"), QStringLiteral(" -"));
        text += QStringLiteral("\r\n");
    }
    return text.toLatin1();
}

FileResult WritePointFile(const DataPoints& points, int mode) {
    if (const int bad = FirstUnsendablePoint(points, mode))
        return {QStringLiteral("No.%1 のデータ値を計算プログラムに渡せません").arg(bad)};
    return SaveFileBytes(QLatin1String(contract::kPointFile), PointFileText(points, mode));
}

FileResult WriteMethodFile(const EngineMethod& method) {
    QString text = FormatNumber(method.flag, u"00") + QStringLiteral("\r\n");
    if (method.library != 0) text += FormatNumber(method.library, u"00") + QStringLiteral("\r\n");
    return SaveFileBytes(QLatin1String(contract::kMethodFile), text.toLatin1());
}

std::optional<EngineTable> ParseTableText(const QByteArray& bytes) {
    static const QRegularExpression separators(QStringLiteral("[ \\t,]+"));
    static const QRegularExpression integer(QStringLiteral("^[+-]?\\d+$"));
    static const QRegularExpression real(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?$"));
    auto number = [](const QString& field, double& out) {
        if (!real.match(field).hasMatch()) return false;
        QString f = field;
        f.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
        bool ok = false;
        out = f.toDouble(&ok);
        return ok && std::isfinite(out);
    };

    QStringList lines = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines) line.remove(QLatin1Char('\r'));
    if (lines.isEmpty()) return std::nullopt;
    const QStringList head = lines[0].split(separators, Qt::SkipEmptyParts);
    if (head.isEmpty() || !integer.match(head[0]).hasMatch()) return std::nullopt;
    bool ok = false;
    const long long count = head[0].toLongLong(&ok);
    if (!ok || count < 1 || count > kTableCapacity || lines.size() < count + 1) return std::nullopt;

    EngineTable t;
    t.count = int(count);
    t.x.assign(t.count + 1, 0.0);
    t.y.assign(t.count + 1, 0.0);
    for (int i = 1; i <= t.count; ++i) {
        const QStringList fields = lines[i].split(separators, Qt::SkipEmptyParts);
        if (fields.size() != 2 || !number(fields[0], t.x[i]) || !number(fields[1], t.y[i]))
            return std::nullopt;
    }
    t.minX = t.maxX = t.x[1];
    t.minY = t.maxY = t.y[1];
    for (int i = 1; i <= t.count; ++i) {
        t.minX = std::min(t.minX, t.x[i]);
        t.maxX = std::max(t.maxX, t.x[i]);
        t.minY = std::min(t.minY, t.y[i]);
        t.maxY = std::max(t.maxY, t.y[i]);
    }
    return t;
}

std::optional<EngineTable> ReadTableFile() {
    const FileBytes file = ReadFileBytes(QLatin1String(contract::kTableFile));
    if (!file.ok()) return std::nullopt;
    return ParseTableText(file.bytes);
}

void DeleteTableFile() { QFile::remove(QLatin1String(contract::kTableFile)); }

void DeleteExchangeFiles() {
    if (ExchangeFolderInUse()) return;
    for (const char* name : {contract::kPointFile, contract::kTableFile, contract::kMethodFile})
        QFile::remove(QLatin1String(name));
}

namespace {
// The lock file held: its path and the descriptor that carries the lock (-1: none).
struct HeldLock {
    QByteArray path;
    int fd = -1;
};
HeldLock& heldLock() {
    static HeldLock lock;
    return lock;
}

QString systemText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Whether the descriptor still is the file at the path (not removed or replaced since).
bool isFileAt(int fd, const QByteArray& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool isRegularFileAt(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// What trying to take the lock on an open lock file gave.
enum class LockTry { Taken, HeldByOther, Replaced };
LockTry tryLock(int fd, const QByteArray& path) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return LockTry::HeldByOther;
    // Any other failure means the file system has no such locks (some network shares): nothing
    // can show another holder alive there, so the folder is taken as free.
    if (!isFileAt(fd, path)) return LockTry::Replaced;  // removed by its holder meanwhile
    // The holder's name, for a person who finds the file; nothing relies on it.
    const QByteArray who = QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
                           QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd, 0) == 0) (void)!::pwrite(fd, who.constData(), size_t(who.size()), 0);
    return LockTry::Taken;
}
}  // namespace

FolderClaim ClaimExchangeFolder() {
    const QByteArray path =
        QFile::encodeName(QDir::current().absoluteFilePath(QLatin1String(kFolderLockName)));
    HeldLock& held = heldLock();
    if (held.fd >= 0 && held.path == path && isFileAt(held.fd, path))
        return {FolderClaim::Held, {}};
    ReleaseExchangeFolder();
    constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    // A lock that disappears or is replaced while it is looked at is looked at again.
    for (int round = 0; round < 4; ++round) {
        int fd = ::open(path.constData(), O_RDWR | O_CREAT | kFlags, 0644);
        int error = errno;
        // Another user's lock may be readable only, which is enough to test it.
        if (fd < 0 && isRegularFileAt(path)) {
            fd = ::open(path.constData(), O_RDONLY | kFlags);
            error = errno;
        }
        struct stat st {};
        if (fd < 0 && ::lstat(path.constData(), &st) != 0) {
            if (error == ENOENT) continue;  // removed between the two opens
            if (error == EROFS || error == EACCES || error == EPERM)
                return {FolderClaim::ReadOnly, {}};
            return {FolderClaim::Failed, systemText(error)};
        }
        if (fd >= 0) {
            if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
                const LockTry got = tryLock(fd, path);
                if (got == LockTry::Taken) {
                    held = {path, fd};
                    return {FolderClaim::Held, {}};
                }
                ::close(fd);
                if (got == LockTry::HeldByOther) return {FolderClaim::InUse, {}};
                continue;
            }
            ::close(fd);
        }
        // A file nobody holds that this user cannot open, or no file at all (a directory, a
        // link, a FIFO): no Nodara can hold it, so it goes.
        if (::unlink(path.constData()) == 0 || errno == ENOENT) continue;
        error = errno;
        if (error == EISDIR && ::rmdir(path.constData()) == 0) continue;
        if (error == EISDIR) error = errno;
        if (error == EROFS) return {FolderClaim::ReadOnly, {}};
        return {FolderClaim::Stuck, systemText(error)};
    }
    return {FolderClaim::Failed, systemText(EAGAIN)};
}

bool ExchangeFolderInUse() { return ClaimExchangeFolder().kind == FolderClaim::InUse; }

void ReleaseExchangeFolder() {
    HeldLock& held = heldLock();
    if (held.fd < 0) return;
    // Removed while still locked, so that no other Nodara takes a file on its way out.
    if (isFileAt(held.fd, held.path)) ::unlink(held.path.constData());
    ::close(held.fd);
    held = {};
}

QString FolderClaimText(const FolderClaim& claim) {
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    switch (claim.kind) {
        case FolderClaim::Held:
            return {};
        case FolderClaim::InUse:
            return QStringLiteral(
                       "　このフォルダ（%1）は、別に起動している Nodara が使っています。"
                       "その Nodara を終了するまで、ここでは補間計算ができません"
                       "（補間済データの検索はできます）。　")
                .arg(folder);
        case FolderClaim::ReadOnly:
            return QStringLiteral(
                       "　このフォルダ（%1）は読み取り専用のため、ここでは補間計算ができません"
                       "（補間済データの検索はできます）。書き込みのできるフォルダで Nodara を"
                       "起動して下さい。　")
                .arg(folder);
        case FolderClaim::Stuck:
            return QStringLiteral(
                       "　このフォルダ（%1）の %2 は、使っている Nodara がないのに削除できません"
                       "（%3）。%2 を削除してから、もう一度操作して下さい。　")
                .arg(folder, QLatin1String(kFolderLockName), claim.problem);
        case FolderClaim::Failed:
            break;
    }
    return QStringLiteral(
               "　このフォルダ（%1）に %2 を作れないため、ここでは補間計算ができません"
               "（%3）。　")
        .arg(folder, QLatin1String(kFolderLockName), claim.problem);
}

QString ExchangeFolderProblem() { return FolderClaimText(ClaimExchangeFolder()); }

namespace {
QStringList& searchPath() {
    static QStringList dirs;
    return dirs;
}
}  // namespace

void SetEngineSearchPath(const QStringList& directories) { searchPath() = directories; }

QString FindEngine() {
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("Fitcore.exe");
#else
    const QString name = QStringLiteral("Fitcore");
#endif
    QStringList dirs = searchPath();
    if (dirs.isEmpty()) dirs = {QDir::currentPath(), QCoreApplication::applicationDirPath()};
    for (const QString& dir : dirs) {
        const QFileInfo candidate(QDir(dir).filePath(name));
        if (candidate.isFile() && candidate.isExecutable()) return candidate.absoluteFilePath();
    }
    return {};
}
