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

    headingLabel =
        Heading(NamedLabel("Label1", QStringLiteral("スプライン補間データを保存します")));
    namePromptLabel = NamedLabel("Label2", QStringLiteral("保存ファイル名を入力して下さい"));
    fileNameField = new TextBox(QStringLiteral("Text1"));
    noExtensionLabel = NamedLabel("Label3", QStringLiteral("（拡張子は付けないで下さい）"));
    csvFormatLabel = NamedLabel("Label4", QStringLiteral("（エクセルcsv形式で保存）"));
    driveList = new DriveListBox(QStringLiteral("Drive1"));
    folderList = new DirListBox(QStringLiteral("Dir1"));
    fileList = new FileListBox(QStringLiteral("File1"));
    fileList->setPattern(QStringLiteral("*.csv"));
    okButton = NamedButton("Command1", QStringLiteral("OK"));
    cancelButton = NamedButton("Command2", QStringLiteral("Cancel"));

    LayOutSaveDialog(this, {headingLabel},
                     {namePromptLabel, fileNameField, noExtensionLabel, csvFormatLabel},
                     FileListsColumn(driveList, folderList, fileList), okButton, cancelButton);

    connect(driveList, &DriveListBox::changed, this, &Form4::showDriveFolders);
    connect(folderList, &DirListBox::changed, this, &Form4::showFolderFiles);
    connect(okButton, &QPushButton::clicked, this, &Form4::saveTable);
    connect(cancelButton, &QPushButton::clicked, this, &Form4::cancelSaving);
    AcceptNameWithEnter(fileNameField, okButton);
    CancelWithEscape(this, cancelButton);
    ShowDirectoryOfDrive(driveList, folderList, fileList);
}

void Form4::openFor(TableSource table, const QString& proposedName, QWidget* opener) {
    table_ = std::move(table);
    fileNameField->setText(proposedName);
    ShowOver(this, opener);
}

void Form4::showDriveFolders() { ShowDirectoryOfDrive(driveList, folderList, fileList); }

void Form4::showFolderFiles() { ShowFilesOfDirectory(folderList, fileList); }

void Form4::saveTable() {
    const QString name = fileNameField->text();
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
        SavedTableFileName(fileList->path(), name, table->method.flag, table->method.library);
    if (!WriteFileOrReport(this, path, SavedTableText(ResultToSave(*table)))) return;
    emit tableSaved();
    fileList->refresh();
    ReportSaved(this, QStringLiteral("  補間データは保存されました  "), path);
    hide();
}

void Form4::cancelSaving() { hide(); }
