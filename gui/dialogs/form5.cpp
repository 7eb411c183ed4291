// Form5, saving a graph as a bitmap.
#include "form5.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "filelists.h"
#include "messagebox.h"
#include "pathutil.h"
#include "picturebox.h"
#include "savedialog.h"
#include "state.h"
#include "textbox.h"

Form5::Form5() {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Image Save"));

    Label1 = Heading(NamedLabel("Label1", QStringLiteral("表示されているグラフ画像を")));
    Label3 = Heading(NamedLabel("Label3", QStringLiteral("ビットマップ形式で保存します")));
    Label4 = NamedLabel("Label4", QStringLiteral("保存ファイル名を入力して下さい"));
    Text1 = new TextBox(QStringLiteral("Text1"));
    Label2 = NamedLabel("Label2", QStringLiteral("（拡張子は付けないで下さい）"));
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.bmp"));
    Command1 = NamedButton("Command1", QStringLiteral("OK"));
    Command2 = NamedButton("Command2", QStringLiteral("Cancel"));

    LayOutSaveDialog(this, {Label1, Label3}, {Label4, Text1, Label2},
                     FileListsColumn(Drive1, Dir1, File1), Command1, Command2);

    connect(Drive1, &DriveListBox::changed, this, &Form5::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &Form5::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form5::Command2_Click);
    ShowDirectoryOfDrive(Drive1, Dir1, File1);
}

void Form5::openFor(int imageSource, PictureBox* picture, const QString& proposedName) {
    ImageSource = imageSource;
    picture_ = picture;
    Text1->setText(proposedName);
    show();
    raise();
}

void Form5::Drive1_Change() { ShowDirectoryOfDrive(Drive1, Dir1, File1); }

void Form5::Dir1_Change() { ShowFilesOfDirectory(Dir1, File1); }

void Form5::Command1_Click() {
    const QString name = Text1->text();
    if (!AcceptTypedName(this, name, QStringLiteral("  ファイル名を入力して下さい！ "))) return;
    if (!picture_) return;  // the opener is gone; there is nothing to save
    const QString path = JoinPath(File1->path(), name + QStringLiteral(".bmp"));
    if (const FileResult written = picture_->saveBmp(path); !written.ok()) {
        ReportWriteFailure(this, path, written.problem);
        return;
    }
    File1->refresh();
    ReportSaved(this, QStringLiteral("  グラフ画像をビットマップ形式(bmp)で保存しました  "), path);
    hide();
}

void Form5::Command2_Click() { hide(); }
