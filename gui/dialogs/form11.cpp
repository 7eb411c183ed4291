// Form11, the hand-entry dialog.
#include "form11.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "columnlist.h"
#include "controls.h"
#include "copyactions.h"
#include "datainput.h"
#include "form1.h"
#include "handentry.h"
#include "keyboard.h"
#include "messagebox.h"
#include "placement.h"
#include "program.h"
#include "textbox.h"

namespace {
const QString kNoData = QStringLiteral(" データが入力されていません ");
const QString kLimitReached = QStringLiteral(" データ数が上限(100)になりました ");
const QString kNothingToPaste = QStringLiteral("　貼り付けるデータがありません！　");

// The message on a pasted line that is not a point; a long line is shown by its beginning.
QString notAPoint(int lineNo, const QString& line) {
    constexpr int kShown = 30;
    const QString shown = line.size() > kShown ? line.left(kShown) + QStringLiteral("…") : line;
    return QStringLiteral(
               "　貼り付けたデータの %1 行目が、X と Y の２つの数値になっていません！　\n"
               "　「%2」　\n"
               "　貼り付けはこの行で止まりました。　")
        .arg(lineNo)
        .arg(shown);
}

QLabel* columnHeading(const char* name, const QString& caption) {
    QLabel* l = NamedLabel(name, caption);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

// A row of entry: the point's number and its X and Y under their column headings, the row's
// buttons after them; X and Y take the spare width.
QGridLayout* entryGrid(std::initializer_list<QWidget*> headings,
                       std::initializer_list<QWidget*> fields,
                       std::initializer_list<QWidget*> buttons) {
    auto* grid = new QGridLayout;
    int column = 0;
    for (QWidget* w : headings) grid->addWidget(w, 0, column++);
    column = 0;
    for (QWidget* w : fields) grid->addWidget(w, 1, column++);
    for (QWidget* w : buttons) grid->addWidget(w, 1, column++);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return grid;
}
}  // namespace

Form11::Form11() {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral(" データ入力（手入力）"));

    QVBoxLayout* left = buildEntryColumn();
    QVBoxLayout* right = buildPointList();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 3);
    top->addSpacing(12);
    top->addLayout(right, 2);
    resize(780, 340);

    connectControls();
}

QVBoxLayout* Form11::buildEntryColumn() {
    Label7 = Heading(NamedLabel("Label7", QStringLiteral("データを入力して下さい")));
    QGridLayout* entry = buildEntryRow();
    Command4 = NamedButton("Command4", QStringLiteral("OK（修正なし）"));
    Command3 = NamedButton("Command3", QStringLiteral("入力値を修正する"));
    auto* afterEntry = new QHBoxLayout;
    afterEntry->addStretch(1);
    afterEntry->addWidget(Command4);
    afterEntry->addWidget(Command3);
    QGridLayout* correction = buildCorrectionRow();
    Command6 = NamedButton("Command6", QStringLiteral("修正終了"));
    Command5 = NamedButton("Command5", QStringLiteral("キャンセル"));
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(Command6);
    closing->addWidget(Command5);

    auto* left = new QVBoxLayout;
    left->addWidget(Label7);
    left->addSpacing(6);
    left->addLayout(entry);
    left->addLayout(afterEntry);
    left->addSpacing(16);
    left->addLayout(correction);
    left->addStretch(1);
    left->addLayout(closing);
    return left;
}

QGridLayout* Form11::buildEntryRow() {
    Label1 = columnHeading("Label1", QStringLiteral("No."));
    Label2 = columnHeading("Label2", QStringLiteral("X"));
    Label3 = columnHeading("Label3", QStringLiteral("Y"));
    Label4 = ReadoutLabel("Label4", 44);
    Label4->setAlignment(Qt::AlignCenter);
    Text1 = new TextBox(QStringLiteral("Text1"));
    Text2 = new TextBox(QStringLiteral("Text2"));
    Command1 = NamedButton("Command1", QStringLiteral("OK・次データ"));
    Command2 = NamedButton("Command2", QStringLiteral("入力終了"));
    return entryGrid({Label1, Label2, Label3}, {Label4, Text1, Text2}, {Command1, Command2});
}

QGridLayout* Form11::buildCorrectionRow() {
    Label10 = columnHeading("Label10", QStringLiteral("No."));
    Label11 = columnHeading("Label11", QStringLiteral("X"));
    Label12 = columnHeading("Label12", QStringLiteral("Y"));
    Text3 = new TextBox(QStringLiteral("Text3"));
    Text3->setMaximumWidth(60);
    Text4 = new TextBox(QStringLiteral("Text4"));
    Text5 = new TextBox(QStringLiteral("Text5"));
    Command7 = NamedButton("Command7", QStringLiteral("OK"));
    return entryGrid({Label10, Label11, Label12}, {Text3, Text4, Text5}, {Command7});
}

QVBoxLayout* Form11::buildPointList() {
    Label9 = NamedLabel("Label9", QStringLiteral("入力したデータ"));
    Label17 = NamedLabel("Label17", QStringLiteral("No."));
    Label18 = NamedLabel("Label18", QStringLiteral("X"));
    Label19 = NamedLabel("Label19", QStringLiteral("Y"));
    auto* list = new ColumnList("List1");
    List1 = list;
    List1->setMinimumWidth(240);
    QWidget* listHeadings = ColumnHeadings(list, Label17, Label18, Label19);
    extremes_ = MakeExtremesPanel("Label8", "Label6", "Label5");
    PasteData = new QAction(QStringLiteral("データを貼り付け"), this);
    PasteData->setObjectName(QStringLiteral("PasteData"));
    PasteData->setShortcuts(QKeySequence::Paste);
    addAction(PasteData);  // Ctrl+V anywhere in the window
    AddContextMenu(List1, {PasteData});
    auto* right = new QVBoxLayout;
    right->addWidget(Label9);
    right->addWidget(listHeadings);
    right->addWidget(List1, 1);
    right->addLayout(extremes_.grid);
    return right;
}

