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

    Label1 = Heading(NamedLabel("Label1", QStringLiteral("等間隔 (X軸) データの作成")));
    Label9 = NamedLabel("Label9", QStringLiteral("最大計算ポイント = 1000"));
    Command1 = NamedButton("Command1", QStringLiteral("OK"));
    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addLayout(buildRange());
    left->addWidget(Label9);
    left->addLayout(buildIntervalFields());
    left->addWidget(Command1, 0, Qt::AlignRight);
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
    Drive1->setDrive(form6()->drive());
    ShowDirectoryOfDrive(Drive1, Dir1, File1);
}

QGridLayout* Form8::buildRange() {
    Label2 = NamedLabel("Label2", QStringLiteral("最小値"));
    Label4 = ReadoutLabel("Label4", 100);
    Label3 = NamedLabel("Label3", QStringLiteral("最大値"));
    Label5 = ReadoutLabel("Label5", 100);
    auto* range = new QGridLayout;
    range->addWidget(Label2, 0, 0);
    range->addWidget(Label4, 0, 1);
    range->addWidget(Label3, 1, 0);
    range->addWidget(Label5, 1, 1);
    return range;
}

QGridLayout* Form8::buildIntervalFields() {
    Label6 = NamedLabel("Label6", QStringLiteral("開始値"));
    Text1 = new TextBox(QStringLiteral("Text1"));
    Label7 = NamedLabel("Label7", QStringLiteral("間 隔"));
    Text2 = new TextBox(QStringLiteral("Text2"));
    Label8 = NamedLabel("Label8", QStringLiteral("終了値"));
    Text3 = new TextBox(QStringLiteral("Text3"));
    auto* fields = new QGridLayout;
    fields->addWidget(Label6, 0, 0);
    fields->addWidget(Text1, 0, 1);
    fields->addWidget(Label7, 1, 0);
    fields->addWidget(Text2, 1, 1);
    fields->addWidget(Label8, 2, 0);
    fields->addWidget(Text3, 2, 1);
    return fields;
}

void Form8::addSaveChooser(QVBoxLayout* column) {
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.csv"));
    Label10 = NamedLabel("Label10", QStringLiteral("保存ファイル名（拡張子は付けない）"));
    Text4 = new TextBox(QStringLiteral("Text4"));
    Command3 = NamedButton("Command3", QStringLiteral("保 存"));
    Command2 = NamedButton("Command2", QStringLiteral("キャンセル"));
    column->addLayout(FileListsColumn(Drive1, Dir1, File1), 1);
    column->addWidget(Label10);
    column->addWidget(Text4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    column->addLayout(buttons);
}

QVBoxLayout* Form8::buildTableList() {
    List1 = Named(new QListWidget, "List1");
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    List1->setFont(mono);
    // Over the centres of the two numbers of a list line, "  0.000E+00   0.000E+00": characters
    // 2 to 10 and 14 to 22.
    Label11 = new ColumnHeading("Label11", QStringLiteral("X           Y"), [this] {
        const int digit = QFontMetrics(List1->font()).horizontalAdvance(QLatin1Char('0'));
        const int left = List1->viewport()->mapToGlobal(QPoint(0, 0)).x() +
                         List1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, List1) +
                         1;
        return QList<int>{left + digit * 13 / 2, left + digit * 37 / 2};
    });
    List1->setMinimumWidth(250);
    auto* right = new QVBoxLayout;
    right->addWidget(Label11);
    right->addWidget(List1, 1);
    return right;
}

void Form8::connectControls() {
    connect(Drive1, &DriveListBox::changed, this, &Form8::Drive1_Change);
    connect(Dir1, &DirListBox::changed, this, &Form8::Dir1_Change);
    connect(Command1, &QPushButton::clicked, this, &Form8::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form8::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form8::Command3_Click);
    for (TextBox* t : {Text1, Text2, Text3, Text4})
        connect(t, &TextBox::keyDown, this, [this, t](int key) { Text_KeyDown(t, key); });
    CopyData = AddListCopy(this, List1, LinesTabText);
    CancelWithEscape(this, Command2);
    // The dialog acts on the table the viewer shows, and closes when that table goes.
    connect(form6(), &Form6::shownTableGone, this, &QWidget::hide);
}

void Form8::openFromViewer(std::shared_ptr<const ViewedTable> table) {
    source_ = std::move(table);
    const SavedTable& file = source_->file;
    List1->clear();
    Label4->setText(FormatNumber(file.dataX[1], u"0.000E+00"));
    Label5->setText(FormatNumber(file.dataX[file.dataCount], u"0.000E+00"));
    for (TextBox* t : {Text1, Text2, Text3, Text4}) t->clear();
    tableHeld_ = false;
    ShowOver(this, form6());
}

void Form8::Drive1_Change() { ShowDirectoryOfDrive(Drive1, Dir1, File1); }

void Form8::Dir1_Change() { ShowFilesOfDirectory(Dir1, File1); }

void Form8::Text_KeyDown(TextBox* box, int key) {
    if (key == Qt::Key_Return)
        FocusNext(box, {{Text1, Text2}, {Text2, Text3}, {Text3, Command1}, {Text4, Command3}});
}

void Form8::Command1_Click() {
    if (Text1->text().isEmpty() || Text2->text().isEmpty() || Text3->text().isEmpty()) {
        ShowMessage(this, QStringLiteral(" 開始値，間隔，終了値を入力して下さい "));
        return;
    }
    if (!source_) return;
    // The list shows the table 保存 would write, or nothing when there is none.
    List1->clear();
    const QString inconsistent = QStringLiteral(" 開始値，間隔，終了値を正しく入力して下さい ");
    double start = 0, step = 0, end = 0;
    if (ReadTypedNumber(Text1->text(), start) != TypedNumber::Number ||
        ReadTypedNumber(Text2->text(), step) != TypedNumber::Number ||
        ReadTypedNumber(Text3->text(), end) != TypedNumber::Number) {
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
    for (int i = 0; i < EqualCount; ++i) List1->addItem(EqualListLine(EqualX[i], EqualY[i]));
    Text4->setFocus();
}

void Form8::Command3_Click() {
    const QString name = Text4->text();
    if (!AcceptTypedName(this, name, QStringLiteral(" ファイル名を入力して下さい "))) return;
    if (!tableHeld_) {
        ShowMessage(this, QStringLiteral(" 保存する等間隔データがありません。"
                                         "開始値，間隔，終了値を入力して OK を押して下さい "));
        return;
    }
    const QString path = JoinPath(File1->path(), name + QStringLiteral(".csv"));
    if (!WriteFileOrReport(this, path, EqualTableText(EqualX, EqualY))) return;
    File1->refresh();
    ReportSaved(this, QStringLiteral(" 等間隔データを保存しました "), path);
    hide();
    form6()->show();
}

void Form8::Command2_Click() { hide(); }
