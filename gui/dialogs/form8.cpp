// Form8, equal-interval tables.
#include "form8.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "columnheading.h"
#include "controls.h"
#include "copyactions.h"
#include "datanumber.h"
#include "equaltable.h"
#include "filelists.h"
#include "form6.h"
#include "keyboard.h"
#include "messagebox.h"
#include "pathutil.h"
#include "placement.h"
#include "program.h"
#include "savedialog.h"
#include "savedtable.h"
#include "tabtext.h"
#include "textbox.h"
#include "textconv.h"

Form8::Form8() {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Nodara"));

    headingLabel = Heading(NamedLabel("Label1", QStringLiteral("等間隔 (X軸) データの作成")));
    pointLimitLabel = NamedLabel("Label9", QStringLiteral("最大計算ポイント = 1000"));
    okButton = NamedButton("Command1", QStringLiteral("OK"));
    auto* left = new QVBoxLayout;
    left->addWidget(headingLabel);
    left->addLayout(buildRange());
    left->addWidget(pointLimitLabel);
    left->addLayout(buildIntervalFields());
    left->addWidget(okButton, 0, Qt::AlignRight);
    left->addSpacing(6);
    addSaveChooser(left);
    QVBoxLayout* right = buildTableList();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 0);
    top->addSpacing(8);
    top->addLayout(right, 1);
    resize(620, 600);

    connectControls();
    // The save lists start where the viewer's drive list stands.
    driveList->setDrive(form6()->drive());
    ShowDirectoryOfDrive(driveList, folderList, fileList);
}

QGridLayout* Form8::buildRange() {
    minimumLabel = NamedLabel("Label2", QStringLiteral("最小値"));
    minXLabel = ReadoutLabel("Label4", 100);
    maximumLabel = NamedLabel("Label3", QStringLiteral("最大値"));
    maxXLabel = ReadoutLabel("Label5", 100);
    auto* range = new QGridLayout;
    range->addWidget(minimumLabel, 0, 0);
    range->addWidget(minXLabel, 0, 1);
    range->addWidget(maximumLabel, 1, 0);
    range->addWidget(maxXLabel, 1, 1);
    return range;
}

QGridLayout* Form8::buildIntervalFields() {
    startLabel = NamedLabel("Label6", QStringLiteral("開始値"));
    startField = new TextBox(QStringLiteral("Text1"));
    intervalLabel = NamedLabel("Label7", QStringLiteral("間 隔"));
    intervalField = new TextBox(QStringLiteral("Text2"));
    endLabel = NamedLabel("Label8", QStringLiteral("終了値"));
    endField = new TextBox(QStringLiteral("Text3"));
    auto* fields = new QGridLayout;
    fields->addWidget(startLabel, 0, 0);
    fields->addWidget(startField, 0, 1);
    fields->addWidget(intervalLabel, 1, 0);
    fields->addWidget(intervalField, 1, 1);
    fields->addWidget(endLabel, 2, 0);
    fields->addWidget(endField, 2, 1);
    return fields;
}

void Form8::addSaveChooser(QVBoxLayout* column) {
    driveList = new DriveListBox(QStringLiteral("Drive1"));
    folderList = new DirListBox(QStringLiteral("Dir1"));
    fileList = new FileListBox(QStringLiteral("File1"));
    fileList->setPattern(QStringLiteral("*.csv"));
    fileNamePromptLabel =
        NamedLabel("Label10", QStringLiteral("保存ファイル名（拡張子は付けない）"));
    fileNameField = new TextBox(QStringLiteral("Text4"));
    saveButton = NamedButton("Command3", QStringLiteral("保 存"));
    cancelButton = NamedButton("Command2", QStringLiteral("キャンセル"));
    column->addLayout(FileListsColumn(driveList, folderList, fileList), 1);
    column->addWidget(fileNamePromptLabel);
    column->addWidget(fileNameField);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    column->addLayout(buttons);
}

QVBoxLayout* Form8::buildTableList() {
    valuesList = Named(new QListWidget, "List1");
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    valuesList->setFont(mono);
    // Over the centres of the two numbers of a list line, "  0.000E+00   0.000E+00": characters
    // 2 to 10 and 14 to 22.
    columnsLabel = new ColumnHeading("Label11", QStringLiteral("X           Y"), [this] {
        const int digit = QFontMetrics(valuesList->font()).horizontalAdvance(QLatin1Char('0'));
        const int left =
            valuesList->viewport()->mapToGlobal(QPoint(0, 0)).x() +
            valuesList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, valuesList) + 1;
        return QList<int>{left + digit * 13 / 2, left + digit * 37 / 2};
    });
    valuesList->setMinimumWidth(250);
    auto* right = new QVBoxLayout;
    right->addWidget(columnsLabel);
    right->addWidget(valuesList, 1);
    return right;
}

