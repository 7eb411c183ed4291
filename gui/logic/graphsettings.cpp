// Graph settings from the program-wide state and the axis texts.
#include "graphsettings.h"

#include "scalemode.h"
#include "state.h"
#include "textconv.h"

namespace {
AxisMap axisMap(AxisKind kind, double start, double end, int startExponent, int endExponent) {
    return kind == AxisKind::Linear ? AxisMap::linear(start, end)
                                    : AxisMap::logarithmic(start, startExponent, endExponent, Ln10);
}
}  // namespace

int AxisTextExponent(const QString& text) { return int(ParseNumber(QStringView(text).right(3))); }

GraphMapping MappingFor(const GraphSettings& s) {
    return {axisMap(XAxisKind(s.mode), s.xStart, s.xEnd, s.xStartExponent, s.xEndExponent),
            axisMap(YAxisKind(s.mode), s.yStart, s.yEnd, s.yStartExponent, s.yEndExponent)};
}

GraphSettings CurrentGraphSettings(const QStringList& axisTexts) {
    GraphSettings s;
    s.mode = ScaleMode;
    s.xStart = XStart;
    s.xEnd = XEnd;
    s.xStep = XStep;
    s.yStart = YStart;
    s.yEnd = YEnd;
    s.yStep = YStep;
    s.axisTexts = axisTexts;
    s.xStartExponent = AxisTextExponent(axisTexts.value(0));
    s.xEndExponent = AxisTextExponent(axisTexts.value(1));
    s.yStartExponent = AxisTextExponent(axisTexts.value(3));
    s.yEndExponent = AxisTextExponent(axisTexts.value(4));
    return s;
}
