// The data's extremes shown in a window.
#include "extremespanel.h"

#include <QGridLayout>

#include "columnheading.h"
#include "controls.h"

ExtremesPanel MakeExtremesPanel(const char* headingName, const char* minimumName,
                                const char* maximumName) {
    ExtremesPanel p;
    p.minX = ReadoutLabel("Label31", 90);
    p.maxX = ReadoutLabel("Label32", 90);
    p.minY = ReadoutLabel("Label33", 90);
    p.maxY = ReadoutLabel("Label34", 90);
    p.heading = headingName ? new ColumnHeading(headingName, QStringLiteral("X                Y"),
                                                {p.minX, p.minY})
                            : nullptr;
    p.minimum = NamedLabel(minimumName, QStringLiteral("最小値"));
    p.maximum = NamedLabel(maximumName, QStringLiteral("最大値"));
    p.grid = new QGridLayout;
    const int top = p.heading ? 1 : 0;
    if (p.heading) p.grid->addWidget(p.heading, 0, 1, 1, 2);
    p.grid->addWidget(p.minimum, top, 0);
    p.grid->addWidget(p.minX, top, 1);
    p.grid->addWidget(p.minY, top, 2);
    p.grid->addWidget(p.maximum, top + 1, 0);
    p.grid->addWidget(p.maxX, top + 1, 1);
    p.grid->addWidget(p.maxY, top + 1, 2);
    return p;
}

void ExtremesPanel::show(const QStringList& texts) const {
    SetTexts({minX, maxX, minY, maxY}, texts);
}

void ExtremesPanel::clear() const {
    for (QLabel* l : {minX, maxX, minY, maxY}) l->clear();
}
