// Form10, the file-input dialog.
#include "form10.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "datainput.h"
#include "events.h"
#include "exchange.h"
#include "extremespanel.h"
#include "filelists.h"
#include "form1.h"
#include "form3.h"
#include "form9.h"
#include "keyboard.h"
#include "messagebox.h"
#include "pathutil.h"
#include "placement.h"
#include "program.h"

Form10::Form10() {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral(" データ入力（ファイル入力）"));

    chooseFileLabel = NamedLabel("Label1", QStringLiteral("ファイルを選択して下さい"));
    driveList = new DriveListBox(QStringLiteral("Drive1"));
    folderList = new DirListBox(QStringLiteral("Dir1"));
    fileList = new FileListBox(QStringLiteral("File1"));
    fileList->setPattern(QStringLiteral("*.dat;*.csv"));
    // The exchange files match the pattern but are no data files.
    fileList->setExcluded({QLatin1String(contract::kPointFile),
                           QLatin1String(contract::kMethodFile),
                           QLatin1String(contract::kTableFile)});
    fileContentsLabel = NamedLabel("Label2", QStringLiteral("このファイルの内容"));
    fileLinesList = Named(new QListWidget, "List1");
    targetDataLabel = NamedLabel("Label7", QStringLiteral("補間の対象とするデータ"));
    extremes_ = MakeExtremesPanel("Label3", "Label4", "Label5");
    extremesHeadingLabel = extremes_.heading;
    minimumLabel = extremes_.minimum;
    maximumLabel = extremes_.maximum;
    minXLabel = extremes_.minX;
    maxXLabel = extremes_.maxX;
    minYLabel = extremes_.minY;
    maxYLabel = extremes_.maxY;
    okButton = NamedButton("Command1", QStringLiteral("OK"));
    cancelButton = NamedButton("Command2", QStringLiteral("キャンセル"));
    dataFormatButton = NamedButton("Command3", QStringLiteral("データ書式"));

    auto* files = new QVBoxLayout;
    files->addWidget(chooseFileLabel);
    files->addLayout(FileListsColumn(driveList, folderList, fileList), 1);
    files->addWidget(dataFormatButton);
    auto* contents = new QVBoxLayout;
    contents->addWidget(fileContentsLabel);
    contents->addWidget(fileLinesList, 1);
    contents->addSpacing(6);
    contents->addWidget(targetDataLabel);
    contents->addLayout(extremes_.grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    contents->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(files, 1);
    top->addSpacing(8);
    top->addLayout(contents, 1);
    resize(720, 520);

    connect(driveList, &DriveListBox::changed, this, &Form10::showDriveFolders);
    connect(folderList, &DirListBox::changed, this, &Form10::showFolderFiles);
    connect(fileList, &FileListBox::clicked, this, &Form10::loadFile);
    // Return on a file chosen with the arrow keys loads it; one more Return takes it.
    connect(fileList, &FileListBox::activated, this, [this] {
        if (loaded_) okButton->setFocus();
    });
    connect(okButton, &QPushButton::clicked, this, &Form10::finishInput);
    connect(cancelButton, &QPushButton::clicked, this, &Form10::cancelInput);
    connect(dataFormatButton, &QPushButton::clicked, this, &Form10::showDataFormat);
    CancelWithEscape(this, cancelButton);
    setAcceptDrops(true);
}

void Form10::openOver(QWidget* opener) {
    prepare();
    ShowOver(this, opener);
}

bool Form10::offersFile(const QString& fileName) const { return fileList->offers(fileName); }

void Form10::prepare() {
    loaded_ = false;
    ShowDirectoryOfDrive(driveList, folderList, fileList);
    fileLinesList->clear();
    extremes_.clear();
}

void Form10::showDriveFolders() { ShowDirectoryOfDrive(driveList, folderList, fileList); }

void Form10::showFolderFiles() { ShowFilesOfDirectory(folderList, fileList); }

bool Form10::takeFile(const QString& path) {
    const QFileInfo file(path);
    if (!fileList->offers(file.fileName())) return false;
    driveList->setDrive(DriveListBox::volumeRootOf(file.absolutePath()));
    folderList->setPath(file.absolutePath());
    ShowFilesOfDirectory(folderList, fileList);
    const QList<QListWidgetItem*> found = fileList->findItems(file.fileName(), Qt::MatchExactly);
    if (found.size() != 1) return false;
    fileList->setCurrentItem(found[0]);
    loadFile(file.fileName());
    return loaded_;
}

void Form10::dragEnterEvent(QDragEnterEvent* event) {
    const QString path = DroppedDataFile(event->mimeData());
    if (!path.isEmpty() && fileList->offers(QFileInfo(path).fileName()))
        event->acceptProposedAction();
}

void Form10::dropEvent(QDropEvent* event) {
    const QString path = DroppedDataFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    takeFile(path);
}

void Form10::loadFile(const QString& fileName) {
    loaded_ = false;
    extremes_.clear();
    fileLinesList->clear();
    // Until this file has loaded, the main window holds no data to draw.
    form1()->clearInputData();

    const QString path = JoinPath(fileList->path(), fileName);
    DataPoints points;
    const DataFileLoad load = LoadDataFile(path, points);
    if (load.status == DataFileLoad::Refused) {
        // No data file at all: the read-error dialog's causes would mislead.
        Beep();
        ReportReadFailure(this, path, load.problem);
        return;
    }
    if (load.status != DataFileLoad::Loaded) {
        loadFailed();
        return;
    }
    fileLinesList->addItems(load.lines);
    extremes_.show(DataExtremeTexts(points));
    form1()->takeData(points, load.lines);
    loaded_ = true;
    if (load.unread > 0)
        ShowMessage(this,
                    QStringLiteral("　データ数が上限(%1)を超えています。最初の %1 点を読み込み、"
                                   "%2 行目以降の %3 行は読み込みませんでした。　")
                        .arg(kDataLimit)
                        .arg(kDataLimit + 1)
                        .arg(load.unread),
                    QMessageBox::NoIcon);
}

void Form10::loadFailed() {
    fileLinesList->clear();
    Beep();
    ShowOver(form3(), this);
}

void Form10::finishInput() {
    hide();
    form9()->hide();
    // The main window took the points when they loaded; without a good load it holds none.
    form1()->show();
    form1()->activateWindow();
}

void Form10::cancelInput() {
    hide();
    form9()->hide();
    form1()->clearInputData();
    form1()->show();
}

void Form10::closeEvent(QCloseEvent* event) {
    // The close box gives up like the cancel button; the program goes on in the main window.
    event->ignore();
    cancelInput();
}

void Form10::showDataFormat() {
    form9()->prepare();
    ShowOver(form9(), this);
}
