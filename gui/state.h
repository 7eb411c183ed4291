// The program-wide state of Nodara: everything one run knows, read and written directly by
// every window. Arrays are indexed from 1 to their count; index 0 is never used.
#pragma once

#include <QString>

inline constexpr int kDataCapacity = 110;  // room for points; at most 100 are in use
inline constexpr int kDataLimit = 100;
inline constexpr int kTableCapacity = 10010;  // rows of the engine's table

// Data points, in data units, and their extremes.
inline int DataCount = 0;
inline double DataX[kDataCapacity + 1] = {};
inline double DataY[kDataCapacity + 1] = {};
inline double DataMinX = 0.0, DataMaxX = 0.0;
inline double DataMinY = 0.0, DataMaxY = 0.0;
// Natural logarithms of the points, filled before a graph with a logarithmic axis is drawn.
inline double LogDataX[kDataCapacity + 1] = {};
inline double LogDataY[kDataCapacity + 1] = {};
// Full path of the data file last chosen.
inline QString FilePath;

// Graph settings: 1 Linear - Linear, 2 Linear - Log, 3 Log - Linear, 4 Log - Log.
inline int ScaleMode = 1;
inline double XStart = 0.0, XEnd = 0.0, XStep = 0.0;
inline double YStart = 0.0, YEnd = 0.0, YStep = 0.0;

// The engine's table, in exchange space (natural logarithms on a logarithmic axis), and its
// extent in that space.
inline int TableCount = 0;
inline double TableX[kTableCapacity + 1] = {};
inline double TableY[kTableCapacity + 1] = {};
inline double TableMinX = 0.0, TableMaxX = 0.0;
inline double TableMinY = 0.0, TableMaxY = 0.0;
// The table converted back to data units.
inline double PlainTableX[kTableCapacity + 1] = {};
inline double PlainTableY[kTableCapacity + 1] = {};

// The six axis texts of the saved table last loaded by the viewer (X start, X end, X step,
// Y start, Y end, Y step at 1..6), as they stand in the file.
inline QString SavedAxisText[7];

// 0 cubic spline, 1 B-spline.
inline int MethodFlag = 0;
// 1 from the engine's start on, while the read-out may use the table; 0 otherwise.
inline int CurveReady = 0;
// ln 10 to 8 significant digits; lengths of logarithmic axes are measured with it.
inline double Ln10 = 0.0;
inline constexpr double kLn10 = 2.3025851;
// Which window's graph the image-saving dialog saves (1 the main window).
inline int ImageSource = 0;
// Number of the next point typed by hand.
inline int EntryNo = 0;

// Sets every variable above to its start value (0, empty, ScaleMode 1).
void ClearProgramVariables();
