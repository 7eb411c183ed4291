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

    QLabel* Label7;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TextBox* Text1;
    TextBox* Text2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command4;
    QPushButton* Command3;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    TextBox* Text3;
    TextBox* Text4;
    TextBox* Text5;
    QPushButton* Command7;
    QPushButton* Command6;
    QPushButton* Command5;
    QLabel* Label9;
    QLabel* Label17;
    QLabel* Label18;
    QLabel* Label19;
    QListWidget* List1;
    // 「データを貼り付け」 (Ctrl+V, and the list's context menu): a block of points from the
    // clipboard.
    QAction* PasteData;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Command4 (no correction) and Command6 (end of correction) hand the data over alike.
    void HandOver_Click();
    void Command5_Click();
    void Command7_Click();
    void Text_KeyDown(TextBox* box, int key);
    void PasteData_Click();

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
