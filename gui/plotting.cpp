// Graph plotting in the four scale modes from one set of per-axis rules.
#include "plotting.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <vector>

#include "exchange.h"
#include "picturebox.h"
#include "state.h"
#include "textconv.h"

namespace {

// Where an axis kind puts the end labels, as fractions of the graph's width W (from the left
// end of the X axis) and height H (from the bottom of the Y axis).
struct AxisLabelRule {
    double startDx, endDx;  // the X labels, when this is the X axis
    double xLabelsDy;       // the X labels' height, when this is the Y axis
};
constexpr AxisLabelRule kLabelRules[2] = {
    /* Linear */ {-0.01, 0.96, -0.01},
    /* Log    */ {-0.08, 0.92, -0.02},
};

// Where the Y labels stand: heights above the bottom (fractions of H), and how far left of
// the Y axis (fractions of W). An ordinary decimal text and an exponent text may sit
// differently, and short labels may move towards the axis.
struct YLabelRule {
    double startDy, endDy;
    double startDecimal, startExponent, endDecimal, endExponent;
    bool nudgeShortLabels;
};

struct ModeRule {
    double xDecimalBound;  // linear X labels: ordinary decimal form up to this magnitude
    YLabelRule yLabels;
};
constexpr double kYDecimalBound = 100;
constexpr ModeRule kModes[4] = {
    /* Linear - Linear */ {1000, {0.03, 1.01, 0.10, 0.05, 0.10, 0.13, false}},
    /* Linear - Log    */ {100, {0.03, 1.03, 0.13, 0.13, 0.13, 0.13, false}},
    /* Log - Linear    */ {0, {0.03, 1.03, 0.13, 0.13, 0.15, 0.15, true}},
    /* Log - Log       */ {0, {0.03, 1.03, 0.13, 0.13, 0.13, 0.13, false}},
};

const ModeRule& modeRule(int mode) { return kModes[(mode >= 1 && mode <= 4 ? mode : 4) - 1]; }
const AxisLabelRule& labelRule(AxisKind kind) { return kLabelRules[kind == AxisKind::Log]; }

bool isDecimalLabel(AxisKind kind, double v, double bound) {
    return kind == AxisKind::Linear && -bound <= v && v <= bound;
}

// More grid lines than this stand closer than a pixel in any picture; a finer step is drawn
// with this many lines, which covers the graph the same.
constexpr double kMaxGridLines = 100000;

// Plot coordinates of the grid lines of one axis, inside its range.
template <typename Fn>
void forEachGridLine(const AxisMap& axis, double start, double end, double step, Fn line) {
    if (axis.kind == AxisKind::Linear) {
        step = std::max(step, (end - start) / kMaxGridLines);
        for (int k = 1;; ++k) {
            const double v = start + k * step;
            if (!(v < end)) break;
            line(v);
        }
    } else {
        // Ten lines per decade, at 1, 2, ..., 10 times its power of ten.
        for (int d = 0; d * kLn10 < axis.length; ++d)
            for (int m = 1; m <= 10; ++m) line(d * kLn10 + std::log(double(m)));
    }
}

// Shortens the distance of a one- or two-character Y label from the axis.
double shortLabelNudge(const QString& text) {
    if (text.size() == 1) return 0.08;
    if (text.size() == 2) return 0.05;
    return 0.0;
}

// Moves a label's top-left corner (user units) so that the whole text lies inside the picture;
// a label already inside (to half a pixel) keeps its position exactly.
void keepInside(const PictureBox& picture, const QString& text, double& x, double& y) {
    const QFontMetrics metrics(picture.font(), &picture.image());
    const QSize pixels = picture.image().size();
    const UserScale& sc = picture.scale();
    const QPointF at = sc.toPixel(x, y, pixels);
    auto inside = [](double p, double extent, double room) {
        if (p + extent > room + 0.5) p = room - extent;
        return p < -0.5 ? 0.0 : p;
    };
    const double px = inside(at.x(), metrics.horizontalAdvance(text), pixels.width());
    const double py = inside(at.y(), metrics.height(), pixels.height());
    if (px != at.x()) x = sc.left + px * sc.width / pixels.width();
    if (py != at.y()) y = sc.top + py * sc.height / pixels.height();
}

}  // namespace

QString AxisLabelText(AxisKind kind, double v, double decimalBound) {
    if (isDecimalLabel(kind, v, decimalBound)) return GeneralNumberText(v);
    return FormatNumber(v, u"0.0E+0");
}

