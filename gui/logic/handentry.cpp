// Hand entry: typed and pasted points, corrections and the list lines.
#include "handentry.h"

#include <QRegularExpression>
#include <cmath>

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

EntryResult StoreTypedPoint(const QString& xText, const QString& yText) {
    if (EntryLimitReached()) return EntryResult::Full;
    if (xText.isEmpty() || yText.isEmpty()) return EntryResult::Empty;
    storePoint(ParseNumber(xText), ParseNumber(yText));
    return EntryResult::Stored;
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

bool CorrectPoint(const QString& noText, const QString& xText, const QString& yText) {
    const double no = ParseNumber(noText);
    if (no != std::floor(no) || no < 1 || no > DataCount) return false;
    const int k = int(no);
    DataX[k] = ParseNumber(xText);
    DataY[k] = ParseNumber(yText);
    ComputeDataExtremes();
    return true;
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
