// Composing and reading the saved interpolated-data file.
#include "savedtable.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "datanumber.h"
#include "graphsettings.h"
#include "pathutil.h"
#include "scalemode.h"
#include "textconv.h"

namespace {

QString numberLine(int n) { return QStringLiteral(" %1 \r\n").arg(n); }

QString signedValue(double v) {
    return QLatin1Char(v > 0 ? '+' : '-') + FormatNumber(std::fabs(v), u"0.00000E+00");
}

QString pairLine(double x, double y) {
    return signedValue(x) + QStringLiteral(",  ") + signedValue(y) + QStringLiteral("\r\n");
}

bool readCount(const QString& line, int least, int limit, int& out) {
    static const QRegularExpression integer(QStringLiteral("^\\s*\\+?(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch m = integer.match(line);
    if (!m.hasMatch()) return false;
    out = m.captured(1).toInt();
    return out >= least && out <= limit;
}

// Without the blanks (as a regular expression's \s: space, tab, line ends, VT, FF) around it.
QStringView trimBlanks(QStringView text) {
    auto blank = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
    while (!text.isEmpty() && blank(text.front())) text = text.mid(1);
    while (!text.isEmpty() && blank(text.back())) text.chop(1);
    return text;
}

// Two data numbers separated by a comma, with blanks around either; both finite.
bool readPair(QStringView line, double& x, double& y) {
    const qsizetype comma = line.indexOf(u',');
    if (comma < 0) return false;
    return ReadDataNumber(trimBlanks(line.left(comma)), x) && std::isfinite(x) &&
           ReadDataNumber(trimBlanks(line.mid(comma + 1)), y) && std::isfinite(y);
}

}  // namespace

QString SavedTableFileName(const QString& directory, const QString& name, int methodFlag,
                           int libraryMethod) {
    QString suffix = methodFlag == 0 ? QStringLiteral("-Sp.csv") : QStringLiteral("-BSp.csv");
    switch (libraryMethod) {
        case contract::kAkimaMethod:
            suffix = QStringLiteral("-AkSp.csv");
            break;
        case contract::kShapePreservingMethod:
            suffix = QStringLiteral("-ShSp.csv");
            break;
        case contract::kSmoothingMethod:
            suffix = QStringLiteral("-SmSp.csv");
            break;
        case contract::kMonotoneMethod:
            suffix = QStringLiteral("-MoSp.csv");
            break;
    }
    return JoinPath(directory, name + suffix);
}

SavedTable ResultToSave(const ComputedTable& computed) {
    const GraphSettings& g = computed.graph;
    const EngineTable& rows = computed.rows;
    const DataPoints& points = computed.points;
    SavedTable t;
    t.mode = g.mode;
    for (int k = 1; k <= 6; ++k) t.axisText[k] = g.axisTexts.value(k - 1);
    t.xStart = g.xStart, t.xEnd = g.xEnd, t.xStep = g.xStep;
    t.yStart = g.yStart, t.yEnd = g.yEnd, t.yStep = g.yStep;
    t.tableCount = rows.count;
    t.plainX.assign(rows.count + 1, 0.0);
    t.plainY.assign(rows.count + 1, 0.0);
    for (int i = 1; i <= rows.count; ++i) {
        t.plainX[i] = IsLogX(g.mode) ? std::exp(rows.x[i]) : rows.x[i];
        t.plainY[i] = IsLogY(g.mode) ? std::exp(rows.y[i]) : rows.y[i];
    }
    t.dataCount = points.DataCount;
    t.dataX.assign(points.DataX, points.DataX + points.DataCount + 1);
    t.dataY.assign(points.DataY, points.DataY + points.DataCount + 1);
    return t;
}

QByteArray SavedTableText(const SavedTable& t) {
    QString text = numberLine(t.mode);
    for (int k = 1; k <= 6; ++k) text += t.axisText[k] + QStringLiteral("\r\n");
    text += numberLine(t.tableCount);
    for (int i = 1; i <= t.tableCount; ++i) text += pairLine(t.plainX[i], t.plainY[i]);
    text += numberLine(t.dataCount);
    for (int i = 1; i <= t.dataCount; ++i) text += pairLine(t.dataX[i], t.dataY[i]);
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

    if (!haveLine()) return fault(SavedTableFault::Empty);
    if (!readCount(lines[at], 1, 4, t.mode)) return fault(SavedTableFault::BadMode);
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

    // The table's rows, then the data points: a count line and as many pairs. The table's X may
    // repeat (six digits cannot tell rows of a narrow interval apart) but never go down, or its
    // read-out could not find the mouse.
    enum class Rows { Table, Points };
    auto readRows = [&](Rows kind, int& count, std::vector<double>& x, std::vector<double>& y) {
        const bool table = kind == Rows::Table;
        if (!haveLine()) return fault(SavedTableFault::CutShort);
        if (!readCount(lines[at], table ? 0 : 1, table ? kTableCapacity : kDataLimit, count))
            return fault(SavedTableFault::BadCount);
        if (count == 0) return fault(SavedTableFault::NoRows);
        ++at;
        x.assign(count + 1, 0.0);
        y.assign(count + 1, 0.0);
        for (int i = 1; i <= count; ++i, ++at) {
            if (!haveLine()) return fault(SavedTableFault::CutShort);
            if (!readPair(lines[at], x[i], y[i])) return fault(SavedTableFault::BadPair);
            if ((IsLogX(t.mode) && x[i] <= 0) || (IsLogY(t.mode) && y[i] <= 0))
                return fault(SavedTableFault::NotPositive);
            if (table && i > 1 && x[i] < x[i - 1]) return fault(SavedTableFault::Descending);
        }
        return SavedTableStatus{};
    };
    if (SavedTableStatus s = readRows(Rows::Table, t.tableCount, t.plainX, t.plainY); !s.ok())
        return s;
    if (SavedTableStatus s = readRows(Rows::Points, t.dataCount, t.dataX, t.dataY); !s.ok())
        return s;
    if (haveLine()) return fault(SavedTableFault::TrailingContent);
    return {};
}

QString SavedTableFaultText(const SavedTableStatus& s) {
    switch (s.fault) {
        case SavedTableFault::None:
            return {};
        case SavedTableFault::Unreadable:
            return QStringLiteral("ファイルを開けません");
        case SavedTableFault::Empty:
            return QStringLiteral("ファイルが空です");
        case SavedTableFault::BadMode:
            return QStringLiteral("1 行目がスケールモード (1～4) ではありません");
        case SavedTableFault::CutShort:
            return QStringLiteral("%1 行目の前でファイルが終わっています").arg(s.line);
        case SavedTableFault::BadCount:
            return QStringLiteral("%1 行目の行数が正しくないか、上限を超えています").arg(s.line);
        case SavedTableFault::NoRows:
            return QStringLiteral("%1 行目で補間データの行数が 0 です").arg(s.line);
        case SavedTableFault::Descending:
            return QStringLiteral(
                       "%1 行目の X が前の行より小さくなっています"
                       "（補間データの X は小さい順でなければなりません）")
                .arg(s.line);
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

GraphSettings SavedGraphSettings(const SavedTable& t) {
    const double values[6] = {t.xStart, t.xEnd, t.xStep, t.yStart, t.yEnd, t.yStep};
    GraphSettings s = GraphFrom(t.mode, values, QStringList(t.axisText + 1, t.axisText + 7));
    s.mode1XDecimalBound = 100;
    return s;
}

ViewedTable ViewSavedTable(const SavedTable& t, const QString& path) {
    ViewedTable v;
    v.path = path;
    v.file = t;
    v.graph = SavedGraphSettings(t);
    auto exchangeX = [&](double x) { return IsLogX(t.mode) ? std::log(x) : x; };
    auto exchangeY = [&](double y) { return IsLogY(t.mode) ? std::log(y) : y; };
    EngineTable& rows = v.rows;
    rows.count = t.tableCount;
    rows.x.assign(t.tableCount + 1, 0.0);
    rows.y.assign(t.tableCount + 1, 0.0);
    for (int i = 1; i <= t.tableCount; ++i) {
        rows.x[i] = exchangeX(t.plainX[i]);
        rows.y[i] = exchangeY(t.plainY[i]);
    }
    rows.minX = *std::min_element(rows.x.begin() + 1, rows.x.end());
    rows.maxX = *std::max_element(rows.x.begin() + 1, rows.x.end());
    rows.minY = *std::min_element(rows.y.begin() + 1, rows.y.end());
    rows.maxY = *std::max_element(rows.y.begin() + 1, rows.y.end());
    v.pointX.assign(t.dataCount + 1, 0.0);
    v.pointY.assign(t.dataCount + 1, 0.0);
    for (int i = 1; i <= t.dataCount; ++i) {
        v.pointX[i] = exchangeX(t.dataX[i]);
        v.pointY[i] = exchangeY(t.dataY[i]);
    }
    return v;
}
