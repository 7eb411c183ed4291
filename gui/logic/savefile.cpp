// Whole-file writes and reads on the POSIX file interface, which gives the exact reason of a
// failure (the write that hit a full disk, a FIFO opened without waiting for a writer), and the
// check of typed file names.
#include "savefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace {

enum class Access { Read, Write };

constexpr qsizetype kScratchNameBytes = 200;

QString reasonOf(int error, Access access) {
    switch (error) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return QStringLiteral("ディスクの空き容量が足りません");
        case EFBIG:
            return QStringLiteral("ファイルが大きすぎます");
        case EACCES:
        case EPERM:
            return access == Access::Write ? QStringLiteral("書き込みの権限がありません")
                                           : QStringLiteral("読み込みの権限がありません");
        case EROFS:
            return QStringLiteral("読み取り専用の場所です");
        case EISDIR:
            return QStringLiteral("同じ名前のフォルダがあります");
        case ENOENT:
            return access == Access::Write ? QStringLiteral("フォルダがありません")
                                           : QStringLiteral("ファイルがありません");
        case ENOTDIR:
            return QStringLiteral("フォルダがありません");
        case ENAMETOOLONG:
            return QStringLiteral("名前が長すぎます");
        default:
            return QString::fromLocal8Bit(std::strerror(error));
    }
}

const QString kSymbolicLink =
    QStringLiteral("シンボリックリンクです（リンク先には書き込みません）");
const QString kNotRegular = QStringLiteral("通常のファイルではありません");

QString tooLarge() {
    return QStringLiteral("ファイルが大きすぎます（上限 %1 MB）").arg(kReadLimit / (1024 * 1024));
}

// The permissions a new file gets: 0666 less the process's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

}  // namespace

FileResult SaveFileBytes(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    struct stat old {};
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (exists) {
        if (S_ISLNK(old.st_mode)) return {kSymbolicLink};
        if (S_ISDIR(old.st_mode)) return {reasonOf(EISDIR, Access::Write)};
        if (!S_ISREG(old.st_mode)) return {kNotRegular};
        if (::access(target.constData(), W_OK) != 0) return {reasonOf(errno, Access::Write)};
    }

    // The scratch file is hidden and matches no file list's pattern while it exists. It bears at
    // most the first 200 bytes of the name (cut between characters), so that any name the file
    // system takes has a scratch name it takes too.
    QByteArray name = QFile::encodeName(info.fileName());
    if (name.size() > kScratchNameBytes) {
        qsizetype cut = kScratchNameBytes;
        while (cut > 0 && (uchar(name[cut]) & 0xC0) == 0x80) --cut;  // a UTF-8 continuation
        name.truncate(cut);
    }
    QByteArray scratch = QFile::encodeName(info.absolutePath()) + "/." + name + ".XXXXXX";
    const int fd = ::mkstemp(scratch.data());
    if (fd < 0) return {reasonOf(errno, Access::Write)};
    const mode_t mode = exists ? mode_t(old.st_mode & 07777) : newFileMode();
    // fsync reports what a write left pending on its way to the disk (a full disk on some file
    // systems), so every step is checked, and the first failure ends the write.
    const bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes.constData(), bytes.size()) &&
                         ::fsync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(scratch.constData(), target.constData()) != 0) error = errno;
    if (error == 0) return {};
    ::unlink(scratch.constData());
    return {reasonOf(error, Access::Write)};
}

FileBytes ReadFileBytes(const QString& path) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {reasonOf(errno, Access::Read), false, {}};
    FileBytes result;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.problem = reasonOf(errno, Access::Read);
    } else if (!S_ISREG(st.st_mode)) {
        result.problem = kNotRegular;
        result.refused = true;
    } else if (st.st_size > kReadLimit) {
        result.problem = tooLarge();
        result.refused = true;
    } else {
        // The file may still grow while it is read: never more than the limit.
        result.bytes.resize(qsizetype(st.st_size) + 1);
        qsizetype got = 0;
        for (;;) {
            if (got == result.bytes.size()) {
                if (got > kReadLimit) break;
                result.bytes.resize(qMin(got * 2, kReadLimit + 1));
            }
            const ssize_t n =
                ::read(fd, result.bytes.data() + got, size_t(result.bytes.size() - got));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                result.problem = reasonOf(errno, Access::Read);
                break;
            }
            if (n == 0) break;
            got += n;
        }
        result.bytes.truncate(got);
        if (result.ok() && got > kReadLimit) {
            result.problem = tooLarge();
            result.refused = true;
        }
    }
    ::close(fd);
    if (!result.ok()) result.bytes.clear();
    return result;
}

bool IsUsableFileName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
        if (QStringView(u"/\\:*?\"<>|").contains(c)) return false;
    }
    return true;
}
