// Form6, the viewer of saved interpolated tables.
#include "form6.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "copyactions.h"
#include "filelists.h"
#include "form12.h"
#include "form2.h"
#include "form5.h"
#include "form8.h"
#include "linecontrol.h"
#include "messagebox.h"
#include "pathutil.h"
#include "picturebox.h"
#include "plotting.h"
#include "program.h"
#include "readoutpanel.h"
#include "savedialog.h"
#include "savefile.h"
#include "tabtext.h"

Form6::Form6() {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Spline Interpolated Data"));

    QVBoxLayout* left = buildFileChooser();
    QVBoxLayout* right = buildGraph();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 0);
    top->addSpacing(8);
    top->addLayout(right, 1);

    connectControls();
    addGraphActions();
    prepare();
}

QVBoxLayout* Form6::buildFileChooser() {
    headingLabel = Heading(NamedLabel("Label1", QStringLiteral("スプライン補間データ検索")));
    chooseFileLabel = NamedLabel("Label2", QStringLiteral("ファイルを選択して下さい"));
    driveList = new DriveListBox(QStringLiteral("Drive1"));
    folderList = new DirListBox(QStringLiteral("Dir1"));
    fileList = new FileListBox(QStringLiteral("File1"));
    fileList->setPattern(QStringLiteral("*Sp.csv"));
    drawGraphButton = NamedButton("Command1", QStringLiteral("グラフ描画"));
    drawPointsButton = NamedButton("Command4", QStringLiteral("データ点描画"));
    equalIntervalButton = NamedButton("Command5", QStringLiteral("等間隔データの作成"));
    saveImageButton = NamedButton("Command8", QStringLiteral("グラフ画像保存"));
    resetButton = NamedButton("Command3", QStringLiteral("Reset"));
    endButton = NamedButton("Command2", QStringLiteral("終了"));

    auto* left = new QVBoxLayout;
    left->addWidget(headingLabel);
    left->addSpacing(4);
    left->addWidget(chooseFileLabel);
    left->addLayout(FileListsColumn(driveList, folderList, fileList), 1);
    left->addSpacing(6);
    for (QPushButton* b : {drawGraphButton, drawPointsButton, equalIntervalButton, saveImageButton})
        left->addWidget(b);
    left->addSpacing(6);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(resetButton);
    endRow->addWidget(endButton);
    left->addLayout(endRow);
    return left;
}

QVBoxLayout* Form6::buildGraph() {
    graph_ = MakeGraphPanel("Label3", "Label7", "Label8");
    graphPicture = graph_.picture;
    auto* right = new QVBoxLayout;
    right->addWidget(graphPicture);
    right->addLayout(graph_.readRow);
    right->addStretch(1);
    return right;
}

void Form6::connectControls() {
    connect(driveList, &DriveListBox::changed, this, &Form6::showDriveFolders);
    connect(folderList, &DirListBox::changed, this, &Form6::showFolderFiles);
    connect(fileList, &FileListBox::clicked, this, &Form6::chooseFile);
    // A file chosen with the arrow keys can be drawn as a clicked one; Return on it leads on to
    // drawing it.
    connect(fileList, &QListWidget::itemSelectionChanged, this, [this] {
        if (!fileList->fileName().isEmpty()) chooseFile();
    });
    connect(fileList, &FileListBox::activated, this, [this] { drawGraphButton->setFocus(); });
    connect(drawGraphButton, &QPushButton::clicked, this, &Form6::drawGraph);
    connect(endButton, &QPushButton::clicked, this, &Form6::leaveViewer);
    connect(resetButton, &QPushButton::clicked, this, &Form6::resetViewer);
    connect(drawPointsButton, &QPushButton::clicked, this, &Form6::drawPoints);
    connect(equalIntervalButton, &QPushButton::clicked, this, &Form6::openEqualInterval);
    connect(saveImageButton, &QPushButton::clicked, this, &Form6::saveImage);
    connect(graphPicture, &PictureBox::mouseMoved, this, &Form6::followMouse);
    connect(graphPicture, &PictureBox::cleared, this, &Form6::shownTableGone);
}

