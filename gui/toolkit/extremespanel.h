// The panel of the data's extremes that the main window and both input dialogs show: smallest
// and largest X and Y (object names Label31 to Label34) in two rows headed 最小値 and 最大値,
// under an X and Y heading where the window has one.
#pragma once

#include <QStringList>

class QGridLayout;
class QLabel;

struct ExtremesPanel {
    QLabel* heading;  // "X                Y" over the two columns, or null
    QLabel* minimum;  // "最小値"
    QLabel* maximum;  // "最大値"
    QLabel* minX;     // object name Label31
    QLabel* maxX;     // object name Label32
    QLabel* minY;     // object name Label33
    QLabel* maxY;     // object name Label34
    QGridLayout* grid;

    // The texts in the order smallest X, largest X, smallest Y, largest Y.
    void show(const QStringList& texts) const;
    void clear() const;
};

// The windows name the heading and the row headings differently; a null heading name leaves the
// heading out.
ExtremesPanel MakeExtremesPanel(const char* headingName, const char* minimumName,
                                const char* maximumName);
