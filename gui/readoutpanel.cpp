// The read-out shown on a graph window's controls.
#include "readoutpanel.h"

#include <QHBoxLayout>
#include <QLabel>

#include "controls.h"
#include "linecontrol.h"
#include "picturebox.h"
#include "plotting.h"
#include "readout.h"

void ClearReadOut(const GraphPanel& p) {
    p.vertical->hide();
    p.horizontal->hide();
    p.xValue->clear();
    p.yValue->clear();
}

void ClearGraph(const GraphPanel& p) {
    p.picture->clear();
    ClearReadOut(p);
}

namespace {
void showReadOut(const GraphPanel& p, double cursorX, const ReadOut& r) {
    p.vertical->setPosition(cursorX);
    p.vertical->show();
    p.horizontal->setPosition(r.cursorY);
    p.horizontal->show();
    p.xValue->setText(r.xText);
    p.yValue->setText(r.yText);
}
}  // namespace

void TrackReadOut(const GraphPanel& p, float mouseX, const GraphSettings& settings, bool ready,
                  const TableView& table) {
    if (!ready) return;
    const ReadOut r = ReadOutAt(mouseX, MappingFor(settings), table);
    if (!r.show) {
        ClearReadOut(p);
        return;
    }
    showReadOut(p, mouseX, r);
}

void MarkReadOutPoint(const GraphPanel& p, const GraphSettings& settings, double x, double y) {
    const GraphMapping g = MappingFor(settings);
    showReadOut(p, g.x.plot(x), PointReadOut(g, x, y));
}

GraphPanel MakeGraphPanel(const char* hintName, const char* xValueName, const char* yValueName) {
    GraphPanel p;
    p.picture = new PictureBox(QStringLiteral("Picture1"), kGraphSize);
    p.vertical =
        new LineControl(QStringLiteral("Line1"), Qt::Vertical, PaletteColor(12), p.picture);
    p.horizontal =
        new LineControl(QStringLiteral("Line2"), Qt::Horizontal, PaletteColor(12), p.picture);
    p.hint = NamedLabel(
        hintName, QStringLiteral("グラフ上でマウスを動かすと、そのＸ座標のＹ値が表示されます"));
    p.xCaption = NamedLabel("Label25", QStringLiteral("X ="));
    p.xValue = ReadoutLabel(xValueName, 110);
    p.yCaption = NamedLabel("Label26", QStringLiteral("Y="));
    p.yValue = ReadoutLabel(yValueName, 110);
    p.readRow = new QHBoxLayout;
    p.readRow->addWidget(p.hint);
    p.readRow->addStretch(1);
    p.readRow->addWidget(p.xCaption);
    p.readRow->addWidget(p.xValue);
    p.readRow->addSpacing(12);
    p.readRow->addWidget(p.yCaption);
    p.readRow->addWidget(p.yValue);
    return p;
}
