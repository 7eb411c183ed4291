// Form5, saving a graph as a bitmap.
#include "form5.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls.h"
#include "filelists.h"
#include "keyboard.h"
#include "messagebox.h"
#include "pathutil.h"
#include "picturebox.h"
#include "placement.h"
#include "savedialog.h"
#include "textbox.h"

Form5::Form5() {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Image Save"));

    headingLabel = Heading(NamedLabel("Label1", QStringLiteral("表示されているグラフ画像を")));
    bitmapHeadingLabel =
        Heading(NamedLabel("Label3", QStringLiteral("ビットマップ形式で保存します")));
    namePromptLabel = NamedLabel("Label4", QStringLiteral("保存ファイル名を入力して下さい"));
    fileNameField = new TextBox(QStringLiteral("Text1"));
    noExtensionLabel = NamedLabel("Label2", QStringLiteral("（拡張子は付けないで下さい）"));
    // PNG beside the bitmap: the same picture, smaller and read by every program.
    formatGroup = Named(new QGroupBox(QStringLiteral("保存形式")), "Frame1");
    bmpOption = NamedOption("Option1", QStringLiteral("BMP（ビットマップ）"));
    pngOption = NamedOption("Option2", QStringLiteral("PNG"));
    auto* formats = new QHBoxLayout(formatGroup);
    formats->addWidget(bmpOption);
    formats->addWidget(pngOption);
    formats->addStretch(1);
    bmpOption->setChecked(true);
    driveList = new DriveListBox(QStringLiteral("Drive1"));
    folderList = new DirListBox(QStringLiteral("Dir1"));
    fileList = new FileListBox(QStringLiteral("File1"));
    fileList->setPattern(QStringLiteral("*.bmp"));
    okButton = NamedButton("Command1", QStringLiteral("OK"));
    cancelButton = NamedButton("Command2", QStringLiteral("Cancel"));

    LayOutSaveDialog(this, {headingLabel, bitmapHeadingLabel},
                     {namePromptLabel, fileNameField, noExtensionLabel, formatGroup},
                     FileListsColumn(driveList, folderList, fileList), okButton, cancelButton);

    connect(driveList, &DriveListBox::changed, this, &Form5::showDriveFolders);
    connect(folderList, &DirListBox::changed, this, &Form5::showFolderFiles);
    connect(okButton, &QPushButton::clicked, this, &Form5::saveImage);
    connect(cancelButton, &QPushButton::clicked, this, &Form5::cancelSaving);
    for (QRadioButton* o : {bmpOption, pngOption})
        connect(o, &QRadioButton::toggled, this, &Form5::formatChosen);
    AcceptNameWithEnter(fileNameField, okButton);
    CancelWithEscape(this, cancelButton);
    ShowDirectoryOfDrive(driveList, folderList, fileList);
}

void Form5::openFor(PictureBox* picture, const QString& proposedName, QWidget* opener) {
    picture_ = picture;
    disconnect(pictureCleared_);
    pictureCleared_ = connect(picture, &PictureBox::cleared, this, &QWidget::hide);
    fileNameField->setText(proposedName);
    bmpOption->setChecked(true);
    ShowOver(this, opener);
}

void Form5::formatChosen() {
    fileList->setPattern(pngOption->isChecked() ? QStringLiteral("*.png")
                                                : QStringLiteral("*.bmp"));
}

void Form5::showDriveFolders() { ShowDirectoryOfDrive(driveList, folderList, fileList); }

void Form5::showFolderFiles() { ShowFilesOfDirectory(folderList, fileList); }

void Form5::saveImage() {
    const QString name = fileNameField->text();
    if (!AcceptTypedName(this, name, QStringLiteral("  ファイル名を入力して下さい！ "))) return;
    if (!picture_) return;  // the opener is gone; there is nothing to save
    const bool png = pngOption->isChecked();
    const QString path =
        JoinPath(fileList->path(), name + (png ? QStringLiteral(".png") : QStringLiteral(".bmp")));
    if (!WriteImageOrReport(this, path, picture_->image(), png ? "PNG" : "BMP")) return;
    fileList->refresh();
    ReportSaved(this,
                png ? QStringLiteral("  グラフ画像をPNG形式(png)で保存しました  ")
                    : QStringLiteral("  グラフ画像をビットマップ形式(bmp)で保存しました  "),
                path);
    hide();
}

void Form5::cancelSaving() { hide(); }
