// Form9, the data-format help.
#include "form9.h"

#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "datainput.h"
#include "filelists.h"
#include "keyboard.h"
#include "messagebox.h"
#include "pathutil.h"
#include "savefile.h"

namespace {
// How many lines of an example are shown.
constexpr int kShownLines = 100;

// A small filled square that marks an item of the help text.
QFrame* bullet(const char* name) {
    auto* shape = Named(new QFrame, name);
    shape->setFixedSize(9, 9);
    shape->setStyleSheet(QStringLiteral("background: #000080;"));
    return shape;
}

// The icon beside the example list: a page of text with a folded corner.
QPixmap pageIcon() {
    QPixmap pm(34, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF page[] = {{4, 2}, {22, 2}, {30, 10}, {30, 38}, {4, 38}};
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPolygon(page, 5);
    p.drawPolyline(QPolygonF({{22, 2}, {22, 10}, {30, 10}}));
    p.setPen(QPen(QColor(0, 0, 160), 1.5));
    for (int y = 16; y <= 32; y += 5) p.drawLine(QPointF(8, y), QPointF(26, y));
    return pm;
}
}  // namespace

Form9::Form9() {
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("データ書式"));

    QVBoxLayout* left = buildFormatHelp();
    QVBoxLayout* right = buildExamples();
    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 3);
    top->addSpacing(12);
    top->addLayout(right, 2);
    resize(900, 440);

    connect(fileList, &FileListBox::clicked, this, &Form9::showExample);
    connect(closeButton, &QPushButton::clicked, this, &Form9::closeHelp);
    CancelWithEscape(this, closeButton);
}

QVBoxLayout* Form9::buildFormatHelp() {
    headingLabel =
        Heading(NamedLabel("Label1", QStringLiteral("補間の対象となる離散データの書式")), 3);
    closeButton = NamedButton("Command1", QStringLiteral("閉じる"));
    auto* left = new QVBoxLayout;
    left->addWidget(headingLabel);
    left->addSpacing(12);
    left->addLayout(buildRules());
    left->addStretch(1);
    auto* close = new QHBoxLayout;
    close->addStretch(1);
    close->addWidget(closeButton);
    close->addStretch(1);
    left->addLayout(close);
    return left;
}

QGridLayout* Form9::buildRules() {
    examplesBullet = bullet("Shape1");
    examplesNoteLabel = NamedLabel(
        "Label8", QStringLiteral("添付したデータ例（テキストエディタでも読み込み可）を参照"));
    lineBullet = bullet("Shape2");
    twoPerLineLabel =
        NamedLabel("Label2", QStringLiteral("１行に２データ（Ｘ値, Ｙ値 の順）とする"));
    notOneOrThreeLabel =
        NamedLabel("Label9", QStringLiteral("１行に１データ，１行に３データ以上は不可"));
    columnsBullet = bullet("Shape3");
    columnsLabel = NamedLabel("Label3", QStringLiteral("１列目Ｘ座標値　２列目Ｙ座標値　を"));
    csvLabel = NamedLabel(
        "Label4",
        QStringLiteral("(1) カンマ（ ，）で区切ったテキストファイル（拡張子を csv とする）"));
    datLabel = NamedLabel(
        "Label5", QStringLiteral("(2) スペースで区切ったテキストファイル（拡張子を dat とする）"));
    eitherLabel = NamedLabel("Label6", QStringLiteral("の いずれかとする"));
    limitBullet = bullet("Shape4");
    pointLimitLabel =
        NamedLabel("Label7", QStringLiteral("最大100データとする（ 101 行以降は読まない ）"));

    // Bulleted items in one column, their continuation lines indented under them.
    auto* items = new QGridLayout;
    items->setHorizontalSpacing(10);
    items->setVerticalSpacing(8);
    items->setColumnMinimumWidth(1, 14);
    int row = 0;
    const auto item = [&](QFrame* shape, QLabel* text) {
        items->addWidget(shape, row, 0, Qt::AlignCenter);
        items->addWidget(text, row++, 1, 1, 2);
    };
    const auto more = [&](QLabel* text, int column = 1) {
        items->addWidget(text, row++, column, 1, 3 - column);
    };
    item(examplesBullet, examplesNoteLabel);
    item(lineBullet, twoPerLineLabel);
    more(notOneOrThreeLabel);
    item(columnsBullet, columnsLabel);
    more(csvLabel, 2);
    more(datLabel, 2);
    more(eitherLabel);
    item(limitBullet, pointLimitLabel);
    items->setColumnStretch(2, 1);
    return items;
}

QVBoxLayout* Form9::buildExamples() {
    examplesLabel = NamedLabel("Label10", QStringLiteral("データ例（クリック）"));
    examplesPicture = NamedLabel("Picture2");
    examplesPicture->setPixmap(pageIcon());
    fileList = new FileListBox(QStringLiteral("File1"));
    fileList->setPattern(QStringLiteral("ex_*.csv;ex_*.dat"));
    fileList->setMinimumHeight(110);
    exampleLinesList = Named(new QListWidget, "List1");
    exampleLinesList->setMinimumSize(220, 200);
    auto* examples = new QGridLayout;
    examples->addWidget(examplesLabel, 0, 0);
    examples->addWidget(fileList, 1, 0);
    examples->addWidget(examplesPicture, 1, 1, Qt::AlignTop);
    auto* right = new QVBoxLayout;
    right->addLayout(examples);
    right->addWidget(exampleLinesList, 1);
    return right;
}

void Form9::prepare() { fileList->setPath(QDir::currentPath()); }

void Form9::showExample(const QString& fileName) {
    exampleLinesList->clear();
    const QString path = JoinPath(fileList->path(), fileName);
    const FileBytes file = ReadFileBytes(path);
    if (!file.ok()) {
        ReportReadFailure(this, path, file.problem);
        return;
    }
    exampleLinesList->addItems(FirstLines(file.bytes, kShownLines));
}

void Form9::closeHelp() {
    exampleLinesList->clear();
    hide();
}
