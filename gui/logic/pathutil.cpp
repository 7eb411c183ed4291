// Joining directories and file names, and today's date as text.
#include "pathutil.h"

#include <QDate>
#include <QDir>

QString JoinPath(const QString& directory, const QString& name) {
    if (directory.isEmpty()) return name;
    // Qt hands out "/" as separator on every platform; a native one may come from typed text.
    const bool endsWithSeparator =
        directory.endsWith(u'/') || directory.endsWith(QDir::separator());
    const QString joined = endsWithSeparator ? directory + name : directory + u'/' + name;
    return QDir::toNativeSeparators(joined);
}

QString TodayText() { return QDate::currentDate().toString(u"MM-dd-yyyy"); }
