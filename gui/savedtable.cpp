// Composing and reading the saved interpolated-data file.
#include "savedtable.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "pathutil.h"
#include "scalemode.h"
#include "state.h"
#include "textconv.h"

namespace {

QString numberLine(int n) { return QStringLiteral(" %1 \r\n").arg(n); }

QString signedValue(double v) {
    return QLatin1Char(v > 0 ? '+' : '-') + FormatNumber(std::fabs(v), u"0.00000E+00");
}

QString pairLine(double x, double y) {
    return signedValue(x) + QStringLiteral(",  ") + signedValue(y) + QStringLiteral("\r\n");
}

bool readCount(const QString& line, int limit, int& out) {
    static const QRegularExpression integer(QStringLiteral("^\\s*\\+?(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch m = integer.match(line);
    if (!m.hasMatch()) return false;
    out = m.captured(1).toInt();
    return out >= 1 && out <= limit;
}

bool readPair(const QString& line, double& x, double& y) {
    static const QRegularExpression pair(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*,"
                       "\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*$"));
    const QRegularExpressionMatch m = pair.match(line);
    if (!m.hasMatch()) return false;
    x = m.captured(1).toDouble();
    y = m.captured(2).toDouble();
    return std::isfinite(x) && std::isfinite(y);
}

}  // namespace

QString SavedTableFileName(const QString& directory, const QString& name, int methodFlag) {
    return JoinPath(directory, name + (methodFlag == 0 ? QStringLiteral("-Sp.csv")
                                                       : QStringLiteral("-BSp.csv")));
}

void FillPlainTable() {
    for (int i = 1; i <= TableCount; ++i) {
        PlainTableX[i] = IsLogX(ScaleMode) ? std::exp(TableX[i]) : TableX[i];
        PlainTableY[i] = IsLogY(ScaleMode) ? std::exp(TableY[i]) : TableY[i];
    }
}

QByteArray SavedTableText(const QStringList& axisTexts) {
    QString text = numberLine(ScaleMode);
    for (int k = 0; k < 6; ++k) text += axisTexts.value(k) + QStringLiteral("\r\n");
    text += numberLine(TableCount);
    for (int i = 1; i <= TableCount; ++i) text += pairLine(PlainTableX[i], PlainTableY[i]);
    text += numberLine(DataCount);
    for (int i = 1; i <= DataCount; ++i) text += pairLine(DataX[i], DataY[i]);
    return text.toUtf8();
}

SavedTableStatus ParseSavedTable(const QByteArray& bytes, SavedTable& t) {
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines)
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    // A final line end leaves one empty piece behind; blank lines after the data are no fault.
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();

    int at = 0;  // index of the next line
    auto fault = [&](SavedTableFault f) { return SavedTableStatus{f, at + 1}; };
    auto haveLine = [&] { return at < lines.size(); };

    if (!haveLine()) return fault(SavedTableFault::CutShort);
    if (!readCount(lines[at], 4, t.mode)) return fault(SavedTableFault::BadMode);
    ++at;
    double* const numbers[6] = {&t.xStart, &t.xEnd, &t.xStep, &t.yStart, &t.yEnd, &t.yStep};
    for (int k = 1; k <= 6; ++k, ++at) {
        if (!haveLine()) return fault(SavedTableFault::CutShort);
        t.axisText[k] = lines[at];
        *numbers[k - 1] = ParseNumber(lines[at]);
    }
    if (t.xStart >= t.xEnd || t.yStart >= t.yEnd || !std::isfinite(t.xEnd - t.xStart) ||
        !std::isfinite(t.yEnd - t.yStart))
        return SavedTableStatus{SavedTableFault::BadAxisRange, 2};
    if ((IsLogX(t.mode) && t.xStart <= 0) || (IsLogY(t.mode) && t.yStart <= 0))
        return SavedTableStatus{SavedTableFault::NotPositive,
                                IsLogX(t.mode) && t.xStart <= 0 ? 2 : 5};
    if (!(t.xStep > 0)) t.xStep = t.xEnd - t.xStart;
    if (!(t.yStep > 0)) t.yStep = t.yEnd - t.yStart;

