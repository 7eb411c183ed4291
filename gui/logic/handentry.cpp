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
void storePoint(double x, double y) {
    const int k = EntryNo < 1 ? 1 : EntryNo;
    DataX[k] = x;
    DataY[k] = y;
    DataCount = k;
    EntryNo = k + 1;
    ComputeDataExtremes();
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

void StartHandEntry() {
    EntryNo = 1;
    DataCount = 0;
}

bool EntryLimitReached() { return EntryNo > kDataLimit; }

void StoreKeptPoints(const QList<QPointF>& points) {
    for (const QPointF& p : points) {
        if (EntryLimitReached()) return;
        storePoint(p.x(), p.y());
    }
}

TypedPoint StoreTypedPoint(const QString& xText, const QString& yText) {
    if (EntryLimitReached()) return {EntryResult::Full, {}};
    if (xText.isEmpty() || yText.isEmpty()) return {EntryResult::Empty, {}};
    double x = 0, y = 0;
    QString refusal = refusalOf(QStringLiteral("X"), ReadTypedNumber(xText, x));
    if (refusal.isEmpty()) refusal = refusalOf(QStringLiteral("Y"), ReadTypedNumber(yText, y));
    if (!refusal.isEmpty()) return {EntryResult::Refused, refusal};
    storePoint(x, y);
    return {EntryResult::Stored, {}};
}

PasteResult StorePastedPoints(const QString& block) {
    PasteResult result;
    const QStringList lines = textLines(block);
    for (int i = 0; i < lines.size() && !EntryLimitReached(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        double x = 0, y = 0;
        QStringList texts;
        if (!ParseDataLine(lines[i], x, y, &texts)) {
            result.badLine = i + 1;
            result.badText = lines[i];
            break;
        }
        storePoint(x, y);
        // The texts are ASCII decimal numbers, shown as they stand, as if typed.
        result.lines << EntryListLine(DataCount, texts[0], texts[1]);
    }
    return result;
}

bool IsPointBlock(const QString& text) {
    QString line = text;
    while (line.endsWith(u'\n') || line.endsWith(u'\r')) line.chop(1);
    double x = 0, y = 0;
    return textLines(line).size() > 1 || (line.contains(u'\t') && ParseDataLine(line, x, y));
}

QString CorrectPoint(const QString& noText, const QString& xText, const QString& yText) {
    if (DataCount < 1) return QStringLiteral("　修正するデータがありません！　");
    double no = 0;
    if (ReadTypedNumber(noText, no) != TypedNumber::Number || no != std::floor(no) || no < 1 ||
        no > DataCount)
        return QStringLiteral("　修正するデータの No. は 1 ～ %1 の整数で入力して下さい！　")
            .arg(DataCount);
    const int k = int(no);
    double x = DataX[k], y = DataY[k];
    // An empty X or Y keeps that coordinate.
    for (auto [text, box, value] : {std::tuple{&xText, "X", &x}, std::tuple{&yText, "Y", &y}}) {
        const TypedNumber read = ReadTypedNumber(*text, *value);
        if (read != TypedNumber::Number && read != TypedNumber::Empty)
            return refusalOf(QStringLiteral("修正の ") + QLatin1String(box), read);
    }
    DataX[k] = x;
    DataY[k] = y;
    ComputeDataExtremes();
    return {};
}

QString EntryListLine(int k, const QString& xText, const QString& yText) {
    return QLatin1Char(' ') + QString::number(k) + QStringLiteral(" :   ") + xText +
           QStringLiteral("    ") + yText;
}

QString TypedEntryLine(int k, const QString& xText, const QString& yText) {
    return EntryListLine(k, shownText(xText, DataX[k]), shownText(yText, DataY[k]));
}

QStringList StoredEntryLines() {
    QStringList lines;
    for (int k = 1; k <= DataCount; ++k)
        lines << EntryListLine(k, GeneralNumberText(DataX[k]), GeneralNumberText(DataY[k]));
    return lines;
}

QStringList DataTableLines() {
    QStringList lines;
    for (int k = 1; k <= DataCount; ++k)
        lines << GeneralNumberText(DataX[k]) + QStringLiteral("  ") + GeneralNumberText(DataY[k]);
    return lines;
}
