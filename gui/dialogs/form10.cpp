// Form10, the file-input dialog.
#include "form10.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>
#include <QVBoxLayout>

#include "controls.h"
#include "datainput.h"
#include "events.h"
#include "filelists.h"
#include "form1.h"
#include "form3.h"
#include "pathutil.h"
#include "program.h"
#include "state.h"

namespace {
// The data-format help has no window yet; its button stays disabled.
constexpr bool kFormatHelpAvailable = false;
}  // namespace

Form10::Form10() {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral(" データ入力（ファイル入力）"));

    Label1 = NamedLabel("Label1", QStringLiteral("ファイルを選択して下さい"));
    Drive1 = new DriveListBox(QStringLiteral("Drive1"));
    Dir1 = new DirListBox(QStringLiteral("Dir1"));
    File1 = new FileListBox(QStringLiteral("File1"));
    File1->setPattern(QStringLiteral("*.dat;*.csv"));
    Label2 = NamedLabel("Label2", QStringLiteral("このファイルの内容"));
    List1 = Named(new QListWidget, "List1");
    Label7 = NamedLabel("Label7", QStringLiteral("補間の対象とするデータ"));
    Label3 = NamedLabel("Label3", QStringLiteral("X                Y"));
    Label4 = NamedLabel("Label4", QStringLiteral("最小値"));
    Label5 = NamedLabel("Label5", QStringLiteral("最大値"));
    Label31 = ReadoutLabel("Label31", 90);
    Label32 = ReadoutLabel("Label32", 90);
    Label33 = ReadoutLabel("Label33", 90);
    Label34 = ReadoutLabel("Label34", 90);
    Command1 = NamedButton("Command1", QStringLiteral("OK"));
    Command2 = NamedButton("Command2", QStringLiteral("キャンセル"));
    Command3 = NamedButton("Command3", QStringLiteral("データ書式"));
    Command3->setEnabled(kFormatHelpAvailable);

    auto* files = new QVBoxLayout;
    files->addWidget(Label1);
    files->addWidget(Drive1);
    files->addWidget(Dir1, 1);
    files->addWidget(File1, 1);
    files->addWidget(Command3);
    auto* contents = new QVBoxLayout;
    contents->addWidget(Label2);
    contents->addWidget(List1, 1);
    contents->addSpacing(6);
    contents->addWidget(Label7);
    auto* extremes = new QGridLayout;
    extremes->addWidget(Label3, 0, 1, 1, 2);
    extremes->addWidget(Label4, 1, 0);
    extremes->addWidget(Label31, 1, 1);
    extremes->addWidget(Label33, 1, 2);
    extremes->addWidget(Label5, 2, 0);
    extremes->addWidget(Label32, 2, 1);
    extremes->addWidget(Label34, 2, 2);
    contents->addLayout(extremes);
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
    connect(Command1, &QPushButton::clicked, this, &Form10::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form10::Command2_Click);
}

void Form10::prepare() {
    loaded_ = false;
    Dir1->setPath(DriveListBox::currentDirectoryOf(Drive1->drive()));
    File1->setPath(Dir1->path());
    List1->clear();
    for (QLabel* l : {Label31, Label32, Label33, Label34}) l->clear();
}

void Form10::Drive1_Change() {
    Dir1->setPath(DriveListBox::currentDirectoryOf(Drive1->drive()));
    Dir1_Change();
}

void Form10::Dir1_Change() { File1->setPath(Dir1->path()); }

void Form10::File1_Click(const QString& fileName) {
    Form1* main = form1();
    loaded_ = false;
    for (int i = 1; i <= kDataCapacity; ++i) DataX[i] = DataY[i] = 0.0;
    for (QWidget* o : {main->Option1, main->Option2, main->Option3, main->Option4})
        o->setEnabled(true);
    for (QLabel* l : {Label31, Label32, Label33, Label34}) l->clear();

    FilePath = JoinPath(File1->path(), fileName);
    main->List1->clear();
    List1->clear();

    QFile file(FilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        loadFailed();
        return;
    }
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd() && lines.size() < kDataLimit) lines.append(in.readLine());
    file.close();
    for (const QString& line : lines) {
        List1->addItem(line);
        main->List1->addItem(line);
    }
    DataCount = int(lines.size());
    if (DataCount == 0) {  // nothing to interpolate
        loadFailed();
        return;
    }

    for (int i = 1; i <= DataCount; ++i) {
        if (!ParseDataLine(lines[i - 1], DataX[i], DataY[i])) {
            loadFailed();
            return;
        }
        if (i == 1) {
            DataMinX = DataMaxX = DataX[1];
            DataMinY = DataMaxY = DataY[1];
            continue;
        }
        if (DataX[i] > DataMaxX) DataMaxX = DataX[i];
        if (DataX[i] < DataMinX) DataMinX = DataX[i];
        if (DataY[i] > DataMaxY) DataMaxY = DataY[i];
        if (DataY[i] < DataMinY) DataMinY = DataY[i];
    }
    for (int i = 1; i < DataCount; ++i)
        if (DataX[i + 1] <= DataX[i]) {
            SortDataByX();
            break;
        }

    const std::pair<QLabel*, double> extremes[] = {
        {Label31, DataMinX}, {Label32, DataMaxX}, {Label33, DataMinY}, {Label34, DataMaxY}};
    for (auto [l, v] : extremes) l->setText(FormatRangeValue(v));
    main->Label31->setText(Label31->text());
    main->Label32->setText(Label32->text());
    main->Label33->setText(Label33->text());
    main->Label34->setText(Label34->text());
    if (DataMinX <= 0) {
        main->Option3->setEnabled(false);
        main->Option4->setEnabled(false);
    }
    if (DataMinY <= 0) {
        main->Option2->setEnabled(false);
        main->Option4->setEnabled(false);
    }
    main->Command3->setEnabled(true);
    loaded_ = true;
}

void Form10::loadFailed() {
    List1->clear();
    form1()->List1->clear();
    Beep();
    form3()->show();
    form3()->raise();
}

void Form10::Command1_Click() {
    hide();
    // Without a good load the points are cleared or partly read; they must not be drawn.
    if (loaded_) form1()->Command3->setEnabled(true);
    form1()->show();
}

void Form10::Command2_Click() {
    hide();
    Form1* main = form1();
    main->List1->clear();
    for (QLabel* l : {main->Label31, main->Label32, main->Label33, main->Label34}) l->clear();
    for (QWidget* o : {main->Option1, main->Option2, main->Option3, main->Option4})
        o->setEnabled(true);
    main->show();
}
