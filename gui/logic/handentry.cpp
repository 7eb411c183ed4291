// Hand entry: typed points, corrections and the list lines.
#include "handentry.h"

#include <cmath>

#include "datainput.h"
#include "state.h"
#include "textconv.h"

void StartHandEntry() {
    EntryNo = 1;
    DataCount = 0;
}

bool EntryLimitReached() { return EntryNo > kDataLimit; }

EntryResult StoreTypedPoint(const QString& xText, const QString& yText) {
    if (EntryLimitReached()) return EntryResult::Full;
    if (xText.isEmpty() || yText.isEmpty()) return EntryResult::Empty;
    const int k = EntryNo < 1 ? 1 : EntryNo;
    DataX[k] = ParseNumber(xText);
    DataY[k] = ParseNumber(yText);
    DataCount = k;
    EntryNo = k + 1;
    ComputeDataExtremes();
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
