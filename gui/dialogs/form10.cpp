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

    Label1 = NamedLabel("Label1", QStringLiteral("ファイルを選択して下さい"));
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.dat;*.csv"));
    // The exchange files match the pattern but are no data files.
    File1->setExcluded({QLatin1String(contract::kPointFile), QLatin1String(contract::kMethodFile),
                        QLatin1String(contract::kTableFile)});
    Label2 = NamedLabel("Label2", QStringLiteral("このファイルの内容"));
    List1 = Named(new QListWidget, "List1");
    Label7 = NamedLabel("Label7", QStringLiteral("補間の対象とするデータ"));
    extremes_ = MakeExtremesPanel("Label3", "Label4", "Label5");
    Label3 = extremes_.heading;
    Label4 = extremes_.minimum;
    Label5 = extremes_.maximum;
    Label31 = extremes_.minX;
    Label32 = extremes_.maxX;
    Label33 = extremes_.minY;
    Label34 = extremes_.maxY;
    Command1 = NamedButton("Command1", QStringLiteral("OK"));
    Command2 = NamedButton("Command2", QStringLiteral("キャンセル"));
    Command3 = NamedButton("Command3", QStringLiteral("データ書式"));

    auto* files = new QVBoxLayout;
    files->addWidget(Label1);
    files->addLayout(FileListsColumn(Drive1, Dir1, File1), 1);
    files->addWidget(Command3);
    auto* contents = new QVBoxLayout;
    contents->addWidget(Label2);
    contents->addWidget(List1, 1);
    contents->addSpacing(6);
    contents->addWidget(Label7);
    contents->addLayout(extremes_.grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    contents->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(files, 1);
    top->addSpacing(8);
    top->addLayout(contents, 1);
    resize(720, 520);

    connect(Drive1, &DriveListBox::changed, this, &Form10::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &Form10::Dir1_Change);
    connect(File1, &FileListBox::clicked, this, &Form10::File1_Click);
    // Return on a file chosen with the arrow keys loads it; one more Return takes it.
    connect(File1, &FileListBox::activated, this, [this] {
        if (loaded_) Command1->setFocus();
    });
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form10::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form10::Command3_Click);
    CancelWithEscape(this, Command2);
    setAcceptDrops(true);
}

void Form10::openOver(QWidget* opener) {
    prepare();
    ShowOver(this, opener);
}

bool Form10::offersFile(const QString& fileName) const { return File1->offers(fileName); }

void Form10::prepare() {
    loaded_ = false;
    ShowDirectoryOfDrive(Drive1, Dir1, File1);
    List1->clear();
    extremes_.clear();
}

void Form10::Drive1_Change() { ShowDirectoryOfDrive(Drive1, Dir1, File1); }

void Form10::Dir1_Change() { ShowFilesOfDirectory(Dir1, File1); }

bool Form10::takeFile(const QString& path) {
    const QFileInfo file(path);
    if (!File1->offers(file.fileName())) return false;
    Drive1->setDrive(DriveListBox::volumeRootOf(file.absolutePath()));
    Dir1->setPath(file.absolutePath());
    ShowFilesOfDirectory(Dir1, File1);
    const QList<QListWidgetItem*> found = File1->findItems(file.fileName(), Qt::MatchExactly);
    if (found.size() != 1) return false;
    File1->setCurrentItem(found[0]);
    File1_Click(file.fileName());
    return loaded_;
}

void Form10::dragEnterEvent(QDragEnterEvent* event) {
    const QString path = DroppedDataFile(event->mimeData());
    if (!path.isEmpty() && File1->offers(QFileInfo(path).fileName())) event->acceptProposedAction();
}

void Form10::dropEvent(QDropEvent* event) {
    const QString path = DroppedDataFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    takeFile(path);
}

void Form10::File1_Click(const QString& fileName) {
    loaded_ = false;
    extremes_.clear();
    List1->clear();
    // Until this file has loaded, the main window holds no data to draw.
    form1()->clearInputData();

    const QString path = JoinPath(File1->path(), fileName);
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
    List1->addItems(load.lines);
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
    List1->clear();
    Beep();
    ShowOver(form3(), this);
}

void Form10::Command1_Click() {
    hide();
    form9()->hide();
    // The main window took the points when they loaded; without a good load it holds none.
    form1()->show();
    form1()->activateWindow();
}

void Form10::Command2_Click() {
    hide();
    form9()->hide();
    form1()->clearInputData();
    form1()->show();
}

void Form10::closeEvent(QCloseEvent* event) {
    // The close box gives up like the cancel button; the program goes on in the main window.
    event->ignore();
    Command2_Click();
}

void Form10::Command3_Click() {
    form9()->prepare();
    ShowOver(form9(), this);
}
