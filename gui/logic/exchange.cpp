// The exchange files shared with the engine, and the engine's whereabouts.
#include "exchange.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <cfloat>
#include <cmath>
#include <memory>

#include "savefile.h"
#include "scalemode.h"
#include "state.h"
#include "textconv.h"

namespace {

const QString kRecordPattern = QStringLiteral("0.00000E+00");

// A sign piece followed by the magnitude in the record's exponent form; 0 takes the minus.
QString signedField(double v, const QString& plus, const QString& minus) {
    return (v > 0 ? plus : minus) + FormatNumber(v > 0 ? v : -v, kRecordPattern);
}

}  // namespace

double SentX(int i) { return IsLogX(ScaleMode) ? LogDataX[i] : DataX[i]; }
double SentY(int i) { return IsLogY(ScaleMode) ? LogDataY[i] : DataY[i]; }

void FillDataLogarithms() {
    if (ScaleMode == 1) return;
    for (int i = 1; i <= DataCount; ++i) {
        if (DataX[i] > 0) LogDataX[i] = std::log(DataX[i]);
        if (DataY[i] > 0) LogDataY[i] = std::log(DataY[i]);
    }
}

bool FitsEngineRecord(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude <= double(FLT_MAX))) return false;  // also NaN
    return FormatNumber(magnitude, kRecordPattern).size() == kRecordPattern.size();
}

int FirstUnsendablePoint() {
    for (int i = 1; i <= DataCount; ++i)
        if (!FitsEngineRecord(SentX(i)) || !FitsEngineRecord(SentY(i))) return i;
    return 0;
}

PointProblem CheckPointsForEngine() {
    PointProblem problem;
    const bool logX = IsLogX(ScaleMode), logY = IsLogY(ScaleMode);
    for (int i = 1; i <= DataCount && problem.kind == PointProblem::None; ++i)
        if ((logX && DataX[i] <= 0) || (logY && DataY[i] <= 0))
            problem = {PointProblem::NoLogarithm, i};
    if (problem.kind == PointProblem::None)
        if (const int bad = FirstUnsendablePoint()) problem = {PointProblem::OutOfRange, bad};
    if (problem.kind != PointProblem::None) QFile::remove(QLatin1String(kPointFileName));
    return problem;
}

QByteArray PointFileText() {
    QString text = QLatin1Char(' ') + QString::number(DataCount) + QStringLiteral(" \r\n");
    for (int i = 1; i <= DataCount; ++i) {
        text += signedField(SentX(i), QStringLiteral("+"), QStringLiteral("-"));
        text += signedField(SentY(i), QStringLiteral(" +"), QStringLiteral(" -"));
        text += QStringLiteral("\r\n");
    }
    return text.toLatin1();
}

FileResult WritePointFile() {
    if (const int bad = FirstUnsendablePoint())
        return {QStringLiteral("No.%1 のデータ値を計算プログラムに渡せません").arg(bad)};
    return SaveFileBytes(QLatin1String(kPointFileName), PointFileText());
}

FileResult WriteMethodFile(int flag, int libraryMethod) {
    QString text = FormatNumber(flag, u"00") + QStringLiteral("\r\n");
    if (libraryMethod != 0) text += FormatNumber(libraryMethod, u"00") + QStringLiteral("\r\n");
    return SaveFileBytes(QLatin1String(kMethodFileName), text.toLatin1());
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

void StoreTable(const EngineTable& t) {
    TableCount = t.count;
    std::copy(t.x.begin(), t.x.end(), TableX);
    std::copy(t.y.begin(), t.y.end(), TableY);
    TableMinX = t.minX;
    TableMaxX = t.maxX;
    TableMinY = t.minY;
    TableMaxY = t.maxY;
}

TableView StoredTable() { return {TableCount, TableX, TableY, TableMinX, TableMaxX}; }

void ForgetDrawnGraph() {
    DrawnGraph.reset();
    TableCount = 0;
    CurveReady = 0;
}

bool ReadTableFile() {
    const FileBytes file = ReadFileBytes(QLatin1String(kTableFileName));
    std::optional<EngineTable> table;
    if (file.ok()) table = ParseTableText(file.bytes);
    if (!table) return false;
    StoreTable(*table);
    return true;
}

void DeleteTableFile() { QFile::remove(QLatin1String(kTableFileName)); }

void DeleteExchangeFiles() {
    if (ExchangeFolderInUse()) return;
    for (const char* name : {kPointFileName, kTableFileName, kMethodFileName})
        QFile::remove(QLatin1String(name));
}

namespace {
std::unique_ptr<QLockFile>& folderLock() {
    static std::unique_ptr<QLockFile> lock;
    return lock;
}
}  // namespace

FolderClaim ClaimExchangeFolder() {
    const QString path = QDir::current().absoluteFilePath(QLatin1String(kFolderLockName));
    std::unique_ptr<QLockFile>& lock = folderLock();
    if (lock && lock->fileName() == path && lock->isLocked()) return FolderClaim::Held;
    lock = std::make_unique<QLockFile>(path);
    // The lock is held for the whole run, so its age says nothing: only a holder that no
    // longer runs makes it stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) return FolderClaim::Held;
    return lock->error() == QLockFile::LockFailedError ? FolderClaim::InUse
                                                       : FolderClaim::Unavailable;
}

bool ExchangeFolderInUse() { return ClaimExchangeFolder() == FolderClaim::InUse; }

void ReleaseExchangeFolder() { folderLock().reset(); }

QString FolderInUseText() {
    return QStringLiteral(
               "　このフォルダ（%1）は、別に起動している Nodara が使っています。"
               "その Nodara を終了するまで、ここでは補間計算ができません"
               "（補間済データの検索はできます）。　")
        .arg(QDir::toNativeSeparators(QDir::currentPath()));
}

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
