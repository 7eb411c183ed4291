// The four scale modes of a graph and which of their axes is logarithmic: the one place that
// knows it, for plotting, the exchange with the engine and the windows.
#pragma once

#include "graphmap.h"

// 1 Linear - Linear, 2 Linear - Log, 3 Log - Linear, 4 Log - Log; any other value is taken as
// mode 4.
AxisKind XAxisKind(int mode);
AxisKind YAxisKind(int mode);
inline bool IsLogX(int mode) { return XAxisKind(mode) == AxisKind::Log; }
inline bool IsLogY(int mode) { return YAxisKind(mode) == AxisKind::Log; }
