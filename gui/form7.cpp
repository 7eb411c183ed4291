// Form7, the method dialog, and the start of a calculation.
#include "form7.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "controls.h"
#include "engineconsole.h"
#include "enginecontract.h"
#include "exchange.h"
#include "form1.h"
#include "keyboard.h"
#include "messagebox.h"
#include "placement.h"
#include "program.h"

Form7::Form7() {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Nodara"));

    Frame1 = Named(new QGroupBox(QStringLiteral(" スプライン補間方法 ")), "Frame1");
    Option1 = NamedOption("Option1", QStringLiteral("３次スプライン"));
    Option2 = NamedOption("Option2", QStringLiteral(" B-スプライン"));
    Option3 = NamedOption("Option3", QStringLiteral("秋間補間"));
    Option4 = NamedOption("Option4", QStringLiteral("形状保存３次補間"));
    Option5 = NamedOption("Option5", QStringLiteral("平滑化スプライン"));
    Option6 = NamedOption("Option6", QStringLiteral("単調３次補間"));
    Label1 = NamedLabel("Label1", QStringLiteral("（データ点を必ず通る）"));
    Label2 = NamedLabel("Label2", QStringLiteral("（データ点を必ずしも通らない）"));
    Label3 = NamedLabel("Label3", QStringLiteral("（データ点を必ず通る・波打ちが少ない）"));
    Label4 = NamedLabel("Label4", QStringLiteral("（データ点を必ず通る・データの凹凸を保つ）"));
    Label5 = NamedLabel("Label5", QStringLiteral("（データのばらつきを自動で平滑化）"));
    Label6 =
        NamedLabel("Label6", QStringLiteral("（データ点を必ず通る・単調なデータを単調につなぐ）"));
    auto* methods = new QGridLayout(Frame1);
    int row = 0;
    for (auto [option, note] :
         {std::pair{Option1, Label1}, std::pair{Option2, Label2}, std::pair{Option3, Label3},
          std::pair{Option4, Label4}, std::pair{Option5, Label5}, std::pair{Option6, Label6}}) {
        methods->addWidget(option, row, 0);
        methods->addWidget(note, row++, 1);
    }
    Option1->setChecked(true);

    Command2 = NamedButton("Command2", QStringLiteral("補間計算スタート"));
    Command1 = NamedButton("Command1", QStringLiteral("キャンセル"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(Frame1);
    v->addWidget(Command2);
    v->addWidget(Command1);

    connect(Command2, &QPushButton::clicked, this, &Form7::StartCalculation);
    connect(Command1, &QPushButton::clicked, this, &Form7::Command1_Click);
    CancelWithEscape(this, Command1);
}

void Form7::openOver(QWidget* opener) {
    // The method of the table drawn stays what it was until a new calculation starts.
    Option1->setChecked(true);
    ShowOver(this, opener);
    Command2->setFocus();  // Enter starts the calculation
}

void Form7::StartCalculation() {
    // The engine computes B2F.dat, which holds the points of the graph drawn; without one (after
    // a new data input or a reset) there is nothing of the current data to compute.
    if (!form1()->graphDrawn()) {
        hide();
        return;
    }
    if (const QString problem = ExchangeFolderProblem(); !problem.isEmpty()) {
        ShowMessage(this, problem);
        return;
    }
    const QString cannotStart = QStringLiteral("　計算プログラム Fitcore を起動できません！　");
    const QString engine = FindEngine();
    if (engine.isEmpty()) {
        ShowMessage(this, cannotStart);
        return;
    }
    const EngineMethod method = chosenMethod();
    if (const FileResult written = WriteMethodFile(method); !written.ok()) {
        ReportWriteFailure(this, QLatin1String(contract::kMethodFile), written.problem);
        return;
    }
    DeleteTableFile();
    auto* console = new EngineConsole;
    if (!console->start(engine)) {
        delete console;
        ShowMessage(this, cannotStart);
        return;
    }
    form1()->calculationStarted(console->process(), method);
    hide();
}

EngineMethod Form7::chosenMethod() const {
    using namespace contract;
    if (Option1->isChecked()) return {kCubicSplineFlag, 0};
    if (Option3->isChecked()) return {kLibraryFlag, kAkimaMethod};
    if (Option4->isChecked()) return {kLibraryFlag, kShapePreservingMethod};
    if (Option5->isChecked()) return {kLibraryFlag, kSmoothingMethod};
    if (Option6->isChecked()) return {kLibraryFlag, kMonotoneMethod};
    return {kLibraryFlag, 0};
}

void Form7::Command1_Click() { hide(); }
