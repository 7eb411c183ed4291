// Coordinate mapping of a graph between exchange space, plot coordinates and pixels.
#include "graphmap.h"

#include <cmath>

QPointF UserScale::toPixel(double x, double y, QSize pixels) const {
    return {(x - double(left)) / double(width) * pixels.width(),
            (y - double(top)) / double(height) * pixels.height()};
}

float UserScale::userX(double pixelX, int pixelWidth) const {
    return float(double(left) + pixelX * double(width) / pixelWidth);
}

float UserScale::userY(double pixelY, int pixelHeight) const {
    return float(double(top) + pixelY * double(height) / pixelHeight);
}

AxisMap AxisMap::linear(double start, double end) {
    return {AxisKind::Linear, 0.0, start, end - start};
}

AxisMap AxisMap::logarithmic(double start, int startExponent, int endExponent, double ln10) {
    return {AxisKind::Log, std::log(start), 0.0, (endExponent - startExponent) * ln10};
}

UserScale GraphMapping::scale() const {
    UserScale s;
    s.left = float(x.origin - 0.14 * x.length);
    s.width = float(1.2 * x.length);
    if (y.kind == AxisKind::Linear) {
        s.top = float(y.end() + 0.03 * y.length);
        s.height = float(-1.12 * y.length);
    } else {
        s.top = float(1.05 * y.length);
        s.height = float(-1.2 * y.length);
    }
    return s;
}
