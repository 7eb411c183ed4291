// Hand entry, window-free: storing a typed point, correcting a stored one, and the list lines
// of the entry dialog and of the main window's data table.
#pragma once

#include <QString>
#include <QStringList>

// A new hand entry: no point stored, the next is number 1.
void StartHandEntry();

// What storing a typed point gave.
enum class EntryResult {
    Stored,  // point EntryNo - 1 is the new last point
    Empty,   // a text was empty; nothing stored
    Full     // the limit of points was already reached; nothing stored
};
// Stores the texts, read leniently, as point number EntryNo: DataCount becomes EntryNo, EntryNo
// the next number, and the extremes are those of the points stored.
EntryResult StoreTypedPoint(const QString& xText, const QString& yText);
// Whether every place for a point is taken.
bool EntryLimitReached();

// Replaces the point numbered by noText (a whole number 1..DataCount, read leniently) by the
// typed values and recomputes the extremes. Any other number, an empty or non-numeric text
// included, changes nothing and gives false.
bool CorrectPoint(const QString& noText, const QString& xText, const QString& yText);

// The entry dialog's line for point k: " k :   X    Y" with the texts given.
QString EntryListLine(int k, const QString& xText, const QString& yText);
// The entry dialog's line for point k as stored from typed texts: a text that is wholly an ASCII
// decimal number is shown as typed ("1.50"), any other (full-width forms, "abc", "12abc") by
// the value stored, in general number text, so that the list never shows what was not stored.
QString TypedEntryLine(int k, const QString& xText, const QString& yText);
// The entry dialog's lines for points 1..DataCount from the stored values, in general number
// text.
QStringList StoredEntryLines();
// The main window's data-table lines for points 1..DataCount: "X  Y" in general number text.
QStringList DataTableLines();
