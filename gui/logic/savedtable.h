// The saved interpolated-data file: composing it from a computed table, and reading one back.
//
// Layout (lines ended by CR LF): the scale mode; the six axis texts as typed; the row count;
// the table in data units as signed pairs; the point count; the data points as signed pairs.
// A number line is a blank, the digits and a blank (" 2 "). A signed pair is the sign of X,
// its magnitude with "0.00000E+00", ", ", a blank, the sign of Y and its magnitude; the sign is
// "+" above 0 and "-" otherwise ("+1.50000E+00,  -2.50000E-01").
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "exchange.h"
#include "graphmap.h"

// The name of the saved file for a typed name: "-Sp.csv" for the cubic spline (method flag 0),
// "-BSp.csv" for the B-spline, "-AkSp.csv", "-ShSp.csv", "-SmSp.csv" and "-MoSp.csv" for the
// library's Akima, shape-preserving, smoothing and monotone methods; joined to the directory
// without doubling a root's separator.
QString SavedTableFileName(const QString& directory, const QString& name, int methodFlag,
                           int libraryMethod = 0);

// A saved file's contents (vectors from index 1): the table
// and the data points in data units.
struct SavedTable {
    int mode = 1;
    QString axisText[7];  // 1..6
    double xStart = 0, xEnd = 0, xStep = 0, yStart = 0, yEnd = 0, yStep = 0;
    int tableCount = 0;
    std::vector<double> plainX, plainY;
    int dataCount = 0;
    std::vector<double> dataX, dataY;
};

// A computed table as a saved file: the graph it was computed for (scale mode and the axis texts
// as they were typed then), its rows turned back into data units (the exponential of a column on a
// logarithmic axis) and its data points.
SavedTable ResultToSave(const ComputedTable& computed);
// The file's bytes.
QByteArray SavedTableText(const SavedTable& table);

// What is wrong with a file that does not follow the layout.
enum class SavedTableFault {
    None,
    Unreadable,       // the file cannot be read (see the reader's problem)
    Empty,            // the file holds nothing
    BadMode,          // line 1 is not a scale mode 1..4
    CutShort,         // the file ends before `line`
    BadCount,         // `line` is not a row count the program can hold
    NoRows,           // `line` counts no row of the table
    Descending,       // the X of the table's row on `line` is below the row before
    BadPair,          // `line` is not two numbers separated by a comma
    NotPositive,      // `line` holds a value <= 0 on a logarithmic axis
    BadAxisRange,     // an axis ends at or below its start
    TrailingContent,  // something follows the last data point at `line`
};
struct SavedTableStatus {
    SavedTableFault fault = SavedTableFault::None;
    int line = 0;  // 1-based line of the file the fault is on
    bool ok() const { return fault == SavedTableFault::None; }
};

// Reads a saved file's bytes into `out`. The numbers of the axis texts are read leniently (a
// text without a number is 0), and a step that is not positive becomes the whole range, as the
// main window draws it. On a fault `out` is left in an unspecified state.
SavedTableStatus ParseSavedTable(const QByteArray& bytes, SavedTable& out);
// The fault in words, for a message that also names the file.
QString SavedTableFaultText(const SavedTableStatus& status);

// A good saved table as the viewer shows it, apart from every other window's state: the file as
// read, the graph it was saved from, its rows with their extent and its data points in exchange
// space (natural logarithms on a logarithmic axis).
struct ViewedTable {
    QString path;
    SavedTable file;
    GraphSettings graph;
    EngineTable rows;
    std::vector<double> pointX, pointY;  // from index 1
};
// The graph of a saved file as the viewer draws it: its scale mode, axis values and texts, and in
// mode 1 X labels in decimal form only within -100..100.
GraphSettings SavedGraphSettings(const SavedTable& table);
ViewedTable ViewSavedTable(const SavedTable& table, const QString& path);
