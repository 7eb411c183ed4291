// Exchange with the engine through the files of the current directory: the data points
// (B2F.dat), the method flag (Bor3.dat) and the interpolated table (F2B.dat); finding the
// engine's executable.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "enginecontract.h"
#include "graphmap.h"
#include "readout.h"
#include "savefile.h"
#include "state.h"

// The values sent for point i in scale mode `mode`: logarithms on a logarithmic axis.
double SentX(const DataPoints& points, int mode, int i);
double SentY(const DataPoints& points, int mode, int i);
// Whether a value can travel in the engine's record: finite in single precision and written
// with a two-digit exponent (so 1E+100 and above, and nonzero values below 1E-99, cannot).
bool FitsEngineRecord(double value);
// Index of the first point whose sent X or Y does not fit, or 0.
int FirstUnsendablePoint(const DataPoints& points, int mode);

// LogDataX/LogDataY(1..DataCount) from the points when `mode` is not 1; a value without a
// logarithm (0 or negative) leaves its entry as it was.
void FillDataLogarithms(DataPoints& points, int mode);

// Why the points cannot be sent to the engine in scale mode `mode`, and which point
// (1-based) is the first that cannot; for SameInRecord, `other` is the point whose X the record
// cannot tell from point's.
struct PointProblem {
    enum Kind { None, NoLogarithm, OutOfRange, SameInRecord };
    Kind kind = None;
    int point = 0;
    int other = 0;
};
// Checks every point for a value without a logarithm on a logarithmic axis, then for a value
// that does not fit the engine's record, then for two distinct X values that the record's six
// significant digits make equal (the engine would stop on them). On a problem an older B2F.dat is
// deleted, so that it cannot pass for the current points.
PointProblem CheckPointsForEngine(const DataPoints& points, int mode);

// Contents of B2F.dat for the points in scale mode `mode`.
QByteArray PointFileText(const DataPoints& points, int mode);
// Writes B2F.dat. Refuses (writes nothing) while a point does not fit the engine's record.
FileResult WritePointFile(const DataPoints& points, int mode);
// Writes Bor3.dat with the method flag as "00" or "01" and, for a library method (not 0), a
// second record with its number ("02").
FileResult WriteMethodFile(const EngineMethod& method);

// A table in exchange space (natural logarithms on a logarithmic axis), rows from index 1, with
// its extent.
struct EngineTable {
    int count = 0;
    std::vector<double> x, y;  // count + 1 entries
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    TableView view() const { return {count, x.data(), y.data(), minX, maxX}; }
};
// Reads the engine's table from the file's text. Empty when the text has no count line, a
// count below 1 or above the table's capacity, fewer rows than counted, or a row that is not
// two numbers.
std::optional<EngineTable> ParseTableText(const QByteArray& text);
// Reads F2B.dat; empty when there is no usable table.
std::optional<EngineTable> ReadTableFile();

// A table the engine computed: its rows, the graph whose points it was computed from (the scale
// mode and the axis texts as they were typed then), those points, and the method that made it.
struct ComputedTable {
    EngineTable rows;
    GraphSettings graph;
    DataPoints points;
    EngineMethod method;
};

// Deletes F2B.dat (a failed run writes no table, so the previous one must not pass for its
// result), ignoring every failure.
void DeleteTableFile();
// Deletes B2F.dat, F2B.dat and Bor3.dat, ignoring every failure; nothing while another running
// Nodara uses the working directory, whose files they are.
void DeleteExchangeFiles();

// The exchange files of a directory belong to one running Nodara at a time. It holds the
// directory by a lock file there from its start to its end: a lock of the operating system on
// that file, which ends with the process however it ends. So a lock file nobody holds is stale,
// whatever it contains or was written by; so is anything else of that name (a directory, a
// link, a file this user cannot open), and it is removed.
struct FolderClaim {
    enum Kind {
        Held,      // this program holds the working directory
        InUse,     // another running Nodara holds it
        ReadOnly,  // the directory cannot be written
        Stuck,     // a stale lock is in the way and cannot be removed
        Failed     // no lock can be made there for another reason
    };
    Kind kind = Failed;
    QString problem;  // the system's words, for Stuck and Failed
};
// Holds the working directory if it can (again, when the directory or its holder changed).
FolderClaim ClaimExchangeFolder();
// Whether another running Nodara holds the working directory (after trying to hold it).
bool ExchangeFolderInUse();
// Gives the working directory up.
void ReleaseExchangeFolder();
// What the windows say when the working directory cannot be held (empty when it is): who holds
// it, that it is read-only, or which file is in the way and what to do about it.
QString FolderClaimText(const FolderClaim& claim);
// Holds the working directory, or the text saying why not.
QString ExchangeFolderProblem();
// The lock file's name in the working directory.
inline const char kFolderLockName[] = ".Nodara.lock";

// The engine's executable: the first executable "Fitcore" in the search path (by default the
// current directory, then the directory of Nodara's own executable), or an empty text.
QString FindEngine();
// Replaces the search path; an empty list restores the default.
void SetEngineSearchPath(const QStringList& directories);