    // The table's rows, then the data points: a count line and as many pairs.
    auto readRows = [&](int limit, int& count, std::vector<double>& x, std::vector<double>& y) {
        if (!haveLine()) return fault(SavedTableFault::CutShort);
        if (!readCount(lines[at], limit, count)) return fault(SavedTableFault::BadCount);
        ++at;
        x.assign(count + 1, 0.0);
        y.assign(count + 1, 0.0);
        for (int i = 1; i <= count; ++i, ++at) {
            if (!haveLine()) return fault(SavedTableFault::CutShort);
            if (!readPair(lines[at], x[i], y[i])) return fault(SavedTableFault::BadPair);
            if ((IsLogX(t.mode) && x[i] <= 0) || (IsLogY(t.mode) && y[i] <= 0))
                return fault(SavedTableFault::NotPositive);
        }
        return SavedTableStatus{};
    };
    if (SavedTableStatus s = readRows(kTableCapacity, t.tableCount, t.plainX, t.plainY); !s.ok())
        return s;
    if (SavedTableStatus s = readRows(kDataLimit, t.dataCount, t.dataX, t.dataY); !s.ok()) return s;
    if (haveLine()) return fault(SavedTableFault::TrailingContent);
    return {};
}

QString SavedTableFaultText(const SavedTableStatus& s) {
    switch (s.fault) {
        case SavedTableFault::None:
            return {};
        case SavedTableFault::Unreadable:
            return QStringLiteral("ファイルを開けません");
        case SavedTableFault::BadMode:
            return QStringLiteral("1 行目がスケールモード (1～4) ではありません");
        case SavedTableFault::CutShort:
            return QStringLiteral("%1 行目の前でファイルが終わっています").arg(s.line);
        case SavedTableFault::BadCount:
            return QStringLiteral("%1 行目の行数が正しくないか、上限を超えています").arg(s.line);
        case SavedTableFault::BadPair:
            return QStringLiteral("%1 行目がカンマで区切った 2 つの数値ではありません").arg(s.line);
        case SavedTableFault::NotPositive:
            return QStringLiteral("%1 行目に対数軸上で 0 以下の値があります").arg(s.line);
        case SavedTableFault::BadAxisRange:
            return QStringLiteral("軸の設定 (2～7 行目) の終了値が開始値以下です");
        case SavedTableFault::TrailingContent:
            return QStringLiteral("%1 行目以降に余分な内容があります").arg(s.line);
    }
    return {};
}

void CommitSavedTable(const SavedTable& t, const QString& path) {
    ScaleMode = t.mode;
    for (int k = 1; k <= 6; ++k) SavedAxisText[k] = t.axisText[k];
    XStart = t.xStart, XEnd = t.xEnd, XStep = t.xStep;
    YStart = t.yStart, YEnd = t.yEnd, YStep = t.yStep;

    auto exchangeX = [&](double v) { return IsLogX(t.mode) ? std::log(v) : v; };
    auto exchangeY = [&](double v) { return IsLogY(t.mode) ? std::log(v) : v; };
    TableCount = t.tableCount;
    for (int i = 1; i <= TableCount; ++i) {
        PlainTableX[i] = t.plainX[i];
        PlainTableY[i] = t.plainY[i];
        TableX[i] = exchangeX(t.plainX[i]);
        TableY[i] = exchangeY(t.plainY[i]);
    }
    TableMinX = *std::min_element(TableX + 1, TableX + TableCount + 1);
    TableMaxX = *std::max_element(TableX + 1, TableX + TableCount + 1);
    TableMinY = *std::min_element(TableY + 1, TableY + TableCount + 1);
    TableMaxY = *std::max_element(TableY + 1, TableY + TableCount + 1);

    DataCount = t.dataCount;
    for (int i = 1; i <= DataCount; ++i) {
        DataX[i] = t.dataX[i];
        DataY[i] = t.dataY[i];
        LogDataX[i] = exchangeX(t.dataX[i]);
        LogDataY[i] = exchangeY(t.dataY[i]);
    }
    FilePath = path;
}
