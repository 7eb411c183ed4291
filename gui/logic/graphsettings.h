// The settings a graph is drawn from, as the main window's fields give them, and the mapping of
// its axes that follows from them.
#pragma once

#include <QString>
#include <QStringList>

#include "graphmap.h"

// The decimal exponent written at the end of an axis text such as "1.0E+02" or "1.0E00".
int AxisTextExponent(const QString& text);
// Both axes of the graph: linear from start to end, or logarithmic over the decades of its texts
// (measured with Ln10).
GraphMapping MappingFor(const GraphSettings& settings);
// The graph of the program-wide ScaleMode and XStart ... YStep with the six axis texts (X start,
// X end, X step, Y start, Y end, Y step) as typed; the decades of a logarithmic axis come from
// the texts of its limits.
GraphSettings CurrentGraphSettings(const QStringList& axisTexts);
