// The graph of a window with its mouse read-out: the panel's controls, and the window's table
// looked up at the mouse X, shown on the window's two cursor lines and two read-out labels.
#pragma once

#include <QSize>

class QHBoxLayout;
class QLabel;
class LineControl;
class PictureBox;
struct GraphSettings;
struct TableView;

// Size of a graph in pixels; a saved image has this size.
inline constexpr QSize kGraphSize(720, 540);

// The controls of a graph and its read-out row, by their object names: "Picture1" with its red
// cursor lines "Line1" (vertical) and "Line2" (horizontal), the hint, "X =" ("Label25") and "Y="
// ("Label26") with the value labels. The windows name the hint and the value labels differently.
struct GraphPanel {
    PictureBox* picture;
    LineControl* vertical;
    LineControl* horizontal;
    QLabel* hint;
    QLabel* xCaption;
    QLabel* xValue;
    QLabel* yCaption;
    QLabel* yValue;
    QHBoxLayout* readRow;  // the hint, then the captions and values, for below the picture
};
GraphPanel MakeGraphPanel(const char* hintName, const char* xValueName, const char* yValueName);

// Both cursor lines hidden, both read-out texts emptied.
void ClearReadOut(const GraphPanel& panel);
// The picture cleared, and the read-out with it.
void ClearGraph(const GraphPanel& panel);
// Nothing while the graph's read-out is not ready. Otherwise the vertical line at the mouse, the
// horizontal line at the Y read off the table, and the X and Y texts; outside the table both
// lines are hidden and both texts emptied.
void TrackReadOut(const GraphPanel& panel, float mouseX, const GraphSettings& settings, bool ready,
                  const TableView& table);
// Both cursor lines through a point of the curve (exchange space), and its X and Y texts.
void MarkReadOutPoint(const GraphPanel& panel, const GraphSettings& settings, double x, double y);
