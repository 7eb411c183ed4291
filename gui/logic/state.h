// The values Nodara works on. None is program-wide: each has one owner, which passes it to the
// window-free functions that read or change it. The main window owns its input data and its
// calculation (the graph drawn, the engine run started for it and the table that run left), the
// hand-entry dialog the points being typed, the viewer the table it shows. Arrays are indexed
// from 1 to their count; index 0 is never used.
#pragma once

#include "enginecontract.h"

inline constexpr int kDataLimit = contract::kMaxPoints;
inline constexpr int kDataCapacity = kDataLimit + 10;  // room for points; at most kDataLimit in use
inline constexpr int kTableCapacity = contract::kMaxTableRows;  // rows of the engine's table
// ln 10 to 8 significant digits; lengths of logarithmic axes are measured with it.
inline constexpr double kLn10 = 2.3025851;

// The points of one data input, in data units, with their extremes, and their natural logarithms
// (filled before a graph with a logarithmic axis is drawn).
struct DataPoints {
    int DataCount = 0;
    double DataX[kDataCapacity + 1] = {};
    double DataY[kDataCapacity + 1] = {};
    double DataMinX = 0.0, DataMaxX = 0.0;
    double DataMinY = 0.0, DataMaxY = 0.0;
    double LogDataX[kDataCapacity + 1] = {};
    double LogDataY[kDataCapacity + 1] = {};
};

// The method of an engine run as Bor3.dat names it: the flag of its first record (0 cubic spline,
// 1 otherwise) and the library's method number of its second (0 for none).
struct EngineMethod {
    int flag = contract::kCubicSplineFlag;
    int library = 0;
};