void Form8::connectControls() {
    connect(driveList, &DriveListBox::changed, this, &Form8::showDriveFolders);
    connect(folderList, &DirListBox::changed, this, &Form8::showFolderFiles);
    connect(okButton, &QPushButton::clicked, this, &Form8::computeTable);
    connect(cancelButton, &QPushButton::clicked, this, &Form8::cancelTable);
    connect(saveButton, &QPushButton::clicked, this, &Form8::saveTable);
    for (TextBox* t : {startField, intervalField, endField, fileNameField})
        connect(t, &TextBox::keyDown, this, [this, t](int key) { passFocusOnEnter(t, key); });
    CopyData = AddListCopy(this, valuesList, LinesTabText);
    CancelWithEscape(this, cancelButton);
    // The dialog acts on the table the viewer shows, and closes when that table goes.
    connect(form6(), &Form6::shownTableGone, this, &QWidget::hide);
}

void Form8::openFromViewer(std::shared_ptr<const ViewedTable> table) {
    source_ = std::move(table);
    const SavedTable& file = source_->file;
    valuesList->clear();
    minXLabel->setText(FormatNumber(file.dataX[1], u"0.000E+00"));
    maxXLabel->setText(FormatNumber(file.dataX[file.dataCount], u"0.000E+00"));
    for (TextBox* t : {startField, intervalField, endField, fileNameField}) t->clear();
    tableHeld_ = false;
    ShowOver(this, form6());
}

void Form8::showDriveFolders() { ShowDirectoryOfDrive(driveList, folderList, fileList); }

void Form8::showFolderFiles() { ShowFilesOfDirectory(folderList, fileList); }

void Form8::passFocusOnEnter(TextBox* box, int key) {
    if (key == Qt::Key_Return)
        FocusNext(box, {{startField, intervalField},
                        {intervalField, endField},
                        {endField, okButton},
                        {fileNameField, saveButton}});
}

void Form8::computeTable() {
    if (startField->text().isEmpty() || intervalField->text().isEmpty() ||
        endField->text().isEmpty()) {
        ShowMessage(this, QStringLiteral(" 開始値，間隔，終了値を入力して下さい "));
        return;
    }
    if (!source_) return;
    // The list shows the table 保存 would write, or nothing when there is none.
    valuesList->clear();
    const QString inconsistent = QStringLiteral(" 開始値，間隔，終了値を正しく入力して下さい ");
    double start = 0, step = 0, end = 0;
    if (ReadTypedNumber(startField->text(), start) != TypedNumber::Number ||
        ReadTypedNumber(intervalField->text(), step) != TypedNumber::Number ||
        ReadTypedNumber(endField->text(), end) != TypedNumber::Number) {
        tableHeld_ = false;
        ShowMessage(this, inconsistent);
        return;
    }
    const SavedTable& file = source_->file;
    const EqualTable t =
        ComputeEqualTable(start, step, end, file.tableCount, file.plainX.data(), file.plainY.data(),
                          file.dataX[1], file.dataX[file.dataCount]);
    EqualCount = t.count;
    switch (t.fault) {
        case EqualFault::None:
            break;
        case EqualFault::Inconsistent:
            tableHeld_ = false;
            ShowMessage(this, inconsistent);
            return;
        case EqualFault::TooMany:
            tableHeld_ = false;
            ShowMessage(this, QStringLiteral(" 計算ポイントが 1000 を超えています "));
            return;
        case EqualFault::Failed:
            tableHeld_ = false;
            ShowMessage(this, QStringLiteral(" 正しく計算ができませんでした "));
            return;
    }
    EqualX = t.x;
    EqualY = t.y;
    tableHeld_ = true;
    for (int i = 0; i < EqualCount; ++i) valuesList->addItem(EqualListLine(EqualX[i], EqualY[i]));
    fileNameField->setFocus();
}

void Form8::saveTable() {
    const QString name = fileNameField->text();
    if (!AcceptTypedName(this, name, QStringLiteral(" ファイル名を入力して下さい "))) return;
    if (!tableHeld_) {
        ShowMessage(this, QStringLiteral(" 保存する等間隔データがありません。"
                                         "開始値，間隔，終了値を入力して OK を押して下さい "));
        return;
    }
    const QString path = JoinPath(fileList->path(), name + QStringLiteral(".csv"));
    if (!WriteFileOrReport(this, path, EqualTableText(EqualX, EqualY))) return;
    fileList->refresh();
    ReportSaved(this, QStringLiteral(" 等間隔データを保存しました "), path);
    hide();
    form6()->show();
}

void Form8::cancelTable() { hide(); }
