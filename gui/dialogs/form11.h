// Form11, the hand-entry dialog: points typed one by one or pasted as a block, corrected by
// their number, and handed to the main window.
#pragma once

#include <QWidget>

#include "extremespanel.h"
#include "handentry.h"

class QAction;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class TextBox;

class Form11 : public QWidget {
    Q_OBJECT
public:
    Form11();

    // What the opener does before showing the dialog: entry number 1, the text boxes, the list
    // and the extremes emptied, the buttons that hand the data over and correct them disabled;
    // but the points of a hand entry given up (cancel, Escape, the close box) come back, listed
    // from their stored values, and the entry goes on after them.
    void prepare();
    // prepare(), then the dialog shown over the opener with the focus in the X box.
    void openOver(QWidget* opener);
    // The start state: no points kept, then prepare().
    void reset();
    // Whether the points of a hand entry given up are kept for the next opening.
    bool keepsPoints() const;
    // The points typed so far, for reading.
    const DataPoints& typedPoints() const { return entry_.points; }

    QLabel* headingLabel;
    QLabel* numberColumnLabel;
    QLabel* xColumnLabel;
    QLabel* yColumnLabel;
    QLabel* entryNumberLabel;
    TextBox* xField;
    TextBox* yField;
    QPushButton* nextPointButton;
    QPushButton* endEntryButton;
    QPushButton* handOverButton;
    QPushButton* correctButton;
    QLabel* correctionNumberColumnLabel;
    QLabel* correctionXColumnLabel;
    QLabel* correctionYColumnLabel;
    TextBox* correctionNumberField;
    TextBox* correctionXField;
    TextBox* correctionYField;
    QPushButton* correctionOkButton;
    QPushButton* correctionDoneButton;
    QPushButton* cancelButton;
    QLabel* enteredDataLabel;
    QLabel* listNumberLabel;
    QLabel* listXLabel;
    QLabel* listYLabel;
    QListWidget* pointsList;
    // 「データを貼り付け」 (Ctrl+V, and the list's context menu): a block of points from the
    // clipboard.
    QAction* PasteData;

    void takeHandEntry();
    void endEntry();
    void startCorrection();
    // handOverButton (no correction) and correctionDoneButton (end of correction) hand the data
    // over alike.
    void handOver();
    void cancelEntry();
    void correctPoint();
    void passFocusOnEnter(TextBox* box, int key);
    void pasteFromClipboard();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVBoxLayout* buildEntryColumn();    // heading, entry and correction rows, closing buttons
    QGridLayout* buildEntryRow();       // the next point's number, X, Y and entering buttons
    QGridLayout* buildCorrectionRow();  // which point to correct, its new X and Y
    QVBoxLayout* buildPointList();      // the entered points, their extremes, pasting
    void connectControls();             // buttons, Enter chain and Escape to their handlers

    void showExtremes();
    void pasteBlock(const QString& block);
    // At the limit of points: its message, and the focus to 入力終了. False below the limit.
    bool stopAtLimit();

    ExtremesPanel extremes_;
    HandEntry entry_;    // the points typed, and the number of the next
    bool keep_ = false;  // the entry was given up with points, which the next opening takes up
};
