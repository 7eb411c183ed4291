// The read-out shown on a graph window's controls.
#include "readoutpanel.h"

#include <QHBoxLayout>
#include <QLabel>

#include "controls.h"
#include "linecontrol.h"
#include "picturebox.h"
#include "plotting.h"
#include "readout.h"
#include "state.h"

void TrackReadOut(float mouseX, const GraphSettings& settings, LineControl* vertical,
                  LineControl* horizontal, QLabel* xText, QLabel* yText) {
    if (CurveReady == 0) return;
    const ReadOut r =
        ReadOutAt(mouseX, MappingFor(settings), TableCount, TableX, TableY, TableMinX, TableMaxX);
    if (!r.show) {
        vertical->hide();
        horizontal->hide();
        xText->clear();
        yText->clear();
        return;
    }
    vertical->setPosition(mouseX);
    vertical->show();
    horizontal->setPosition(r.cursorY);
    horizontal->show();
    xText->setText(r.xText);
    yText->setText(r.yText);
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
