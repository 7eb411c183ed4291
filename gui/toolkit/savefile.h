// Writing a whole file so that a failed write never destroys the file that was there before.
#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to a temporary file beside `path` and renames it over `path` only when all
// of them are written. False (and the old file untouched) when the file cannot be written.
bool SaveFileBytes(const QString& path, const QByteArray& bytes);
