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

    methodGroup = Named(new QGroupBox(QStringLiteral(" スプライン補間方法 ")), "Frame1");
    cubicSplineOption = NamedOption("Option1", QStringLiteral("３次スプライン"));
    bSplineOption = NamedOption("Option2", QStringLiteral(" B-スプライン"));
    akimaOption = NamedOption("Option3", QStringLiteral("秋間補間"));
    shapePreservingOption = NamedOption("Option4", QStringLiteral("形状保存３次補間"));
    smoothingOption = NamedOption("Option5", QStringLiteral("平滑化スプライン"));
    monotoneOption = NamedOption("Option6", QStringLiteral("単調３次補間"));
    cubicSplineNoteLabel = NamedLabel("Label1", QStringLiteral("（データ点を必ず通る）"));
    bSplineNoteLabel = NamedLabel("Label2", QStringLiteral("（データ点を必ずしも通らない）"));
    akimaNoteLabel = NamedLabel("Label3", QStringLiteral("（データ点を必ず通る・波打ちが少ない）"));
    shapePreservingNoteLabel =
        NamedLabel("Label4", QStringLiteral("（データ点を必ず通る・データの凹凸を保つ）"));
    smoothingNoteLabel = NamedLabel("Label5", QStringLiteral("（データのばらつきを自動で平滑化）"));
    monotoneNoteLabel =
        NamedLabel("Label6", QStringLiteral("（データ点を必ず通る・単調なデータを単調につなぐ）"));
    auto* methods = new QGridLayout(methodGroup);
    int row = 0;
    for (auto [option, note] :
         {std::pair{cubicSplineOption, cubicSplineNoteLabel},
          std::pair{bSplineOption, bSplineNoteLabel}, std::pair{akimaOption, akimaNoteLabel},
          std::pair{shapePreservingOption, shapePreservingNoteLabel},
          std::pair{smoothingOption, smoothingNoteLabel},
          std::pair{monotoneOption, monotoneNoteLabel}}) {
        methods->addWidget(option, row, 0);
        methods->addWidget(note, row++, 1);
    }
    cubicSplineOption->setChecked(true);

    startButton = NamedButton("Command2", QStringLiteral("補間計算スタート"));
    cancelButton = NamedButton("Command1", QStringLiteral("キャンセル"));
    auto* v = new QVBoxLayout(this);
    v->addWidget(methodGroup);
    v->addWidget(startButton);
    v->addWidget(cancelButton);

    connect(startButton, &QPushButton::clicked, this, &Form7::StartCalculation);
    connect(cancelButton, &QPushButton::clicked, this, &Form7::cancelMethod);
    CancelWithEscape(this, cancelButton);
}

void Form7::openOver(QWidget* opener) {
    // The method of the table drawn stays what it was until a new calculation starts.
    cubicSplineOption->setChecked(true);
    ShowOver(this, opener);
    startButton->setFocus();  // Enter starts the calculation
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
    if (cubicSplineOption->isChecked()) return {kCubicSplineFlag, 0};
    if (akimaOption->isChecked()) return {kLibraryFlag, kAkimaMethod};
    if (shapePreservingOption->isChecked()) return {kLibraryFlag, kShapePreservingMethod};
    if (smoothingOption->isChecked()) return {kLibraryFlag, kSmoothingMethod};
    if (monotoneOption->isChecked()) return {kLibraryFlag, kMonotoneMethod};
    return {kLibraryFlag, 0};
}

void Form7::cancelMethod() { hide(); }
