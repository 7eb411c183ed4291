// Data input, window-free and shared by file input and hand entry: reading a data file into the
// points, their extremes and how they are shown, and the ordering of the points by X.
#pragma once

#include <QString>
#include <QStringList>

#include "state.h"

// "###0.0##" for 0 and for 0.1 <= |v| within -1000..1000, otherwise "0.000E+00".
QString FormatRangeValue(double v);
// DataMinX, DataMaxX, DataMinY, DataMaxY shown by FormatRangeValue, in this order.
QStringList DataExtremeTexts(const DataPoints& points);
// The axis limits a graph of the points starts from: X start, X end, Y start, Y end. Each is the
// extreme value itself, in a text that reads back as exactly that value, so that every point
// lies inside the frame; an axis whose points all share one value spans a tenth of it (or 1 for
// 0) on either side.
QStringList DefaultAxisTexts(const DataPoints& points);

// Reads a data line holding exactly two numbers, separated by a comma (blanks around it are
// ignored) or by blanks or tabs. The line is read in its AsciiNumberText form, so full-width
// digits, signs, a full-width comma and the ideographic space read as their ASCII twins. False
// for anything else: one or three values, an empty field, quotes, or a text that is not a
// number. When texts is given, it receives the two numbers' texts in their ASCII form.
bool ParseDataLine(const QString& line, double& x, double& y, QStringList* texts = nullptr);

// The first `limit` lines of a text file's bytes (UTF-8, a byte-order mark skipped), each
// without its line end (CR LF or LF).
QStringList FirstLines(const QByteArray& text, int limit);

// What reading a data file gave.
struct DataFileLoad {
    enum Status {
        Loaded,
        CannotOpen,  // the file cannot be opened or read
        Refused,     // no file the program reads (a FIFO, a device, far too large)
        Empty,
        BadLine
    };
    Status status = CannotOpen;
    QString problem;    // why the file could not be read, in words
    QStringList lines;  // the lines read (at most kDataLimit), unchanged
    int badLine = 0;    // number of the first line that is not two numbers
    int unread = 0;     // lines after the first kDataLimit that hold more than blanks
};
// Reads the first kDataLimit lines of the file and checks them, storing nothing.
DataFileLoad ReadDataFile(const QString& path);
// Reads the first kDataLimit lines of the file into new points: DataCount becomes the number of
// lines read and DataX/DataY(1..) the parsed points, up to the first bad line. When every line is
// good the extremes of the values as read are computed and the points put in order by X.
DataFileLoad LoadDataFile(const QString& path, DataPoints& points);

// Smallest and largest of DataX and DataY over 1..DataCount (nothing when DataCount is 0).
void ComputeDataExtremes(DataPoints& points);
// Calls SortDataByX when the points are not strictly ascending in X.
void OrderDataByX(DataPoints& points);
// Sorts DataX/DataY(1..DataCount) into ascending X by exchanges, then moves equal neighbours
// apart by 1 % of the distance to the next (last pair: previous) point. Two pairs with equal X are
// never exchanged with each other, but an exchange with a smaller X behind them can reverse their
// order (2a, 2b, 1 becomes 1, 2b, 2a), so which of them moves is not always the one read first.
// Finite abscissas stay finite, however far apart their neighbours are.
void SortDataByX(DataPoints& points);