void DrawGraphFrame(PictureBox& picture, const GraphSettings& s) {
    const GraphMapping g = MappingFor(s);
    picture.setScale(g.scale());
    picture.setDrawWidth(1);
    const QColor grid = PaletteColor(kGridColor);
    forEachGridLine(g.x, s.xStart, s.xEnd, s.xStep,
                    [&](double x) { picture.drawLine(x, g.y.origin, x, g.y.end(), grid); });
    forEachGridLine(g.y, s.yStart, s.yEnd, s.yStep,
                    [&](double y) { picture.drawLine(g.x.origin, y, g.x.end(), y, grid); });
    picture.setDrawWidth(2);
    picture.drawBox(g.x.origin, g.y.origin, g.x.end(), g.y.end(), picture.foreColor());
}

void DrawAxisLabels(PictureBox& picture, const GraphSettings& s) {
    const ModeRule& rule = modeRule(s.mode);
    const AxisKind xKind = XAxisKind(s.mode), yKind = YAxisKind(s.mode);
    const GraphMapping g = MappingFor(s);
    const double w = g.x.length, h = g.y.length;
    const double ox = g.x.origin, oy = g.y.origin;
    const double xBound = s.mode == 1 ? s.mode1XDecimalBound : rule.xDecimalBound;
    const AxisLabelRule& xr = labelRule(xKind);
    const AxisLabelRule& yr = labelRule(yKind);
    const YLabelRule& yl = rule.yLabels;

    picture.setDrawWidth(1);
    auto put = [&](double x, double y, const QString& text) {
        keepInside(picture, text, x, y);
        picture.setCurrentPosition(x, y);
        picture.printText(text);
    };
    put(ox + xr.startDx * w, oy + yr.xLabelsDy * h, AxisLabelText(xKind, s.xStart, xBound));
    put(ox + xr.endDx * w, oy + yr.xLabelsDy * h, AxisLabelText(xKind, s.xEnd, xBound));

    const QString yStartText = AxisLabelText(yKind, s.yStart, kYDecimalBound);
    const QString yEndText = AxisLabelText(yKind, s.yEnd, kYDecimalBound);
    const bool startDecimal = isDecimalLabel(yKind, s.yStart, kYDecimalBound);
    const bool endDecimal = isDecimalLabel(yKind, s.yEnd, kYDecimalBound);
    double startDx = -(startDecimal ? yl.startDecimal : yl.startExponent);
    double endDx = -(endDecimal ? yl.endDecimal : yl.endExponent);
    if (yl.nudgeShortLabels) {
        startDx += shortLabelNudge(yStartText);
        endDx += shortLabelNudge(yEndText);
    }
    put(ox + startDx * w, oy + yl.startDy * h, yStartText);
    put(ox + endDx * w, oy + yl.endDy * h, yEndText);
}

void DrawDataPoints(PictureBox& picture, const GraphMapping& g, int count, const double x[],
                    const double y[]) {
    const QColor red = PaletteColor(kPointColor);
    for (int i = 1; i <= count; ++i) picture.drawPoint(g.x.plot(x[i]), g.y.plot(y[i]), red);
}

void DrawTableCurve(PictureBox& picture, const GraphMapping& g, const TableView& t) {
    if (t.count < 1) return;
    const QColor blue = PaletteColor(kCurveColor);
    std::vector<QPointF> rows(size_t(t.count));
    for (int i = 1; i <= t.count; ++i) rows[size_t(i - 1)] = {g.x.plot(t.x[i]), g.y.plot(t.y[i])};
    picture.drawPoint(rows[0].x(), rows[0].y(), blue);
    picture.drawPolyline(rows, blue);
}

void DrawPointGraph(PictureBox& picture, const GraphSettings& s, const DataPoints& p) {
    DrawGraphFrame(picture, s);
    picture.setDrawWidth(6);
    DrawDataPoints(picture, MappingFor(s), p.DataCount, IsLogX(s.mode) ? p.LogDataX : p.DataX,
                   IsLogY(s.mode) ? p.LogDataY : p.DataY);
    DrawAxisLabels(picture, s);
}

FileResult DrawDataGraph(PictureBox& picture, const GraphSettings& s, const DataPoints& p) {
    DrawPointGraph(picture, s, p);
    return WritePointFile(p, s.mode);
}

void DrawSavedGraph(PictureBox& picture, const GraphSettings& s, const TableView& table) {
    DrawGraphFrame(picture, s);
    DrawAxisLabels(picture, s);
    picture.setDrawWidth(2);
    DrawTableCurve(picture, MappingFor(s), table);
}
