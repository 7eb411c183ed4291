// Axis kinds of the scale modes.
#include "scalemode.h"

namespace {
struct ModeAxes {
    AxisKind x, y;
};
constexpr ModeAxes kModeAxes[4] = {
    {AxisKind::Linear, AxisKind::Linear},
    {AxisKind::Linear, AxisKind::Log},
    {AxisKind::Log, AxisKind::Linear},
    {AxisKind::Log, AxisKind::Log},
};
const ModeAxes& axes(int mode) { return kModeAxes[(mode >= 1 && mode <= 4 ? mode : 4) - 1]; }
}  // namespace

AxisKind XAxisKind(int mode) { return axes(mode).x; }
AxisKind YAxisKind(int mode) { return axes(mode).y; }
