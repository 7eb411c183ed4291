// Dates as the program writes them into file names, composed here independently of it.
#pragma once

#include <QDate>
#include <QString>

// "MM-dd-yyyy".
inline QString monthDayYear(QDate d) {
    return QStringLiteral("%1-%2-%3")
        .arg(d.month(), 2, 10, QChar(u'0'))
        .arg(d.day(), 2, 10, QChar(u'0'))
        .arg(d.year(), 4, 10, QChar(u'0'));
}
