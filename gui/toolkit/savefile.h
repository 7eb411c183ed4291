// Writing a whole file so that a failed write never destroys the file that was there before,
// and whether a typed name can be a file name.
#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to a temporary file beside `path` and renames it over `path` only when all
// of them are written. False (and the old file untouched) when the file cannot be written.
bool SaveFileBytes(const QString& path, const QByteArray& bytes);

// Whether a typed name (without directory) can be the name of a file on every platform the
// program runs on: not empty, not "." or "..", no separator, no control character and none of
// the characters that some file systems refuse (: * ? " < > |).
bool IsUsableFileName(const QString& name);
