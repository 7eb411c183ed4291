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

    Label1 = Heading(NamedLabel("Label1", QStringLiteral("表示されているグラフ画像を")));
    Label3 = Heading(NamedLabel("Label3", QStringLiteral("ビットマップ形式で保存します")));
    Label4 = NamedLabel("Label4", QStringLiteral("保存ファイル名を入力して下さい"));
    Text1 = new TextBox(QStringLiteral("Text1"));
    Label2 = NamedLabel("Label2", QStringLiteral("（拡張子は付けないで下さい）"));
    // PNG beside the bitmap: the same picture, smaller and read by every program.
    Frame1 = Named(new QGroupBox(QStringLiteral("保存形式")), "Frame1");
    Option1 = NamedOption("Option1", QStringLiteral("BMP（ビットマップ）"));
    Option2 = NamedOption("Option2", QStringLiteral("PNG"));
    auto* formats = new QHBoxLayout(Frame1);
    formats->addWidget(Option1);
    formats->addWidget(Option2);
    formats->addStretch(1);
    Option1->setChecked(true);
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.bmp"));
    Command1 = NamedButton("Command1", QStringLiteral("OK"));
    Command2 = NamedButton("Command2", QStringLiteral("Cancel"));

    LayOutSaveDialog(this, {Label1, Label3}, {Label4, Text1, Label2, Frame1},
                     FileListsColumn(Drive1, Dir1, File1), Command1, Command2);

    connect(Drive1, &DriveListBox::changed, this, &Form5::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &Form5::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    for (QRadioButton* o : {Option1, Option2})
        connect(o, &QRadioButton::toggled, this, &Form5::formatChosen);
    AcceptNameWithEnter(Text1, Command1);
    CancelWithEscape(this, Command2);
    ShowDirectoryOfDrive(Drive1, Dir1, File1);
}

void Form5::openFor(PictureBox* picture, const QString& proposedName, QWidget* opener) {
    picture_ = picture;
    disconnect(pictureCleared_);
    pictureCleared_ = connect(picture, &PictureBox::cleared, this, &QWidget::hide);
    Text1->setText(proposedName);
    Option1->setChecked(true);
    ShowOver(this, opener);
}

void Form5::formatChosen() {
    File1->setPattern(Option2->isChecked() ? QStringLiteral("*.png") : QStringLiteral("*.bmp"));
}

void Form5::Drive1_Change() { ShowDirectoryOfDrive(Drive1, Dir1, File1); }

void Form5::Dir1_Change() { ShowFilesOfDirectory(Dir1, File1); }

void Form5::Command1_Click() {
    const QString name = Text1->text();
    if (!AcceptTypedName(this, name, QStringLiteral("  ファイル名を入力して下さい！ "))) return;
    if (!picture_) return;  // the opener is gone; there is nothing to save
    const bool png = Option2->isChecked();
    const QString path =
        JoinPath(File1->path(), name + (png ? QStringLiteral(".png") : QStringLiteral(".bmp")));
    if (!WriteImageOrReport(this, path, picture_->image(), png ? "PNG" : "BMP")) return;
    File1->refresh();
    ReportSaved(this,
                png ? QStringLiteral("  グラフ画像をPNG形式(png)で保存しました  ")
                    : QStringLiteral("  グラフ画像をビットマップ形式(bmp)で保存しました  "),
                path);
    hide();
}

void Form5::Command2_Click() { hide(); }
