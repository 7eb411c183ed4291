// Graph plotting in the four scale modes: frame, grid, end labels, data points and the
// interpolated curve. One implementation serves all modes; what differs between linear and
// logarithmic axes is held in small rule tables.
#pragma once

#include <QString>

#include "graphmap.h"
#include "scalemode.h"

class PictureBox;

// Palette indices of the graph.
inline constexpr int kGridColor = 8;
inline constexpr int kCurveColor = 9;
inline constexpr int kPointColor = 12;

// What one graph is drawn from. The exponents give the decades of a logarithmic axis.
struct GraphSettings {
    int mode = 1;  // 1 Linear - Linear, 2 Linear - Log, 3 Log - Linear, 4 Log - Log
    double xStart = 0, xEnd = 1, xStep = 1;
    double yStart = 0, yEnd = 1, yStep = 1;
    int xStartExponent = 0, xEndExponent = 0;
    int yStartExponent = 0, yEndExponent = 0;
    // Linear X labels of mode 1 use the ordinary decimal form up to this magnitude.
    double mode1XDecimalBound = 1000;
};

// The decimal exponent written at the end of an axis text such as "1.0E+02" or "1.0E00".
int AxisTextExponent(const QString& text);
GraphMapping MappingFor(const GraphSettings& settings);

// Text of an axis-end label for the value v (data units).
QString AxisLabelText(AxisKind kind, double v, double decimalBound);

// Sets the picture's scale and draws the grid of both axes and the frame.
void DrawGraphFrame(PictureBox& picture, const GraphSettings& settings);
// Draws the four end labels with line width 1. A label that would stand partly outside the
// picture is moved just inside it, so that every character shows.
void DrawAxisLabels(PictureBox& picture, const GraphSettings& settings);
// Draws DataX/DataY(1..DataCount) (their logarithms on a logarithmic axis) as light red dots
// of the current line width.
void DrawDataPoints(PictureBox& picture, const GraphMapping& mapping);
// Draws rows 1..count of a table in exchange space as a light blue polyline of the current
// line width.
void DrawTableCurve(PictureBox& picture, const GraphMapping& mapping, int count, const double x[],
                    const double y[]);

// The data-point graph of the main window: frame, grid, points, labels, then B2F.dat.
// Returns false when B2F.dat was not written.
bool DrawDataGraph(PictureBox& picture, const GraphSettings& settings);
// The interpolated curve of TableX/TableY over the picture drawn before.
void DrawCurve(PictureBox& picture, const GraphSettings& settings);

// The graph of the program-wide ScaleMode and XStart ... YStep, the decades of a logarithmic
// axis taken from the texts of its limits.
GraphSettings CurrentGraphSettings(const QString& xStartText, const QString& xEndText,
                                   const QString& yStartText, const QString& yEndText);
// The graph of a saved table as the viewer draws it: the program-wide axis values, the decades
// of a logarithmic axis from SavedAxisText, and in mode 1 X labels in decimal form only within
// -100..100.
GraphSettings SavedGraphSettings();
// The viewer's picture: frame, grid, labels, then the curve of TableX/TableY with width 2 (left
// in force); no data points and no exchange file.
void DrawSavedGraph(PictureBox& picture, const GraphSettings& settings);
