// The read-out shown on a graph window's controls.
#include "readoutpanel.h"

#include <QLabel>

#include "linecontrol.h"
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
