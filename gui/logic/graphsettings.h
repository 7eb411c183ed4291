// The settings a graph is drawn from, as the main window's fields give them, and the mapping of
// its axes that follows from them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "graphmap.h"

// The decimal exponent written at the end of an axis text such as "1.0E+02" or "1.0E00".
int AxisTextExponent(const QString& text);
// Both axes of the graph: linear from start to end, or logarithmic over the decades of its texts
// (measured with kLn10).
GraphMapping MappingFor(const GraphSettings& settings);
// The graph of scale mode `mode` from the axis values (X start, X end, X step, Y start, Y end,
// Y step) and the six texts they were read from: a step that is not positive is the whole range,
// and the decades of a logarithmic axis come from the texts of its limits.
GraphSettings GraphFrom(int mode, const double (&values)[6], const QStringList& axisTexts);
// The graph of scale mode `mode` from the six axis texts as typed (X start, X end, X step,
// Y start, Y end, Y step), each read by ReadTypedNumber. Empty when a limit is no number, a step
// is neither a number nor empty, a range is empty, reversed or too wide to measure, or a
// logarithmic axis starts at 0 or below. A step that is empty or not positive is the whole
// range; the decades of a logarithmic axis come from the texts of its limits.
std::optional<GraphSettings> ReadGraphSettings(int mode, const QStringList& axisTexts);
