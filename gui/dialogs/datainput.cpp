// Data extremes' display, data line reading and the ordering of the data points by X.
#include "datainput.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <utility>

#include "state.h"
#include "textconv.h"

QString FormatRangeValue(double v) {
    if ((v == 0 || std::fabs(v) >= 0.1) && -1000 <= v && v <= 1000)
        return FormatNumber(v, u"###0.0##");
    return FormatNumber(v, u"0.000E+00");
}

namespace {
bool readNumber(const QString& field, double& out) {
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (!number.match(field).hasMatch()) return false;
    bool ok = false;
    out = field.toDouble(&ok);
    return ok && std::isfinite(out);
}
}  // namespace

bool ParseDataLine(const QString& line, double& x, double& y) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QString trimmed = line.trimmed();
    QStringList fields;
    if (trimmed.contains(QLatin1Char(','))) {
        fields = trimmed.split(QLatin1Char(','));
        for (QString& f : fields) f = f.trimmed();
    } else {
        fields = trimmed.split(blanks, Qt::SkipEmptyParts);
    }
    return fields.size() == 2 && readNumber(fields[0], x) && readNumber(fields[1], y);
}

void SortDataByX() {
    const int n = DataCount;
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (DataX[i] > DataX[j]) {
                std::swap(DataX[i], DataX[j]);
                std::swap(DataY[i], DataY[j]);
            }
    for (int i = 1; i <= n - 2; ++i)
        if (DataX[i + 1] == DataX[i]) DataX[i + 1] += 0.01 * (DataX[i + 2] - DataX[i + 1]);
    // The last pair moves back towards the point before it (element 0, which holds 0, when
    // there are only two points).
    if (n >= 2 && DataX[n] == DataX[n - 1]) DataX[n - 1] -= 0.01 * (DataX[n - 1] - DataX[n - 2]);
}
