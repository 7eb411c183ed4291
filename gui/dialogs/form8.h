// Form8, equal-interval tables: from the saved table the viewer loaded, Y values at a start, an
// interval and an end, listed and saved as a comma-separated file.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

struct ViewedTable;

class QAction;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class DirListBox;
class DriveListBox;
class FileListBox;
class TextBox;

class Form8 : public QWidget {
    Q_OBJECT
public:
    Form8();

    // What the viewer does before showing the dialog: the list emptied, the first and last data X
    // of its table shown, the four fields emptied. The dialog computes from this table; it closes
    // when the viewer no longer shows it (another table drawn, a reset, the viewer closed).
    void openFromViewer(std::shared_ptr<const ViewedTable> table);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* Label5;
    QLabel* Label9;
    QLabel* Label6;
    TextBox* Text1;
    QLabel* Label7;
    TextBox* Text2;
    QLabel* Label8;
    TextBox* Text3;
    QPushButton* Command1;
    DriveListBox* Drive1;
    DirListBox* Dir1;
    FileListBox* File1;
    QLabel* Label10;
    TextBox* Text4;
    QPushButton* Command3;
    QPushButton* Command2;
    QLabel* Label11;
    QListWidget* List1;
    QAction* CopyData;

    // The table of the last OK: EqualCount points in EqualX/EqualY from index 0. The count of
    // a refused OK stays too, and then nothing can be saved until an OK is accepted.
    int EqualCount = 0;
    std::vector<double> EqualX, EqualY;

    void Drive1_Change();
    void Dir1_Change();
    void Text_KeyDown(TextBox* box, int key);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    QGridLayout* buildRange();                 // the first and last data X of the table
    QGridLayout* buildIntervalFields();        // start, interval and end with their captions
    void addSaveChooser(QVBoxLayout* column);  // save lists, file name, save and cancel
    QVBoxLayout* buildTableList();             // the computed table under its column heading
    void connectControls();                    // buttons, fields and the viewer to their handlers

    std::shared_ptr<const ViewedTable> source_;  // the interpolated table computed from
    bool tableHeld_ = false;                     // EqualX/EqualY hold the table of an accepted OK
};
