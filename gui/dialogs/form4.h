// Form4, saving the interpolated table: a file name and a directory, then the saved file.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;
class DirListBox;
class DriveListBox;
class FileListBox;
class TextBox;
struct ComputedTable;

class Form4 : public QWidget {
    Q_OBJECT
public:
    Form4();

    // The table to save, as its owner holds it when the dialog's OK is pressed: none when the
    // owner no longer has one.
    using TableSource = std::function<const ComputedTable*()>;
    // Takes the source of the table, proposes a file name and shows the dialog over the window
    // that opens it.
    void openFor(TableSource table, const QString& proposedName, QWidget* opener);
signals:
    // The table has been written to a file.
    void tableSaved();

public:
    QLabel* headingLabel;
    QLabel* namePromptLabel;
    TextBox* fileNameField;
    QLabel* noExtensionLabel;
    QLabel* csvFormatLabel;
    DriveListBox* driveList;
    DirListBox* folderList;
    FileListBox* fileList;
    QPushButton* okButton;
    QPushButton* cancelButton;

    void showDriveFolders();
    void showFolderFiles();
    void saveTable();
    void cancelSaving();

private:
    TableSource table_;
};
