// File names and dates as the windows compose them: a directory joined with a name, and
// today's date in the program's file-name form.
#pragma once

#include <QString>

// Joins a directory and a file name with the platform's separator; the root of a drive or file
// system is never doubled ("/" + "run1" is "/run1").
//
// Any directory that already ends with a separator (a root such as "/" or "C:\", or a path
// typed with a trailing separator) is joined without another one. An empty directory gives the
// name alone, relative to the current directory. The result uses the platform's separators
// throughout ("C:/data" + "run1" is "C:\data\run1" on Windows).
QString JoinPath(const QString& directory, const QString& name);

// Today's date as "MM-dd-yyyy".
QString TodayText();
