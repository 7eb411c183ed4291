// The mouse read-out of a graph window: the program-wide table looked up at the mouse X, shown
// on the window's two cursor lines and two read-out labels.
#pragma once

class QLabel;
class LineControl;
struct GraphSettings;

// Nothing while CurveReady is 0. Otherwise the vertical line at the mouse, the horizontal line
// at the Y read off, and the X and Y texts; outside the table both lines are hidden and both
// texts emptied.
void TrackReadOut(float mouseX, const GraphSettings& settings, LineControl* vertical,
                  LineControl* horizontal, QLabel* xText, QLabel* yText);
