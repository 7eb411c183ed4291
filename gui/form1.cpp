// Form1, the main window.
#include "form1.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>

#include "controls.h"
#include "copyactions.h"
#include "datainput.h"
#include "datanumber.h"
#include "enginecontract.h"
#include "events.h"
#include "exchange.h"
#include "extremespanel.h"
#include "filelists.h"
#include "form10.h"
#include "form11.h"
#include "form12.h"
#include "form2.h"
#include "form4.h"
#include "form5.h"
#include "form7.h"
#include "handentry.h"
#include "keyboard.h"
#include "linecontrol.h"
#include "messagebox.h"
#include "pathutil.h"
#include "picturebox.h"
#include "placement.h"
#include "program.h"
#include "readoutpanel.h"
#include "savedtable.h"
#include "scalemode.h"
#include "tabtext.h"
#include "textbox.h"
#include "textconv.h"

namespace {

const QString kInvalidInput = QStringLiteral("　入力値が不正です！　");

QLabel* stepMark(int n) {
    static const char* const kMarks[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧"};
    auto* l = new QLabel(QString::fromUtf8(kMarks[n - 1]));
    l->setObjectName(QStringLiteral("Step%1").arg(n));
    QFont f = l->font();
    f.setPointSize(f.pointSize() + 3);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: #0000c0;"));
    return l;
}

// The illustration beside the axis fields: a graph frame with the start, end and increment of
// each axis marked.
QPixmap axisIllustration() {
    QPixmap pm(260, 140);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect frame(70, 14, 168, 92);
    p.setPen(QPen(PaletteColor(8), 1, Qt::DotLine));
    for (int k = 1; k < 4; ++k)
        p.drawLine(frame.left() + k * 42, frame.top(), frame.left() + k * 42, frame.bottom());
    p.drawLine(frame.left(), frame.top() + 46, frame.right(), frame.top() + 46);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(frame);
    QFont f = p.font();
    f.setPointSize(8);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(40, frame.bottom() + 4, 70, 16), Qt::AlignCenter, QStringLiteral("X 開始値"));
    p.drawText(QRect(frame.right() - 35, frame.bottom() + 4, 70, 16), Qt::AlignCenter,
               QStringLiteral("X 終了値"));
    p.drawText(QRect(frame.left() + 44, frame.bottom() + 18, 80, 16), Qt::AlignCenter,
               QStringLiteral("← X 増分 →"));
    p.drawText(QRect(0, frame.bottom() - 8, 66, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Y 開始値"));
    p.drawText(QRect(0, frame.top() - 8, 66, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Y 終了値"));
    p.drawText(QRect(0, frame.top() + 38, 66, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Y 増分"));
    return pm;
}

}  // namespace

Form1::Form1() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("  Nodara,  version 5"));
    auto* top = new QHBoxLayout(this);
    top->addLayout(buildDataColumn(), 0);
    top->addSpacing(8);
    top->addLayout(buildSettingsColumn(), 0);
    top->addSpacing(8);
    top->addLayout(buildGraphColumn(), 1);
    connectControls();
    addGraphActions();
    setAcceptDrops(true);
    reset();
}

QBoxLayout* Form1::buildDataColumn() {
    inputMethodGroup = Named(new QGroupBox(QStringLiteral("データ入力方式")), "Frame2");
    fromFileOption = NamedOption("Option5", QStringLiteral("ファイルから読み込む"));
    byHandOption = NamedOption("Option6", QStringLiteral("直接、手入力する"));
    inputMethodOkButton = NamedButton("Command9", QStringLiteral("OK"));
    auto* inputBox = new QVBoxLayout(inputMethodGroup);
    inputBox->addWidget(fromFileOption);
    inputBox->addWidget(byHandOption);
    inputBox->addWidget(inputMethodOkButton, 0, Qt::AlignRight);

    dataList = Named(new QListWidget, "List1");
    dataList->setMinimumWidth(200);
    extremes_ = MakeExtremesPanel(nullptr, "Label4", "Label5");

    auto* column = new QVBoxLayout;
    auto* step1 = new QHBoxLayout;
    step1->addWidget(stepMark(1), 0, Qt::AlignTop);
    step1->addWidget(inputMethodGroup, 1);
    column->addLayout(step1);
    column->addSpacing(8);
    column->addWidget(NamedLabel("Label2", QStringLiteral("データテーブル")));
    column->addWidget(NamedLabel("Label3", QStringLiteral("X                Y")));
    column->addWidget(dataList, 1);
    column->addLayout(extremes_.grid);
    return column;
}

QBoxLayout* Form1::buildSettingsColumn() {
    scaleModeGroup = Named(new QGroupBox(QStringLiteral("スケールモード選択")), "Frame1");
    linearLinearOption = NamedOption("Option1", QStringLiteral(" Linear - Linear"));
    linearLogOption = NamedOption("Option2", QStringLiteral(" Linear - Log"));
    logLinearOption = NamedOption("Option3", QStringLiteral(" Log - Linear"));
    logLogOption = NamedOption("Option4", QStringLiteral(" Log - Log"));
    auto* modeBox = new QVBoxLayout(scaleModeGroup);
    modeBox->addWidget(NamedLabel("Label6", QStringLiteral("X 軸  -  Y 軸")));
    for (QRadioButton* o : {linearLinearOption, linearLogOption, logLinearOption, logLogOption})
        modeBox->addWidget(o);
    auto* axisExample =
        NamedLabel("Label13", QStringLiteral("下図参照　入力例 (0, 10, 1E-2, 1e+03)"));
    QLabel* axisPicture = NamedLabel("Picture2");
    axisPicture->setPixmap(axisIllustration());
    graphSettingsOkButton = NamedButton("Command3", QStringLiteral("OK"));

    auto* column = new QVBoxLayout;
    column->addWidget(NamedLabel("Label29", QStringLiteral("グラフ設定")));
    auto* step2 = new QHBoxLayout;
    step2->addWidget(stepMark(2), 0, Qt::AlignTop);
    step2->addWidget(scaleModeGroup, 1);
    column->addLayout(step2);
    auto* step3 = new QHBoxLayout;
    step3->addWidget(stepMark(3), 0, Qt::AlignTop);
    step3->addLayout(buildAxisFields(), 1);
    column->addLayout(step3);
    column->addWidget(axisExample);
    column->addWidget(axisPicture, 0, Qt::AlignHCenter);
    auto* step4 = new QHBoxLayout;
    step4->addWidget(stepMark(4));
    step4->addWidget(graphSettingsOkButton, 1);
    column->addLayout(step4);
    column->addStretch(1);
    return column;
}

QGridLayout* Form1::buildAxisFields() {
    // The captions first, so that they come before the fields in the window's children.
    QLabel* const captions[] = {NamedLabel("Label8", QStringLiteral("X 軸 ")),
                                NamedLabel("Label9", QStringLiteral("Y 軸 ")),
                                NamedLabel("Label10", QStringLiteral("開始値")),
                                NamedLabel("Label11", QStringLiteral("終了値")),
                                NamedLabel("Label12", QStringLiteral("増 分"))};
    xStartField = new TextBox(QStringLiteral("Text5"));
    xEndField = new TextBox(QStringLiteral("Text6"));
    xStepField = new TextBox(QStringLiteral("Text7"));
    yStartField = new TextBox(QStringLiteral("Text8"));
    yEndField = new TextBox(QStringLiteral("Text9"));
    yStepField = new TextBox(QStringLiteral("Text10"));
    auto* axes = new QGridLayout;
    axes->addWidget(captions[0], 0, 1, Qt::AlignHCenter);
    axes->addWidget(captions[1], 0, 2, Qt::AlignHCenter);
    for (int row = 1; row <= 3; ++row) axes->addWidget(captions[row + 1], row, 0);
    int row = 1;
    for (TextBox* field : {xStartField, xEndField, xStepField}) axes->addWidget(field, row++, 1);
    row = 1;
    for (TextBox* field : {yStartField, yEndField, yStepField}) axes->addWidget(field, row++, 2);
    return axes;
}

QBoxLayout* Form1::buildGraphColumn() {
    drawPointsButton = NamedButton("Command1", QStringLiteral("データ点グラフ描画"));
    calculateButton = NamedButton("Command4", QStringLiteral("スプライン補間計算"));
    drawCurveButton = NamedButton("Command5", QStringLiteral("補間グラフ描画"));
    saveTableButton = NamedButton("Command6", QStringLiteral("データ保存"));
    saveImageButton = NamedButton("Command8", QStringLiteral("グラフ画像保存"));
    resetButton = NamedButton("Command7", QStringLiteral("Reset"));
    endButton = NamedButton("Command2", QStringLiteral("終了"));
    // The calculation's buttons in two rows under the graph, so that the window fits a
    // 1280 x 720 screen beside the graph's fixed size.
    auto* calcRow = new QHBoxLayout;
    int mark = 5;
    for (QPushButton* b : {drawPointsButton, calculateButton, drawCurveButton}) {
        calcRow->addWidget(stepMark(mark++));
        calcRow->addWidget(b, 1);
        calcRow->addSpacing(6);
    }
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(stepMark(mark));
    saveRow->addWidget(saveTableButton, 1);
    saveRow->addSpacing(6);
    saveRow->addWidget(saveImageButton, 1);
    saveRow->addSpacing(40);
    saveRow->addWidget(resetButton, 1);
    saveRow->addWidget(endButton, 1);

    // The graph and its read-out.
    graph_ = MakeGraphPanel("Label1", "Label27", "Label28");
    graphPicture = graph_.picture;
    auto* column = new QVBoxLayout;
    column->addWidget(graphPicture);
    column->addLayout(graph_.readRow);
    column->addSpacing(6);
    column->addLayout(calcRow);
    column->addLayout(saveRow);
    column->addStretch(1);
    return column;
}

void Form1::connectControls() {
    connect(drawPointsButton, &QPushButton::clicked, this, &Form1::drawPoints);
    connect(endButton, &QPushButton::clicked, this, &Form1::leaveToTitle);
    connect(graphSettingsOkButton, &QPushButton::clicked, this, &Form1::takeGraphSettings);
    connect(calculateButton, &QPushButton::clicked, this, &Form1::chooseMethod);
    connect(drawCurveButton, &QPushButton::clicked, this, &Form1::drawCurve);
    connect(saveTableButton, &QPushButton::clicked, this, &Form1::saveTable);
    connect(saveImageButton, &QPushButton::clicked, this, &Form1::saveImage);
    connect(resetButton, &QPushButton::clicked, this, &Form1::resetProgram);
    connect(inputMethodOkButton, &QPushButton::clicked, this, &Form1::takeInputMethod);
    int mode = 1;
    for (QRadioButton* o : {linearLinearOption, linearLogOption, logLinearOption, logLogOption}) {
        connect(o, &QRadioButton::clicked, this, [this, mode] { chooseScaleMode(mode); });
        ++mode;
    }
    for (TextBox* t : {xStartField, xEndField, xStepField, yStartField, yEndField, yStepField})
        connect(t, &TextBox::keyDown, this, [this, t](int key) { passFocusOnEnter(t, key); });
    connect(graphPicture, &PictureBox::mouseMoved, this, &Form1::followMouse);
}

void Form1::addGraphActions() {
    CurveValues = AddCurveValues(
        this,
        [this]() -> std::optional<GraphCurve> {
            if (!drawn_) return std::nullopt;
            return GraphCurve{tableShown(), drawn_->mode};
        },
        [this](double x, double y) { markCurvePoint(x, y); });
    const GraphCopy copy =
        AddGraphCopy(this, graphPicture,
                     [this] {
                         if (!drawn_ || !table_) return QString();
                         const SavedTable t = ResultToSave(*table_);
                         return TableTabText(t.tableCount, t.plainX.data(), t.plainY.data());
                     },
                     {CurveValues});
    CopyGraph = copy.graph;
    CopyData = copy.data;
}

void Form1::reset() {
    byHand_ = false;
    clearInputData();
    fromFileOption->setChecked(true);
    linearLinearOption->setChecked(true);
    chooseScaleMode(1);  // a reset leaves both increment fields enabled
    for (TextBox* t : {xStartField, xEndField, xStepField, yStartField, yEndField, yStepField})
        t->clear();
}

void Form1::clearInputData() {
    clearGraph();  // the graph and its table were of these points
    points_ = DataPoints{};
    handedOver_ = false;
    dataList->clear();
    extremes_.clear();
    for (QRadioButton* o : {linearLinearOption, linearLogOption, logLinearOption, logLogOption})
        o->setEnabled(true);
    graphSettingsOkButton->setEnabled(false);
}

void Form1::takeData(const DataPoints& points, const QStringList& listLines) {
    clearGraph();  // a graph and its table were of other points
    points_ = points;
    handedOver_ = byHand_;
    dataList->clear();
    dataList->addItems(listLines);
    extremes_.show(DataExtremeTexts(points_));
    // A logarithmic axis cannot show a value of 0 or less.
    for (int mode = 1; mode <= 4; ++mode) {
        const bool shown =
            (!IsLogX(mode) || points_.DataMinX > 0) && (!IsLogY(mode) || points_.DataMinY > 0);
        scaleOption(mode)->setEnabled(shown);
    }
    // The axis boxes start from the new data's own frame; linear increments from one grid cell.
    const QStringList limits = DefaultAxisTexts(points_);
    for (int k = 0; TextBox * field : {xStartField, xEndField, yStartField, yEndField})
        field->setText(limits[k++]);
    for (TextBox* step : {xStepField, yStepField})
        if (step->isEnabled()) step->clear();
    graphSettingsOkButton->setEnabled(true);
    // The next step is the scale mode; the OK of the input method would throw the data away.
    QRadioButton* mode = scaleOption(scaleMode_);
    for (int m = 1; !mode->isEnabled() && m <= 4; ++m) mode = scaleOption(m);
    mode->setFocus();
}

void Form1::takeDroppedFile(const QString& path) {
    // A file the data input cannot take leaves the data, the graph and the table as they are.
    if (const QString why = droppedFileProblem(path); !why.isEmpty()) {
        Beep();
        ReportReadFailure(this, path, why);
        return;
    }
    if (!mayTakeNewData()) return;
    fromFileOption->setChecked(true);
    startDataInput();
    if (form10()->takeFile(path)) form10()->finishInput();
}

QString Form1::droppedFileProblem(const QString& path) const {
    // A dropped .csv or .dat that the file list does not offer is an exchange file.
    if (!form10()->offersFile(QFileInfo(path).fileName()))
        return QStringLiteral("計算エンジンとの受け渡しファイルで、データファイルには使えません");
    const DataFileLoad load = ReadDataFile(path);
    switch (load.status) {
        case DataFileLoad::Loaded:
            return {};
        case DataFileLoad::CannotOpen:
        case DataFileLoad::Refused:
            return load.problem;
        case DataFileLoad::Empty:
            return QStringLiteral("データがありません");
        case DataFileLoad::BadLine:
            break;
    }
    return QStringLiteral("%1 行目が X と Y の２つの数値になっていません").arg(load.badLine);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    // A data file the input cannot take is taken too, so that the drop can say why.
    if (!DroppedDataFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QString path = DroppedDataFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    takeDroppedFile(path);
}

void Form1::forgetGraph() {
    tableUnsaved_ = false;
    ClearGraph(graph_);
    drawn_.reset();
    started_.reset();
    table_.reset();
    for (QPushButton* b : {calculateButton, drawCurveButton, saveTableButton, saveImageButton})
        b->setEnabled(false);
}

void Form1::clearGraph() {
    forgetGraph();
    drawPointsButton->setEnabled(false);
}

QStringList Form1::axisTexts() const {
    return {xStartField->text(), xEndField->text(), xStepField->text(),
            yStartField->text(), yEndField->text(), yStepField->text()};
}

std::optional<GraphSettings> Form1::readGraph() {
    std::optional<GraphSettings> graph = ReadGraphSettings(scaleMode_, axisTexts());
    if (!graph) ShowMessage(this, kInvalidInput);
    return graph;
}

TableView Form1::tableShown() const { return table_ ? table_->rows.view() : TableView{}; }

QRadioButton* Form1::scaleOption(int mode) const {
    QRadioButton* const options[] = {linearLinearOption, linearLogOption, logLinearOption,
                                     logLogOption};
    return options[mode - 1];
}

void Form1::chooseScaleMode(int mode) {
    scaleMode_ = mode;
    for (auto [field, isLog] :
         {std::pair{xStepField, IsLogX(mode)}, std::pair{yStepField, IsLogY(mode)}}) {
        if (isLog) field->setText(QStringLiteral("10"));
        field->setEnabled(!isLog);
    }
}

void Form1::passFocusOnEnter(TextBox* box, int key) {
    if (key != Qt::Key_Return) return;
    // A disabled increment (logarithmic axis) is passed over.
    FocusNext(box, {{xStartField, xEndField},
                    {xEndField, IsLogX(scaleMode_) ? yStartField : xStepField},
                    {xStepField, yStartField},
                    {yStartField, yEndField},
                    {yEndField, IsLogY(scaleMode_) ? static_cast<QWidget*>(graphSettingsOkButton)
                                                   : yStepField},
                    {yStepField, graphSettingsOkButton}});
}

void Form1::takeInputMethod() {
    if (mayTakeNewData()) startDataInput();
}

void Form1::startDataInput() {
    // Only the input started last may hand data over: an input dialog left open (the title
    // window can show this window again meanwhile) gives up as its cancel does.
    if (form10()->isVisible()) form10()->cancelInput();
    if (form11()->isVisible()) form11()->cancelEntry();
    // A new data input starts a new pass: nothing of the previous data's graph, table, buttons
    // or method dialog may be used with the new data.
    clearInputData();
    form7()->hide();
    byHand_ = byHandOption->isChecked();
    if (fromFileOption->isChecked())
        form10()->openOver(this);
    else
        form11()->openOver(this);
    hide();
}

// Rounds a logarithmic axis limit in its field to a whole power of ten: a start down to the
// power at or below it, an end up to the next power above it unless it already is one.
void Form1::roundToDecades(TextBox* field, bool isEnd) {
    const double value = ParseNumber(field->text());
    const QString text = FormatNumber(value, u"0.0E+00");
    field->setText(text);
    // The two-digit mantissa may round across a power (9.96 gives "1.0E+01", 1.04 "1.0E+00"):
    // the start then goes one decade down, the end one up, so the value stays inside.
    int e = AxisTextExponent(text);
    if (text.startsWith(QStringLiteral("1.0"))) {
        const double power = ParseNumber(QStringLiteral("1.0E%1").arg(e));
        if (isEnd ? power >= value : power <= value) return;
        e += isEnd ? 1 : -1;
    } else if (isEnd) {
        ++e;
    }
    field->setText(QStringLiteral("1.0E") +
                   (e > 0 ? QStringLiteral("+") + FormatNumber(e, u"00") : FormatNumber(e, u"00")));
}

void Form1::takeGraphSettings() {
    // An empty limit is the data's own (the extremes shown are rounded to four digits).
    const QStringList limits = DefaultAxisTexts(points_);
    for (int k = 0; TextBox * field : {xStartField, xEndField, yStartField, yEndField})
        if (const QString& limit = limits[k++]; field->text().isEmpty()) field->setText(limit);
    if (!readGraph()) return;
    if (IsLogX(scaleMode_)) {
        roundToDecades(xStartField, false);
        roundToDecades(xEndField, true);
    }
    if (IsLogY(scaleMode_)) {
        roundToDecades(yStartField, false);
        roundToDecades(yEndField, true);
    }
    drawPointsButton->setEnabled(true);
    drawPointsButton->setFocus();
}

void Form1::drawPoints() {
    // The picture is cleared: the curve and the table of an earlier drawing no longer belong to
    // what it will show.
    forgetGraph();
    const std::optional<GraphSettings> graph = readGraph();
    if (!graph) return;
    FillDataLogarithms(points_, scaleMode_);
    // A point without a logarithm would be drawn and sent with an earlier point's; one outside
    // the engine's record could not be read by it.
    switch (const PointProblem p = CheckPointsForEngine(points_, scaleMode_); p.kind) {
        case PointProblem::NoLogarithm:
            ShowMessage(
                this, QStringLiteral("　No.%1 のデータ値が 0 以下のため、対数軸には描けません！　")
                          .arg(p.point));
            return;
        case PointProblem::OutOfRange:
            ShowMessage(this, QStringLiteral("　No.%1 のデータ値は大きすぎるか小さすぎるため、"
                                             "計算できません（絶対値 1E-99 ～ 3.4E+38）！　")
                                  .arg(p.point));
            return;
        case PointProblem::SameInRecord:
            ShowMessage(this,
                        QStringLiteral("　No.%1（X = %2）と No.%3（X = %4）の X 値は、"
                                       "計算プログラムに渡す有効数字 6 桁では同じ値になるため、"
                                       "計算できません！　")
                            .arg(p.point)
                            .arg(GeneralNumberText(points_.DataX[p.point]))
                            .arg(p.other)
                            .arg(GeneralNumberText(points_.DataX[p.other])));
            return;
        case PointProblem::None:
            break;
    }
    if (const QString problem = ExchangeFolderProblem(); !problem.isEmpty()) {
        ShowMessage(this, problem);
        return;
    }
    if (const FileResult written = DrawDataGraph(*graphPicture, *graph, points_); !written.ok()) {
        ReportWriteFailure(this, QLatin1String(contract::kPointFile), written.problem);
        return;
    }
    drawn_ = graph;
    drawPointsButton->setEnabled(false);
    saveImageButton->setEnabled(true);
    calculateButton->setEnabled(true);
    calculateButton->setFocus();
}

void Form1::chooseMethod() { form7()->openOver(this); }

void Form1::drawCurve() {
    // Enabled only by a calculation started for the graph drawn, whose table F2B.dat now holds.
    if (!drawn_ || !started_) return;
    std::optional<EngineTable> rows = ReadTableFile();
    if (!rows) {
        ShowMessage(this, engineEnded_ ? QStringLiteral(
                                             "　計算プログラム Fitcore はこのデータを計算できません"
                                             "でした（理由は Fitcore のウィンドウに表示されて"
                                             "います）！　")
                                       : QStringLiteral("　補間計算の結果がまだありません！　"));
        return;
    }
    // The table names its saved file by the method of the run that made it.
    table_ = ComputedTable{std::move(*rows), *drawn_, points_, *started_};
    // The points and this table's curve alone: an earlier run's curve is not the table's.
    ClearGraph(graph_);
    DrawPointGraph(*graphPicture, *drawn_, points_);
    graphPicture->setDrawWidth(2);
    DrawTableCurve(*graphPicture, MappingFor(*drawn_), tableShown());
    graphPicture->setDrawWidth(1);
    tableUnsaved_ = true;
    saveTableButton->setEnabled(true);
    saveTableButton->setFocus();
}

bool Form1::graphDrawn() const { return drawn_.has_value(); }

void Form1::calculationStarted(const QProcess& engine, const EngineMethod& method) {
    started_ = method;
    const int run = ++engineRuns_;
    engineEnded_ = engine.state() == QProcess::NotRunning;  // a quick end may have passed
    connect(&engine, &QProcess::finished, this, [this, run] {
        if (run == engineRuns_) engineEnded_ = true;
    });
    drawCurveButton->setEnabled(true);
    drawCurveButton->setFocus();
}

void Form1::saveTable() {
    // A saved table holds the points too.
    connect(form4(), &Form4::tableSaved, this, &Form1::tableWasSaved, Qt::UniqueConnection);
    form4()->openFor([this]() -> const ComputedTable* { return table_ ? &*table_ : nullptr; },
                     TodayText(), this);
}

void Form1::saveImage() {
    form5()->openFor(graphPicture, TodayText() + QStringLiteral("-Gr"), this);
}

void Form1::resetProgram() {
    DeleteExchangeFiles();
    ResetProgramState();
}

void Form1::tableWasSaved() { tableUnsaved_ = byHand_ = false; }

bool Form1::holdsTypedPoints() const {
    return byHand_ && (points_.DataCount > 0 || form11()->keepsPoints());
}

bool Form1::mayLose(bool typed, bool table, const QString& next) {
    QStringList lost;
    if (typed && holdsTypedPoints()) lost << QStringLiteral("手入力したデータ");
    if (table && tableUnsaved_) lost << QStringLiteral("保存していない補間データ");
    return lost.isEmpty() ||
           AskYesNo(this, QStringLiteral("　%1は失われます。\n　%2よろしいですか？　")
                              .arg(lost.join(QStringLiteral("と")), next));
}

bool Form1::mayClose() { return mayLose(true, true, QStringLiteral("終了して")); }

bool Form1::mayTakeNewData() {
    // Points given up in hand entry stay there for its next opening; those handed over would go.
    return mayLose(handedOver_, false, QStringLiteral("新しいデータを入力して"));
}

void Form1::leaveToTitle() {
    if (!mayClose()) return;
    hide();
    form2()->show();
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    form2()->show();
}

void Form1::followMouse(int, int, float x, float) {
    // The read-out follows the graph on the picture, not the fields changed since.
    if (drawn_) TrackReadOut(graph_, x, *drawn_, started_.has_value(), tableShown());
}

void Form1::markCurvePoint(double x, double y) {
    if (drawn_) MarkReadOutPoint(graph_, *drawn_, x, y);
}