void Form11::connectControls() {
    connect(Command1, &QPushButton::clicked, this, &Form11::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form11::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form11::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form11::HandOver_Click);
    connect(Command5, &QPushButton::clicked, this, &Form11::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form11::HandOver_Click);
    connect(Command7, &QPushButton::clicked, this, &Form11::Command7_Click);
    connect(PasteData, &QAction::triggered, this, &Form11::PasteData_Click);
    for (TextBox* t : {Text1, Text2, Text3, Text4, Text5}) {
        connect(t, &TextBox::keyDown, this, [this, t](int key) { Text_KeyDown(t, key); });
        t->installEventFilter(this);
    }
    CancelWithEscape(this, Command5);
}

void Form11::prepare() {
    for (TextBox* t : {Text1, Text2, Text3, Text4, Text5}) t->clear();
    List1->clear();
    extremes_.clear();
    for (QPushButton* b : {Command3, Command4, Command6}) b->setEnabled(false);
    if (!keep_) entry_ = HandEntry{};
    if (entry_.points.DataCount > 0) {
        List1->addItems(StoredEntryLines(entry_.points));
        showExtremes();
    }
    Label4->setText(QString::number(std::min(entry_.EntryNo, kDataLimit)));
}

void Form11::openOver(QWidget* opener) {
    prepare();
    ShowOver(this, opener);
    Text1->setFocus();
}

void Form11::reset() {
    keep_ = false;
    prepare();
}

bool Form11::keepsPoints() const { return keep_; }

void Form11::showExtremes() { extremes_.show(DataExtremeTexts(entry_.points)); }

void Form11::Text_KeyDown(TextBox* box, int key) {
    if (key == Qt::Key_Return)
        FocusNext(
            box,
            {{Text1, Text2}, {Text2, Command1}, {Text3, Text4}, {Text4, Text5}, {Text5, Command7}});
}

bool Form11::stopAtLimit() {
    if (!EntryLimitReached(entry_)) return false;
    ShowMessage(this, kLimitReached, QMessageBox::NoIcon);
    Command2->setFocus();
    return true;
}

void Form11::Command1_Click() {
    const QString x = Text1->text(), y = Text2->text();
    const TypedPoint typed = StoreTypedPoint(entry_, x, y);
    switch (typed.result) {
        case EntryResult::Empty:
            ShowMessage(this, kNoData);
            return;
        case EntryResult::Refused:
            ShowMessage(this, typed.refusal);
            return;
        case EntryResult::Full:
            break;
        case EntryResult::Stored:
            List1->addItem(TypedEntryLine(entry_.points, entry_.points.DataCount, x, y));
            List1->scrollToBottom();
            showExtremes();
            break;
    }
    if (stopAtLimit()) return;
    Label4->setText(QString::number(entry_.EntryNo));
    Text1->clear();
    Text2->clear();
    Text1->setFocus();
}

void Form11::Command2_Click() {
    for (QPushButton* b : {Command4, Command3, Command6}) b->setEnabled(true);
    Command4->setFocus();
}

void Form11::Command3_Click() { Text3->setFocus(); }

void Form11::Command7_Click() {
    if (const QString refusal =
            CorrectPoint(entry_.points, Text3->text(), Text4->text(), Text5->text());
        !refusal.isEmpty()) {
        ShowMessage(this, refusal);
        Text3->setFocus();
        Text3->selectAll();
        return;
    }
    showExtremes();
    List1->clear();
    List1->addItems(StoredEntryLines(entry_.points));
    for (TextBox* t : {Text3, Text4, Text5}) t->clear();
    Text3->setFocus();
}

void Form11::HandOver_Click() {
    // With no point there is nothing to draw, and the extremes would be those of earlier data.
    if (entry_.points.DataCount < 1) {
        ShowMessage(this, kNoData);
        Text1->setFocus();
        return;
    }
    keep_ = false;
    OrderDataByX(entry_.points);
    form1()->takeData(entry_.points, DataTableLines(entry_.points));
    form1()->show();
    hide();
}

void Form11::PasteData_Click() { pasteBlock(QGuiApplication::clipboard()->text()); }

void Form11::pasteBlock(const QString& block) {
    const PasteResult result = StorePastedPoints(entry_, block);
    if (!result.lines.isEmpty()) {
        List1->addItems(result.lines);
        List1->scrollToBottom();
        showExtremes();
        Label4->setText(QString::number(std::min(entry_.EntryNo, kDataLimit)));
    }
    if (result.badLine > 0) {
        ShowMessage(this, notAPoint(result.badLine, result.badText));
    } else if (!stopAtLimit() && result.lines.isEmpty()) {
        ShowMessage(this, kNothingToPaste);
    }
}

bool Form11::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+V in a text box takes a block of points; a single value goes into the box as usual.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        const QString text = QGuiApplication::clipboard()->text();
        if (IsPointBlock(text)) {
            pasteBlock(text);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form11::Command5_Click() {
    keep_ = entry_.points.DataCount > 0;
    form1()->clearInputData();
    form1()->show();
    hide();
}

void Form11::closeEvent(QCloseEvent* event) {
    // The close box gives up like the cancel button, keeping the points for the next opening;
    // the program goes on in the main window.
    event->ignore();
    Command5_Click();
}
