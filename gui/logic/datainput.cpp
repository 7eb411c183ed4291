// Data input: data files, the extremes of the points and their ordering by X.
#include "datainput.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <utility>

#include "datanumber.h"
#include "savefile.h"
#include "state.h"
#include "textconv.h"

QString FormatRangeValue(double v) {
    if ((v == 0 || std::fabs(v) >= 0.1) && -1000 <= v && v <= 1000)
        return FormatNumber(v, u"###0.0##");
    return FormatNumber(v, u"0.000E+00");
}

QStringList DataExtremeTexts(const DataPoints& p) {
    return {FormatRangeValue(p.DataMinX), FormatRangeValue(p.DataMaxX),
            FormatRangeValue(p.DataMinY), FormatRangeValue(p.DataMaxY)};
}

namespace {
// The shortest text of v when it reads back as v, else one of 17 significant digits, which does.
QString exactText(double v) {
    const QString text = GeneralNumberText(v);
    return ParseNumber(text) == v ? text : QString::number(v, 'g', 17);
}

// Start and end texts of an axis over [low, high]; a single value is widened, but never beyond
// the doubles' range.
void appendAxisRange(QStringList& texts, double low, double high) {
    if (!(low < high)) {
        const double v = low;
        const double d = std::fabs(v) / 10 > 0 ? std::fabs(v) / 10 : 1.0;
        low = std::isfinite(v - d) ? v - d : v;
        high = std::isfinite(v + d) ? v + d : v;
    }
    texts << exactText(low) << exactText(high);
}
}  // namespace

QStringList DefaultAxisTexts(const DataPoints& p) {
    QStringList texts;
    appendAxisRange(texts, p.DataMinX, p.DataMaxX);
    appendAxisRange(texts, p.DataMinY, p.DataMaxY);
    return texts;
}

namespace {
// A field is read as a typed number is: a value beyond the doubles' range is no point either.
bool readNumber(const QString& field, double& out) {
    return ReadTypedNumber(field, out) == TypedNumber::Number;
}
}  // namespace

bool ParseDataLine(const QString& line, double& x, double& y, QStringList* texts) {
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QString trimmed = AsciiNumberText(line).trimmed();
    QStringList fields;
    if (trimmed.contains(QLatin1Char(','))) {
        fields = trimmed.split(QLatin1Char(','));
        for (QString& f : fields) f = f.trimmed();
    } else {
        fields = trimmed.split(blanks, Qt::SkipEmptyParts);
    }
    if (fields.size() != 2 || !readNumber(fields[0], x) || !readNumber(fields[1], y)) return false;
    if (texts) *texts = fields;
    return true;
}

QStringList FirstLines(const QByteArray& text, int limit) {
    QStringList lines;
    qsizetype at = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < text.size() && lines.size() < limit) {
        qsizetype end = text.indexOf('\n', at);
        if (end < 0) end = text.size();
        qsizetype cut = end;
        if (cut > at && text[cut - 1] == '\r') --cut;
        lines.append(QString::fromUtf8(text.constData() + at, cut - at));
        at = end + 1;
    }
    return lines;
}

DataFileLoad ReadDataFile(const QString& path) {
    DataFileLoad load;
    const FileBytes file = ReadFileBytes(path);
    if (!file.ok()) {
        load.status = file.refused ? DataFileLoad::Refused : DataFileLoad::CannotOpen;
        load.problem = file.problem;
        return load;
    }
    load.lines = FirstLines(file.bytes, std::numeric_limits<int>::max());
    for (qsizetype i = kDataLimit; i < load.lines.size(); ++i)
        if (!load.lines[i].trimmed().isEmpty()) ++load.unread;
    if (load.lines.size() > kDataLimit) load.lines.resize(kDataLimit);
    if (load.lines.isEmpty()) {  // nothing to interpolate
        load.status = DataFileLoad::Empty;
        return load;
    }
    for (int i = 1; i <= load.lines.size(); ++i) {
        double x = 0, y = 0;
        if (!ParseDataLine(load.lines[i - 1], x, y)) {
            load.status = DataFileLoad::BadLine;
            load.badLine = i;
            return load;
        }
    }
    load.status = DataFileLoad::Loaded;
    return load;
}

DataFileLoad LoadDataFile(const QString& path, DataPoints& p) {
    p = DataPoints{};
    const DataFileLoad load = ReadDataFile(path);
    p.DataCount = int(load.lines.size());
    const int good = load.badLine > 0 ? load.badLine - 1 : p.DataCount;
    for (int i = 1; i <= good; ++i) ParseDataLine(load.lines[i - 1], p.DataX[i], p.DataY[i]);
    if (load.status == DataFileLoad::Loaded) {
        ComputeDataExtremes(p);
        OrderDataByX(p);
    }
    return load;
}

void ComputeDataExtremes(DataPoints& p) {
    if (p.DataCount < 1) return;
    p.DataMinX = p.DataMaxX = p.DataX[1];
    p.DataMinY = p.DataMaxY = p.DataY[1];
    for (int i = 2; i <= p.DataCount; ++i) {
        if (p.DataX[i] > p.DataMaxX) p.DataMaxX = p.DataX[i];
        if (p.DataX[i] < p.DataMinX) p.DataMinX = p.DataX[i];
        if (p.DataY[i] > p.DataMaxY) p.DataMaxY = p.DataY[i];
        if (p.DataY[i] < p.DataMinY) p.DataMinY = p.DataY[i];
    }
}

void OrderDataByX(DataPoints& p) {
    for (int i = 1; i < p.DataCount; ++i)
        if (p.DataX[i + 1] <= p.DataX[i]) {
            SortDataByX(p);
            return;
        }
}

namespace {
// One hundredth of the way from `from` to `to`. The difference of two finite values near the
// ends of the double range overflows; then each is scaled first, which keeps the step finite.
double hundredthOfTheWay(double from, double to) {
    const double step = 0.01 * (to - from);
    return std::isfinite(step) ? step : 0.01 * to - 0.01 * from;
}
}  // namespace

void SortDataByX(DataPoints& p) {
    const int n = p.DataCount;
    double* DataX = p.DataX;
    double* DataY = p.DataY;
    for (int i = 1; i <= n - 1; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (DataX[i] > DataX[j]) {
                std::swap(DataX[i], DataX[j]);
                std::swap(DataY[i], DataY[j]);
            }
    for (int i = 1; i <= n - 2; ++i)
        if (DataX[i + 1] == DataX[i]) DataX[i + 1] += hundredthOfTheWay(DataX[i + 1], DataX[i + 2]);
    // The last pair moves back towards the point before it. With only two points there is none
    // (element 0 holds 0): the first moves 1 % of its size down, which for a positive pair is
    // the step towards 0 and keeps a negative pair in order.
    if (n > 2 && DataX[n] == DataX[n - 1])
        DataX[n - 1] += hundredthOfTheWay(DataX[n - 1], DataX[n - 2]);
    else if (n == 2 && DataX[2] == DataX[1])
        DataX[1] -= 0.01 * std::fabs(DataX[1]);
}
