// Writing the files the program makes: complete or not at all, so a failed write never damages
// the file that was there before; and whether a typed name can be a file name.
#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to a temporary file beside the target and puts it in place only when all of
// it is written. False when the file cannot be created, written or put in place.
bool WriteFileSafely(const QString& path, const QByteArray& bytes);

// Whether a typed name (without directory) can be the name of a file on every platform the
// program runs on: not empty, not "." or "..", no separator, no control character and none of
// the characters that some file systems refuse (: * ? " < > |).
bool IsUsableFileName(const QString& name);
