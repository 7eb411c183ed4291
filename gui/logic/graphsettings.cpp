// Graph settings from the axis texts, and the mapping of their axes.
#include "graphsettings.h"

#include <cmath>

#include "datanumber.h"
#include "scalemode.h"
#include "state.h"
#include "textconv.h"

namespace {
AxisMap axisMap(AxisKind kind, double start, double end, int startExponent, int endExponent) {
    return kind == AxisKind::Linear ? AxisMap::linear(start, end)
                                    : AxisMap::logarithmic(start, startExponent, endExponent, kLn10);
}
}  // namespace

int AxisTextExponent(const QString& text) { return int(ParseNumber(QStringView(text).right(3))); }

GraphMapping MappingFor(const GraphSettings& s) {
    return {axisMap(XAxisKind(s.mode), s.xStart, s.xEnd, s.xStartExponent, s.xEndExponent),
            axisMap(YAxisKind(s.mode), s.yStart, s.yEnd, s.yStartExponent, s.yEndExponent)};
}

std::optional<GraphSettings> ReadGraphSettings(int mode, const QStringList& axisTexts) {
    double v[6] = {};
    for (int i = 0; i < 6; ++i) {
        const TypedNumber read = ReadTypedNumber(axisTexts.value(i), v[i]);
        const bool isStep = i == 2 || i == 5;
        if (read != TypedNumber::Number && !(read == TypedNumber::Empty && isStep))
            return std::nullopt;
    }
    // A range may be too wide to measure, and a logarithmic axis starts above 0.
    if (!(v[0] < v[1] && v[3] < v[4]) || !std::isfinite(v[1] - v[0]) ||
        !std::isfinite(v[4] - v[3]) || (IsLogX(mode) && v[0] <= 0) || (IsLogY(mode) && v[3] <= 0))
        return std::nullopt;
    return GraphFrom(mode, v, axisTexts);
}

GraphSettings GraphFrom(int mode, const double (&v)[6], const QStringList& axisTexts) {
    GraphSettings s;
    s.mode = mode;
    s.xStart = v[0], s.xEnd = v[1], s.xStep = v[2] > 0 ? v[2] : v[1] - v[0];
    s.yStart = v[3], s.yEnd = v[4], s.yStep = v[5] > 0 ? v[5] : v[4] - v[3];
    s.axisTexts = axisTexts;
    s.xStartExponent = AxisTextExponent(axisTexts.value(0));
    s.xEndExponent = AxisTextExponent(axisTexts.value(1));
    s.yStartExponent = AxisTextExponent(axisTexts.value(3));
    s.yEndExponent = AxisTextExponent(axisTexts.value(4));
    return s;
}
