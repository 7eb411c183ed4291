// Hand entry: typed points, corrections and the list lines.
#include "handentry.h"

#include <cmath>

#include "datainput.h"
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

QString shownText(const QString& typed, double stored) {
    return IsDecimalNumber(typed) ? typed : GeneralNumberText(stored);
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