void Form6::addGraphActions() {
    CurveValues = AddCurveValues(
        this,
        [this]() -> std::optional<GraphCurve> {
            if (!shown_) return std::nullopt;
            return GraphCurve{shown_->rows.view(), shown_->graph.mode};
        },
        [this](double x, double y) { markCurvePoint(x, y); });
    const GraphCopy copy =
        AddGraphCopy(this, graphPicture,
                     [this] {
                         if (!shown_) return QString();
                         return TableTabText(shown_->file.tableCount, shown_->file.plainX.data(),
                                             shown_->file.plainY.data());
                     },
                     {CurveValues});
    CopyGraph = copy.graph;
    CopyData = copy.data;
}

void Form6::clearShown() {
    ClearGraph(graph_);
    for (QPushButton* b : {drawGraphButton, drawPointsButton, equalIntervalButton, saveImageButton})
        b->setEnabled(false);
    curveReady_ = false;
    shown_.reset();
}

void Form6::prepare() {
    ShowDirectoryOfDrive(driveList, folderList, fileList);
    clearShown();
}

void Form6::showDriveFolders() { ShowDirectoryOfDrive(driveList, folderList, fileList); }

void Form6::showFolderFiles() { ShowFilesOfDirectory(folderList, fileList); }

void Form6::chooseFile() { drawGraphButton->setEnabled(true); }

void Form6::drawGraph() {
    const QString name = fileList->fileName();
    if (name.isEmpty()) {
        ShowMessage(this, QStringLiteral(" ***  ファイルを選択して下さい！ "));
        return;
    }
    const QString path = JoinPath(fileList->path(), name);
    const FileBytes file = ReadFileBytes(path);
    if (!file.ok()) {
        ReportReadFailure(this, path, file.problem);
        return;
    }
    SavedTable table;
    if (const SavedTableStatus status = ParseSavedTable(file.bytes, table); !status.ok()) {
        ReportReadFailure(this, path, SavedTableFaultText(status));
        return;
    }
    shown_ = std::make_shared<const ViewedTable>(ViewSavedTable(table, path));
    drawnName_ = name;
    ClearGraph(graph_);
    DrawSavedGraph(*graphPicture, shown_->graph, shown_->rows.view());
    curveReady_ = true;
    for (QPushButton* b : {drawPointsButton, equalIntervalButton, saveImageButton})
        b->setEnabled(true);
}

void Form6::drawPoints() {
    if (!shown_) return;
    graphPicture->setDrawWidth(6);
    DrawDataPoints(*graphPicture, MappingFor(shown_->graph), shown_->file.dataCount,
                   shown_->pointX.data(), shown_->pointY.data());
}

QString Form6::drive() const { return driveList->drive(); }

void Form6::openEqualInterval() {
    if (shown_) form8()->openFromViewer(shown_);
}

void Form6::saveImage() {
    // The name of the file drawn, whatever is selected now: the picture is that file's graph.
    form5()->openFor(
        graphPicture,
        drawnName_.chopped(qMin(qsizetype(4), drawnName_.size())) + QStringLiteral("-Gr"), this);
}

void Form6::resetViewer() { clearShown(); }

void Form6::leaveViewer() {
    clearShown();  // and with the picture, the dialogs that act on its table
    hide();
    form2()->show();
}

void Form6::closeEvent(QCloseEvent* event) {
    event->accept();
    clearShown();
    form2()->show();
}

void Form6::followMouse(int, int, float x, float) {
    if (shown_) TrackReadOut(graph_, x, shown_->graph, curveReady_, shown_->rows.view());
}

void Form6::markCurvePoint(double x, double y) {
    if (shown_) MarkReadOutPoint(graph_, shown_->graph, x, y);
}
