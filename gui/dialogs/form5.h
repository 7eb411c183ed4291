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

    QLabel* Label1;
    QLabel* Label3;
    QLabel* Label4;
    TextBox* Text1;
    QLabel* Label2;
    QGroupBox* Frame1;
    QRadioButton* Option1;  // BMP
    QRadioButton* Option2;  // PNG
    DriveListBox* Drive1;
    DirListBox* Dir1;
    FileListBox* File1;
    QPushButton* Command1;
    QPushButton* Command2;

    void Drive1_Change();
    void Dir1_Change();
    void Command1_Click();
    void Command2_Click();

private:
    // The file list shows the files of the format chosen.
    void formatChosen();

    QPointer<PictureBox> picture_;
    QMetaObject::Connection pictureCleared_;
};
