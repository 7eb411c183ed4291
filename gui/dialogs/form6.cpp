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
    Label1 = Heading(NamedLabel("Label1", QStringLiteral("スプライン補間データ検索")));
    Label2 = NamedLabel("Label2", QStringLiteral("ファイルを選択して下さい"));
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*Sp.csv"));
    Command1 = NamedButton("Command1", QStringLiteral("グラフ描画"));
    Command4 = NamedButton("Command4", QStringLiteral("データ点描画"));
    Command5 = NamedButton("Command5", QStringLiteral("等間隔データの作成"));
    Command8 = NamedButton("Command8", QStringLiteral("グラフ画像保存"));
    Command3 = NamedButton("Command3", QStringLiteral("Reset"));
    Command2 = NamedButton("Command2", QStringLiteral("終了"));

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addSpacing(4);
    left->addWidget(Label2);
    left->addLayout(FileListsColumn(Drive1, Dir1, File1), 1);
    left->addSpacing(6);
    for (QPushButton* b : {Command1, Command4, Command5, Command8}) left->addWidget(b);
    left->addSpacing(6);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(Command3);
    endRow->addWidget(Command2);
    left->addLayout(endRow);
    return left;
}

QVBoxLayout* Form6::buildGraph() {
    graph_ = MakeGraphPanel("Label3", "Label7", "Label8");
    Picture1 = graph_.picture;
    auto* right = new QVBoxLayout;
    right->addWidget(Picture1);
    right->addLayout(graph_.readRow);
    right->addStretch(1);
    return right;
}

void Form6::connectControls() {
    connect(Drive1, &DriveListBox::changed, this, &Form6::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &Form6::Dir1_Change);
    connect(File1, &FileListBox::clicked, this, &Form6::File1_Click);
    // A file chosen with the arrow keys can be drawn as a clicked one; Return on it leads on to
    // drawing it.
    connect(File1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!File1->fileName().isEmpty()) File1_Click();
    });
    connect(File1, &FileListBox::activated, this, [this] { Command1->setFocus(); });
    connect(Command1, &QPushButton::clicked, this, &Form6::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form6::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form6::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form6::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form6::Command5_Click);
    connect(Command8, &QPushButton::clicked, this, &Form6::Command8_Click);
    connect(Picture1, &PictureBox::mouseMoved, this, &Form6::Picture1_MouseMove);
    connect(Picture1, &PictureBox::cleared, this, &Form6::shownTableGone);
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
        AddGraphCopy(this, Picture1,
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
    for (QPushButton* b : {Command1, Command4, Command5, Command8}) b->setEnabled(false);
    curveReady_ = false;
    shown_.reset();
}

void Form6::prepare() {
    ShowDirectoryOfDrive(Drive1, Dir1, File1);
    clearShown();
}

void Form6::Drive1_Change() { ShowDirectoryOfDrive(Drive1, Dir1, File1); }

void Form6::Dir1_Change() { ShowFilesOfDirectory(Dir1, File1); }

void Form6::File1_Click() { Command1->setEnabled(true); }

void Form6::Command1_Click() {
    const QString name = File1->fileName();
    if (name.isEmpty()) {
        ShowMessage(this, QStringLiteral(" ***  ファイルを選択して下さい！ "));
        return;
    }
    const QString path = JoinPath(File1->path(), name);
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
    DrawSavedGraph(*Picture1, shown_->graph, shown_->rows.view());
    curveReady_ = true;
    for (QPushButton* b : {Command4, Command5, Command8}) b->setEnabled(true);
}

void Form6::Command4_Click() {
    if (!shown_) return;
    Picture1->setDrawWidth(6);
    DrawDataPoints(*Picture1, MappingFor(shown_->graph), shown_->file.dataCount,
                   shown_->pointX.data(), shown_->pointY.data());
}

QString Form6::drive() const { return Drive1->drive(); }

void Form6::Command5_Click() {
    if (shown_) form8()->openFromViewer(shown_);
}

void Form6::Command8_Click() {
    // The name of the file drawn, whatever is selected now: the picture is that file's graph.
    form5()->openFor(
        Picture1,
        drawnName_.chopped(qMin(qsizetype(4), drawnName_.size())) + QStringLiteral("-Gr"), this);
}

void Form6::Command3_Click() { clearShown(); }

void Form6::Command2_Click() {
    clearShown();  // and with the picture, the dialogs that act on its table
    hide();
    form2()->show();
}

void Form6::closeEvent(QCloseEvent* event) {
    event->accept();
    clearShown();
    form2()->show();
}

void Form6::Picture1_MouseMove(int, int, float x, float) {
    if (shown_) TrackReadOut(graph_, x, shown_->graph, curveReady_, shown_->rows.view());
}

void Form6::markCurvePoint(double x, double y) {
    if (shown_) MarkReadOutPoint(graph_, shown_->graph, x, y);
}
