// Form4, saving the interpolated table.
#include "form4.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "filelists.h"
#include "keyboard.h"
#include "messagebox.h"
#include "placement.h"
#include "program.h"
#include "savedialog.h"
#include "savedtable.h"
#include "textbox.h"

Form4::Form4() {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Data save"));

    Label1 = Heading(NamedLabel("Label1", QStringLiteral("スプライン補間データを保存します")));
    Label2 = NamedLabel("Label2", QStringLiteral("保存ファイル名を入力して下さい"));
    Text1 = new TextBox(QStringLiteral("Text1"));
    Label3 = NamedLabel("Label3", QStringLiteral("（拡張子は付けないで下さい）"));
    Label4 = NamedLabel("Label4", QStringLiteral("（エクセルcsv形式で保存）"));
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.csv"));
    Command1 = NamedButton("Command1", QStringLiteral("OK"));
    Command2 = NamedButton("Command2", QStringLiteral("Cancel"));

    LayOutSaveDialog(this, {Label1}, {Label2, Text1, Label3, Label4},
                     FileListsColumn(Drive1, Dir1, File1), Command1, Command2);

    connect(Drive1, &DriveListBox::changed, this, &Form4::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &Form4::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form4::Command2_Click);
    AcceptNameWithEnter(Text1, Command1);
    CancelWithEscape(this, Command2);
    ShowDirectoryOfDrive(Drive1, Dir1, File1);
}

void Form4::openFor(TableSource table, const QString& proposedName, QWidget* opener) {
    table_ = std::move(table);
    Text1->setText(proposedName);
    ShowOver(this, opener);
}

void Form4::Drive1_Change() { ShowDirectoryOfDrive(Drive1, Dir1, File1); }

void Form4::Dir1_Change() { ShowFilesOfDirectory(Dir1, File1); }

void Form4::Command1_Click() {
    const QString name = Text1->text();
    if (!AcceptTypedName(this, name, QStringLiteral("  ファイル名を入力して下さい！ "))) return;
    // The main window may have drawn its points anew since this dialog opened, which leaves it
    // no table.
    const ComputedTable* table = table_ ? table_() : nullptr;
    if (!table) {
        ShowMessage(this, QStringLiteral("　保存する補間データがありません。"
                                         "補間グラフを描画してから保存して下さい！　"));
        return;
    }
    // The file is the table's, as its graph was drawn and by the method that made it.
    const QString path =
        SavedTableFileName(File1->path(), name, table->method.flag, table->method.library);
    if (!WriteFileOrReport(this, path, SavedTableText(ResultToSave(*table)))) return;
    emit tableSaved();
    File1->refresh();
    ReportSaved(this, QStringLiteral("  補間データは保存されました  "), path);
    hide();
}

void Form4::Command2_Click() { hide(); }
