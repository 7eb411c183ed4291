// The program-wide state of Nodara: everything one run knows, read and written directly by
// every window. Arrays are indexed from 1 to their count; index 0 is never used.
#pragma once

#include <QString>
#include <optional>

#include "graphmap.h"

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

// The graph the main window's picture was drawn from when the data points were last drawn (and
// B2F.dat written for them); empty before that, and again from a new data input, a reset or the
// next drawing of the points. The table below and the read-out belong to this graph, whatever
// the scale mode and the axis fields have been set to since.
inline std::optional<GraphSettings> DrawnGraph;

// The main window's table from the engine, in the exchange space of DrawnGraph (natural
// logarithms on a logarithmic axis), and its extent in that space. Emptied (count 0) whenever
// DrawnGraph is.
inline int TableCount = 0;
inline double TableX[kTableCapacity + 1] = {};
inline double TableY[kTableCapacity + 1] = {};
inline double TableMinX = 0.0, TableMaxX = 0.0;
inline double TableMinY = 0.0, TableMaxY = 0.0;

// The method of the last engine run started: 0 cubic spline, 1 B-spline or one of the library's
// methods, which LibraryMethod names by its method number (0 none, 2 Akima, 3 shape-preserving,
// 9 smoothing spline by cross-validation, 20 monotone cubic).
inline int MethodFlag = 0;
inline int LibraryMethod = 0;
// The method of the run whose table TableX/TableY holds; it names the saved file.
inline int TableMethodFlag = 0;
inline int TableLibraryMethod = 0;
// 1 from the engine's start on, while the main window's read-out may use its table; 0 otherwise.
inline int CurveReady = 0;
// ln 10 to 8 significant digits; lengths of logarithmic axes are measured with it.
inline double Ln10 = 0.0;
inline constexpr double kLn10 = 2.3025851;
// Which window's graph the image-saving dialog saves (1 the main window, 2 the viewer).
inline int ImageSource = 0;
// Number of the next point typed by hand.
inline int EntryNo = 0;

// Sets every variable above to its start value (0, empty, ScaleMode 1).
void ClearProgramVariables();
