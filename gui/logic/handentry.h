// Hand entry, window-free: storing a typed point or a pasted block of points, correcting a stored
// point, and the list lines of the entry dialog and of the main window's data table.
#pragma once

#include <QString>
#include <QStringList>

#include "state.h"

// The points of one hand entry and the number of the next point to type (1 for a new entry).
struct HandEntry {
    DataPoints points;
    int EntryNo = 1;
};

// What storing a typed point gave.
enum class EntryResult {
    Stored,   // point EntryNo - 1 is the new last point
    Empty,    // a text was empty; nothing stored
    Full,     // the limit of points was already reached; nothing stored
    Refused,  // a text is no number (the message says which and why); nothing stored
};
struct TypedPoint {
    EntryResult result = EntryResult::Stored;
    QString refusal;  // the message of a Refused point
};
// Stores the texts, each read by ReadTypedNumber, as point number EntryNo: DataCount becomes
// EntryNo, EntryNo the next number, and the extremes are those of the points stored.
TypedPoint StoreTypedPoint(HandEntry& entry, const QString& xText, const QString& yText);
// Whether every place for a point is taken.
bool EntryLimitReached(const HandEntry& entry);

// What pasting a block of points gave.
struct PasteResult {
    QStringList lines;  // the entry dialog's lines of the points stored, in order
    int badLine = 0;    // number of the block's line that is not two numbers, 0 when none
    QString badText;    // that line as pasted
};
// Stores the points of a block copied from a spreadsheet or a text file, one point per line as
// a data line holds it (ParseDataLine: tab, comma or blanks between X and Y, full-width forms
// read as ASCII), each as if it were typed: number EntryNo, the extremes, the limit. Blank lines
// are passed over. Storing stops at the first line that is not two numbers (the points before
// it stay) or when the limit is reached (EntryLimitReached then tells it).
PasteResult StorePastedPoints(HandEntry& entry, const QString& block);
// Whether a text from the clipboard is a block of points rather than a value for one text box:
// it holds more than one line (line ends at its end do not count), or its one line is a
// spreadsheet row of two numbers (a tab between them). One line with a comma or blanks stays a
// value, since "1,000" may be a thousand with its separator.
bool IsPointBlock(const QString& text);

// Replaces the coordinates of the point numbered by noText (a whole number 1..DataCount) by the
// typed values and recomputes the extremes; an empty X or Y keeps that coordinate. Gives the
// message of a refusal, empty when the point was corrected: any other number (an empty one
// included), or an X or Y that is no number, changes nothing.
QString CorrectPoint(DataPoints& points, const QString& noText, const QString& xText,
                     const QString& yText);

// The entry dialog's line for point k: " k :   X    Y" with the texts given.
QString EntryListLine(int k, const QString& xText, const QString& yText);
// The entry dialog's line for point k as stored from typed texts: a text that is wholly an ASCII
// decimal number is shown as typed ("1.50"), any other (full-width forms, blanks around it) by
// the value stored, in general number text, so that the list never shows what was not stored.
QString TypedEntryLine(const DataPoints& points, int k, const QString& xText,
                       const QString& yText);
// The entry dialog's lines for points 1..DataCount from the stored values, in general number
// text.
QStringList StoredEntryLines(const DataPoints& points);
// The main window's data-table lines for points 1..DataCount: "X  Y" in general number text.
QStringList DataTableLines(const DataPoints& points);
