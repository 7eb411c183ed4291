// Tab-separated tables for the clipboard.
#include "tabtext.h"

#include <QRegularExpression>

#include "textconv.h"

QString TableTabText(int count, const double x[], const double y[]) {
    QString text;
    text.reserve(count * 26);
    for (int i = 1; i <= count; ++i)
        text += FormatNumber(x[i], u"0.00000E+00") + QLatin1Char('\t') +
                FormatNumber(y[i], u"0.00000E+00") + QLatin1Char('\n');
    return text;
}

QString LinesTabText(const QStringList& lines) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString text;
    for (const QString& line : lines)
        text += line.split(blanks, Qt::SkipEmptyParts).join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}
