// Form5, saving a graph as a bitmap: the opener hands over the picture and a proposed name.
#pragma once

#include <QPointer>
#include <QWidget>

class QGroupBox;
class QLabel;
class QRadioButton;
class QPushButton;
class DirListBox;
class DriveListBox;
class FileListBox;
class PictureBox;
class TextBox;

class Form5 : public QWidget {
    Q_OBJECT
public:
    Form5();

    // Takes the picture whose graph is saved (the main window's or the viewer's), proposes a file
    // name and shows the dialog over the opener, with BMP chosen. The dialog closes when that
    // picture is cleared: the name proposed is no longer its graph's.
    void openFor(PictureBox* picture, const QString& proposedName, QWidget* opener);

    QLabel* headingLabel;
    QLabel* bitmapHeadingLabel;
    QLabel* namePromptLabel;
    TextBox* fileNameField;
    QLabel* noExtensionLabel;
    QGroupBox* formatGroup;
    QRadioButton* bmpOption;  // BMP
    QRadioButton* pngOption;  // PNG
    DriveListBox* driveList;
    DirListBox* folderList;
    FileListBox* fileList;
    QPushButton* okButton;
    QPushButton* cancelButton;

    void showDriveFolders();
    void showFolderFiles();
    void saveImage();
    void cancelSaving();

private:
    // The file list shows the files of the format chosen.
    void formatChosen();

    QPointer<PictureBox> picture_;
    QMetaObject::Connection pictureCleared_;
};
