// Hand entry: typed and pasted points, corrections and the list lines.
#include "handentry.h"

#include <QRegularExpression>
#include <cmath>
#include <tuple>

#include "datainput.h"
#include "datanumber.h"
#include "state.h"
#include "textconv.h"

namespace {
// Stores a point as number EntryNo, the next free one, and moves on.
void storePoint(HandEntry& entry, double x, double y) {
    const int k = entry.EntryNo < 1 ? 1 : entry.EntryNo;
    entry.points.DataX[k] = x;
    entry.points.DataY[k] = y;
    entry.points.DataCount = k;
    entry.EntryNo = k + 1;
    ComputeDataExtremes(entry.points);
}

// A typed text that is wholly a number is listed as typed; anything else as what was stored.
QString shownText(const QString& typed, double stored) {
    double value = 0;
    return ReadDataNumber(typed, value) ? typed : GeneralNumberText(stored);
}

// The message on a typed text that is no number for the box `box`; empty for a number.
QString refusalOf(const QString& box, TypedNumber read) {
    switch (read) {
        case TypedNumber::Number:
            return {};
        case TypedNumber::OutOfRange:
            return QStringLiteral("　%1 の入力値が不正です（絶対値が大きすぎるか小さすぎます）！　")
                .arg(box);
        case TypedNumber::Empty:
        case TypedNumber::NotANumber:
            break;
    }
    return QStringLiteral("　%1 の入力値が不正です（数値ではありません）！　").arg(box);
}

// Line ends of text from another program: CR LF, LF or CR alone.
QStringList textLines(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return text.split(lineEnd);
}
}  // namespace

bool EntryLimitReached(const HandEntry& entry) { return entry.EntryNo > kDataLimit; }

TypedPoint StoreTypedPoint(HandEntry& entry, const QString& xText, const QString& yText) {
    if (EntryLimitReached(entry)) return {EntryResult::Full, {}};
    if (xText.isEmpty() || yText.isEmpty()) return {EntryResult::Empty, {}};
    double x = 0, y = 0;
    QString refusal = refusalOf(QStringLiteral("X"), ReadTypedNumber(xText, x));
    if (refusal.isEmpty()) refusal = refusalOf(QStringLiteral("Y"), ReadTypedNumber(yText, y));
    if (!refusal.isEmpty()) return {EntryResult::Refused, refusal};
    storePoint(entry, x, y);
    return {EntryResult::Stored, {}};
}

PasteResult StorePastedPoints(HandEntry& entry, const QString& block) {
    PasteResult result;
    const QStringList lines = textLines(block);
    for (int i = 0; i < lines.size() && !EntryLimitReached(entry); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        double x = 0, y = 0;
        QStringList texts;
        if (!ParseDataLine(lines[i], x, y, &texts)) {
            result.badLine = i + 1;
            result.badText = lines[i];
            break;
        }
        storePoint(entry, x, y);
        // The texts are ASCII decimal numbers, shown as they stand, as if typed.
        result.lines << EntryListLine(entry.points.DataCount, texts[0], texts[1]);
    }
    return result;
}

bool IsPointBlock(const QString& text) {
    QString line = text;
    while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
    double x = 0, y = 0;
    return textLines(line).size() > 1 || (line.contains(u'\t') && ParseDataLine(line, x, y));
}

QString CorrectPoint(DataPoints& points, const QString& noText, const QString& xText,
                     const QString& yText) {
    const int DataCount = points.DataCount;
    if (DataCount < 1) return QStringLiteral("　修正するデータがありません！　");
    double no = 0;
    if (ReadTypedNumber(noText, no) != TypedNumber::Number || no != std::floor(no) || no < 1 ||
        no > DataCount)
        return QStringLiteral("　修正するデータの No. は 1 ～ %1 の整数で入力して下さい！　")
            .arg(DataCount);
    const int k = int(no);
    double x = points.DataX[k], y = points.DataY[k];
    // An empty X or Y keeps that coordinate.
    for (auto [text, box, value] : {std::tuple{&xText, "X", &x}, std::tuple{&yText, "Y", &y}}) {
        const TypedNumber read = ReadTypedNumber(*text, *value);
        if (read != TypedNumber::Number && read != TypedNumber::Empty)
            return refusalOf(QStringLiteral("修正の ") + QLatin1String(box), read);
    }
    points.DataX[k] = x;
    points.DataY[k] = y;
    ComputeDataExtremes(points);
    return {};
}

QString EntryListLine(int k, const QString& xText, const QString& yText) {
    return QLatin1Char(' ') + QString::number(k) + QStringLiteral(" :   ") + xText +
           QStringLiteral("    ") + yText;
}

QString TypedEntryLine(const DataPoints& p, int k, const QString& xText, const QString& yText) {
    return EntryListLine(k, shownText(xText, p.DataX[k]), shownText(yText, p.DataY[k]));
}

QStringList StoredEntryLines(const DataPoints& p) {
    QStringList lines;
    for (int k = 1; k <= p.DataCount; ++k)
        lines << EntryListLine(k, GeneralNumberText(p.DataX[k]), GeneralNumberText(p.DataY[k]));
    return lines;
}

QStringList DataTableLines(const DataPoints& p) {
    QStringList lines;
    for (int k = 1; k <= p.DataCount; ++k)
        lines << GeneralNumberText(p.DataX[k]) + QStringLiteral("  ") +
                     GeneralNumberText(p.DataY[k]);
    return lines;
}
