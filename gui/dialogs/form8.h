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

    QLabel* headingLabel;
    QLabel* minimumLabel;
    QLabel* minXLabel;
    QLabel* maximumLabel;
    QLabel* maxXLabel;
    QLabel* pointLimitLabel;
    QLabel* startLabel;
    TextBox* startField;
    QLabel* intervalLabel;
    TextBox* intervalField;
    QLabel* endLabel;
    TextBox* endField;
    QPushButton* okButton;
    DriveListBox* driveList;
    DirListBox* folderList;
    FileListBox* fileList;
    QLabel* fileNamePromptLabel;
    TextBox* fileNameField;
    QPushButton* saveButton;
    QPushButton* cancelButton;
    QLabel* columnsLabel;
    QListWidget* valuesList;
    QAction* CopyData;

    // The table of the last OK: EqualCount points in EqualX/EqualY from index 0. The count of
    // a refused OK stays too, and then nothing can be saved until an OK is accepted.
    int EqualCount = 0;
    std::vector<double> EqualX, EqualY;

    void showDriveFolders();
    void showFolderFiles();
    void passFocusOnEnter(TextBox* box, int key);
    void computeTable();
    void cancelTable();
    void saveTable();

private:
    QGridLayout* buildRange();                 // the first and last data X of the table
    QGridLayout* buildIntervalFields();        // start, interval and end with their captions
    void addSaveChooser(QVBoxLayout* column);  // save lists, file name, save and cancel
    QVBoxLayout* buildTableList();             // the computed table under its column heading
    void connectControls();                    // buttons, fields and the viewer to their handlers

    std::shared_ptr<const ViewedTable> source_;  // the interpolated table computed from
    bool tableHeld_ = false;                     // EqualX/EqualY hold the table of an accepted OK
};
