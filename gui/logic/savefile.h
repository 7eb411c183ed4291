// Whole-file writes and reads of the windowed program. A write replaces its file completely or
// not at all, only after every byte has reached the disk, and never writes through a symbolic
// link; a read takes only a regular file of a size a real file can have, and never blocks. Both
// say in words why they failed. Also whether a typed name can be a file name.
#pragma once

#include <QByteArray>
#include <QString>

// What a whole-file write or read gave: an empty `problem` when it succeeded, otherwise the
// reason in words, for a message that also names the file.
struct FileResult {
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

// Writes the bytes to a scratch file beside `path`, flushes it to the disk and renames it over
// `path` only when all of that succeeded; on any failure the scratch file is removed and the old
// file is left as it was. A `path` that is a symbolic link, a directory or anything but a regular
// file is refused, as is an existing file without write permission. A new file gets the usual
// permissions (0666 less the umask), a replaced one keeps its own.
FileResult SaveFileBytes(const QString& path, const QByteArray& bytes);

// Files larger than this are no data the program could have written or could use.
inline constexpr qint64 kReadLimit = 16 * 1024 * 1024;

struct FileBytes {
    QString problem;
    bool refused =
        false;  // a file that opened but is none the program reads (not regular, too large)
    QByteArray bytes;
    bool ok() const { return problem.isEmpty(); }
};
// The whole contents of a regular file (a symbolic link to one is followed) of at most
// kReadLimit bytes. A FIFO, a device or a directory is refused without waiting for it.
FileBytes ReadFileBytes(const QString& path);

// Whether a typed name (without directory) can be the name of a file on every platform the
// program runs on: not empty, not "." or "..", no separator, no control character and none of
// the characters that some file systems refuse (: * ? " < > |).
bool IsUsableFileName(const QString& name);
