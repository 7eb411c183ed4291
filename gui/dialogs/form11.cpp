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
    headingLabel = Heading(NamedLabel("Label7", QStringLiteral("データを入力して下さい")));
    QGridLayout* entry = buildEntryRow();
    handOverButton = NamedButton("Command4", QStringLiteral("OK（修正なし）"));
    correctButton = NamedButton("Command3", QStringLiteral("入力値を修正する"));
    auto* afterEntry = new QHBoxLayout;
    afterEntry->addStretch(1);
    afterEntry->addWidget(handOverButton);
    afterEntry->addWidget(correctButton);
    QGridLayout* correction = buildCorrectionRow();
    correctionDoneButton = NamedButton("Command6", QStringLiteral("修正終了"));
    cancelButton = NamedButton("Command5", QStringLiteral("キャンセル"));
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(correctionDoneButton);
    closing->addWidget(cancelButton);

    auto* left = new QVBoxLayout;
    left->addWidget(headingLabel);
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
    numberColumnLabel = columnHeading("Label1", QStringLiteral("No."));
    xColumnLabel = columnHeading("Label2", QStringLiteral("X"));
    yColumnLabel = columnHeading("Label3", QStringLiteral("Y"));
    entryNumberLabel = ReadoutLabel("Label4", 44);
    entryNumberLabel->setAlignment(Qt::AlignCenter);
    xField = new TextBox(QStringLiteral("Text1"));
    yField = new TextBox(QStringLiteral("Text2"));
    nextPointButton = NamedButton("Command1", QStringLiteral("OK・次データ"));
    endEntryButton = NamedButton("Command2", QStringLiteral("入力終了"));
    return entryGrid({numberColumnLabel, xColumnLabel, yColumnLabel},
                     {entryNumberLabel, xField, yField}, {nextPointButton, endEntryButton});
}

QGridLayout* Form11::buildCorrectionRow() {
    correctionNumberColumnLabel = columnHeading("Label10", QStringLiteral("No."));
    correctionXColumnLabel = columnHeading("Label11", QStringLiteral("X"));
    correctionYColumnLabel = columnHeading("Label12", QStringLiteral("Y"));
    correctionNumberField = new TextBox(QStringLiteral("Text3"));
    correctionNumberField->setMaximumWidth(60);
    correctionXField = new TextBox(QStringLiteral("Text4"));
    correctionYField = new TextBox(QStringLiteral("Text5"));
    correctionOkButton = NamedButton("Command7", QStringLiteral("OK"));
    return entryGrid({correctionNumberColumnLabel, correctionXColumnLabel, correctionYColumnLabel},
                     {correctionNumberField, correctionXField, correctionYField},
                     {correctionOkButton});
}

QVBoxLayout* Form11::buildPointList() {
    enteredDataLabel = NamedLabel("Label9", QStringLiteral("入力したデータ"));
    listNumberLabel = NamedLabel("Label17", QStringLiteral("No."));
    listXLabel = NamedLabel("Label18", QStringLiteral("X"));
    listYLabel = NamedLabel("Label19", QStringLiteral("Y"));
    auto* list = new ColumnList("List1");
    pointsList = list;
    pointsList->setMinimumWidth(240);
    QWidget* listHeadings = ColumnHeadings(list, listNumberLabel, listXLabel, listYLabel);
    extremes_ = MakeExtremesPanel("Label8", "Label6", "Label5");
    PasteData = new QAction(QStringLiteral("データを貼り付け"), this);
    PasteData->setObjectName(QStringLiteral("PasteData"));
    PasteData->setShortcuts(QKeySequence::Paste);
    addAction(PasteData);  // Ctrl+V anywhere in the window
    AddContextMenu(pointsList, {PasteData});
    auto* right = new QVBoxLayout;
    right->addWidget(enteredDataLabel);
    right->addWidget(listHeadings);
    right->addWidget(pointsList, 1);
    right->addLayout(extremes_.grid);
    return right;
}

void Form11::connectControls() {
    connect(nextPointButton, &QPushButton::clicked, this, &Form11::takeHandEntry);
    connect(endEntryButton, &QPushButton::clicked, this, &Form11::endEntry);
    connect(correctButton, &QPushButton::clicked, this, &Form11::startCorrection);
    connect(handOverButton, &QPushButton::clicked, this, &Form11::handOver);
    connect(cancelButton, &QPushButton::clicked, this, &Form11::cancelEntry);
    connect(correctionDoneButton, &QPushButton::clicked, this, &Form11::handOver);
    connect(correctionOkButton, &QPushButton::clicked, this, &Form11::correctPoint);
    connect(PasteData, &QAction::triggered, this, &Form11::pasteFromClipboard);
    for (TextBox* t : {xField, yField, correctionNumberField, correctionXField, correctionYField}) {
        connect(t, &TextBox::keyDown, this, [this, t](int key) { passFocusOnEnter(t, key); });
        t->installEventFilter(this);
    }
    CancelWithEscape(this, cancelButton);
}

