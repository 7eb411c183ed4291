// Coordinate mapping of a graph: data in exchange space -> plot coordinates (per axis, linear
// or logarithmic) -> the user coordinate system of a picture box -> pixels, and back.
#pragma once

#include <QPointF>
#include <QSize>
#include <QStringList>

// A picture box's user coordinate system: the user coordinates of its left and top edges and
// its extent. A negative height makes y grow upwards. The four values are kept in single
// precision, as the picture box stores them.
struct UserScale {
    float left = 0.0f;
    float top = 0.0f;
    float width = 1.0f;
    float height = 1.0f;

    // Pixel position (not rounded) of a user point in a picture of the given size; user
    // (left, top) is the top-left corner of pixel (0, 0).
    QPointF toPixel(double x, double y, QSize pixels) const;
    // User coordinates of a pixel position, in single precision like a mouse event's.
    float userX(double pixelX, int pixelWidth) const;
    float userY(double pixelY, int pixelHeight) const;
};

enum class AxisKind { Linear, Log };

// One axis of a graph. Values arrive in exchange space (natural logarithms on a logarithmic
// axis); the plot coordinate is the value minus `shift`, which is 0 on a linear axis and
// ln(start) on a logarithmic one, so a logarithmic axis starts at plot coordinate 0.
struct AxisMap {
    AxisKind kind = AxisKind::Linear;
    double shift = 0.0;
    double origin = 0.0;  // plot coordinate of the axis start
    double length = 1.0;  // plot span from start to end

    // Linear axis from start to end in data units.
    static AxisMap linear(double start, double end);
    // Logarithmic axis starting at `start` (data units) and spanning the decades from
    // 10^startExponent to 10^endExponent, measured with the given ln 10.
    static AxisMap logarithmic(double start, int startExponent, int endExponent, double ln10);

    double plot(double exchangeValue) const { return exchangeValue - shift; }
    double end() const { return origin + length; }
};

// Both axes and the margins that frame them in the picture box.
struct GraphMapping {
    AxisMap x;
    AxisMap y;

    // The user coordinate system that leaves 0.14 of the X length left of the axis and 0.06
    // right of it; on a linear Y axis 0.03 of its length above and 0.09 below, on a
    // logarithmic one 0.05 above and 0.15 below.
    UserScale scale() const;
};

// What one graph is drawn from: its scale mode, its axis ranges and grid steps in data units, and
// the six axis texts as typed (X start, X end, X step, Y start, Y end, Y step). The decimal
// exponents give the decades of a logarithmic axis.
struct GraphSettings {
    int mode = 1;  // 1 Linear - Linear, 2 Linear - Log, 3 Log - Linear, 4 Log - Log
    double xStart = 0, xEnd = 1, xStep = 1;
    double yStart = 0, yEnd = 1, yStep = 1;
    int xStartExponent = 0, xEndExponent = 0;
    int yStartExponent = 0, yEndExponent = 0;
    // Linear X labels of mode 1 use the ordinary decimal form up to this magnitude.
    double mode1XDecimalBound = 1000;
    QStringList axisTexts;
};
