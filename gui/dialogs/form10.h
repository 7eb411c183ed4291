// Form10, the file-input dialog: choose a data file, see its lines and extremes, and hand the
// points to the main window.
#pragma once

#include <QWidget>

#include "extremespanel.h"

class QLabel;
class QListWidget;
class QPushButton;
class DirListBox;
class DriveListBox;
class FileListBox;

class Form10 : public QWidget {
    Q_OBJECT
public:
    Form10();

    // What the opener does before showing the dialog: the directory list to its drive's
    // current directory, the file list to it, the data list and the four extremes emptied.
    void prepare();
    // prepare(), then the dialog shown over the opener.
    void openOver(QWidget* opener);
    // Whether the file list offers a file of that name (a data file, not an exchange file).
    bool offersFile(const QString& fileName) const;

    DriveListBox* driveList;
    DirListBox* folderList;
    FileListBox* fileList;
    QListWidget* fileLinesList;
    QLabel* minXLabel;
    QLabel* maxXLabel;
    QLabel* minYLabel;
    QLabel* maxYLabel;
    QPushButton* okButton;
    QPushButton* cancelButton;
    QPushButton* dataFormatButton;
    QLabel* chooseFileLabel;
    QLabel* targetDataLabel;
    QLabel* extremesHeadingLabel;
    QLabel* minimumLabel;
    QLabel* maximumLabel;
    QLabel* fileContentsLabel;

    void showDriveFolders();
    void showFolderFiles();
    // Loads the clicked file: its first 100 lines, two numbers each.
    void loadFile(const QString& fileName);
    // Chooses a file of any folder as a click in the lists would (its drive, its folder, the
    // file): whether it loaded. A file the list does not offer is not loaded.
    bool takeFile(const QString& path);
    void finishInput();
    void cancelInput();
    void showDataFormat();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void loadFailed();
    ExtremesPanel extremes_;
    bool loaded_ = false;  // a file has loaded since the dialog was prepared
};