void Form11::prepare() {
    for (TextBox* t : {xField, yField, correctionNumberField, correctionXField, correctionYField})
        t->clear();
    pointsList->clear();
    extremes_.clear();
    for (QPushButton* b : {correctButton, handOverButton, correctionDoneButton})
        b->setEnabled(false);
    if (!keep_) entry_ = HandEntry{};
    if (entry_.points.DataCount > 0) {
        pointsList->addItems(StoredEntryLines(entry_.points));
        showExtremes();
    }
    entryNumberLabel->setText(QString::number(std::min(entry_.EntryNo, kDataLimit)));
}

void Form11::openOver(QWidget* opener) {
    prepare();
    ShowOver(this, opener);
    xField->setFocus();
}

void Form11::reset() {
    keep_ = false;
    prepare();
}

bool Form11::keepsPoints() const { return keep_; }

void Form11::showExtremes() { extremes_.show(DataExtremeTexts(entry_.points)); }

void Form11::passFocusOnEnter(TextBox* box, int key) {
    if (key == Qt::Key_Return)
        FocusNext(box, {{xField, yField},
                        {yField, nextPointButton},
                        {correctionNumberField, correctionXField},
                        {correctionXField, correctionYField},
                        {correctionYField, correctionOkButton}});
}

bool Form11::stopAtLimit() {
    if (!EntryLimitReached(entry_)) return false;
    ShowMessage(this, kLimitReached, QMessageBox::NoIcon);
    endEntryButton->setFocus();
    return true;
}

void Form11::takeHandEntry() {
    const QString x = xField->text(), y = yField->text();
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
            pointsList->addItem(TypedEntryLine(entry_.points, entry_.points.DataCount, x, y));
            pointsList->scrollToBottom();
            showExtremes();
            break;
    }
    if (stopAtLimit()) return;
    entryNumberLabel->setText(QString::number(entry_.EntryNo));
    xField->clear();
    yField->clear();
    xField->setFocus();
}

void Form11::endEntry() {
    for (QPushButton* b : {handOverButton, correctButton, correctionDoneButton})
        b->setEnabled(true);
    handOverButton->setFocus();
}

void Form11::startCorrection() { correctionNumberField->setFocus(); }

void Form11::correctPoint() {
    if (const QString refusal = CorrectPoint(entry_.points, correctionNumberField->text(),
                                             correctionXField->text(), correctionYField->text());
        !refusal.isEmpty()) {
        ShowMessage(this, refusal);
        correctionNumberField->setFocus();
        correctionNumberField->selectAll();
        return;
    }
    showExtremes();
    pointsList->clear();
    pointsList->addItems(StoredEntryLines(entry_.points));
    for (TextBox* t : {correctionNumberField, correctionXField, correctionYField}) t->clear();
    correctionNumberField->setFocus();
}

void Form11::handOver() {
    // With no point there is nothing to draw, and the extremes would be those of earlier data.
    if (entry_.points.DataCount < 1) {
        ShowMessage(this, kNoData);
        xField->setFocus();
        return;
    }
    keep_ = false;
    OrderDataByX(entry_.points);
    form1()->takeData(entry_.points, DataTableLines(entry_.points));
    form1()->show();
    hide();
}

void Form11::pasteFromClipboard() { pasteBlock(QGuiApplication::clipboard()->text()); }

void Form11::pasteBlock(const QString& block) {
    const PasteResult result = StorePastedPoints(entry_, block);
    if (!result.lines.isEmpty()) {
        pointsList->addItems(result.lines);
        pointsList->scrollToBottom();
        showExtremes();
        entryNumberLabel->setText(QString::number(std::min(entry_.EntryNo, kDataLimit)));
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

void Form11::cancelEntry() {
    keep_ = entry_.points.DataCount > 0;
    form1()->clearInputData();
    form1()->show();
    hide();
}

void Form11::closeEvent(QCloseEvent* event) {
    // The close box gives up like the cancel button, keeping the points for the next opening;
    // the program goes on in the main window.
    event->ignore();
    cancelEntry();
}
