// Graph plotting in the four scale modes: frame, grid, end labels, data points and the
// interpolated curve. One implementation serves all modes; what differs between linear and
// logarithmic axes is held in small rule tables.
#pragma once

#include <QString>

#include "graphsettings.h"
#include "readout.h"
#include "savefile.h"
#include "scalemode.h"
#include "state.h"

class PictureBox;

// Palette indices of the graph.
inline constexpr int kGridColor = 8;
inline constexpr int kCurveColor = 9;
inline constexpr int kPointColor = 12;

// Text of an axis-end label for the value v (data units).
QString AxisLabelText(AxisKind kind, double v, double decimalBound);

// Sets the picture's scale and draws the grid of both axes and the frame.
void DrawGraphFrame(PictureBox& picture, const GraphSettings& settings);
// Draws the four end labels with line width 1. A label that would stand partly outside the
// picture is moved just inside it, so that every character shows.
void DrawAxisLabels(PictureBox& picture, const GraphSettings& settings);
// Draws points 1..count of exchange-space coordinates (logarithms on a logarithmic axis) as light
// red dots of the current line width.
void DrawDataPoints(PictureBox& picture, const GraphMapping& mapping, int count, const double x[],
                    const double y[]);
// Draws a table's rows as a light blue polyline of the current line width.
void DrawTableCurve(PictureBox& picture, const GraphMapping& mapping, const TableView& table);

// The data-point graph of the main window: frame, grid, the points (as they are sent to the
// engine, their logarithms filled) and labels.
void DrawPointGraph(PictureBox& picture, const GraphSettings& settings, const DataPoints& points);
// DrawPointGraph, then B2F.dat; what writing B2F.dat gave.
FileResult DrawDataGraph(PictureBox& picture, const GraphSettings& settings,
                         const DataPoints& points);
// The viewer's picture: frame, grid, labels, then the curve of the table with width 2 (left in
// force); no data points and no exchange file.
void DrawSavedGraph(PictureBox& picture, const GraphSettings& settings, const TableView& table);
