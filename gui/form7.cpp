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
#include "events.h"
#include "exchange.h"
#include "form1.h"
#include "keyboard.h"
#include "messagebox.h"
#include "program.h"
#include "state.h"

Form7::Form7() {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Nodara"));

    Frame1 = Named(new QGroupBox(QStringLiteral(" スプライン補間方法 ")), "Frame1");
    Option1 = NamedOption("Option1", QStringLiteral("３次スプライン"));
    Option2 = NamedOption("Option2", QStringLiteral(" B-スプライン"));
    Label1 = NamedLabel("Label1", QStringLiteral("（データ点を必ず通る）"));
    Label2 = NamedLabel("Label2", QStringLiteral("（データ点を必ずしも通らない）"));
    auto* methods = new QGridLayout(Frame1);
    methods->addWidget(Option1, 0, 0);
    methods->addWidget(Label1, 0, 1);
    methods->addWidget(Option2, 1, 0);
    methods->addWidget(Label2, 1, 1);
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

void Form7::StartCalculation() {
    // The engine computes B2F.dat, which holds the points of the graph drawn; without one (after
    // a new data input or a reset) there is nothing of the current data to compute.
    if (!DrawnGraph) {
        hide();
        return;
    }
    if (ExchangeFolderInUse()) {
        ShowMessage(this, FolderInUseText());
        return;
    }
    const QString cannotStart = QStringLiteral("　計算プログラム Fitcore を起動できません！　");
    const QString engine = FindEngine();
    if (engine.isEmpty()) {
        ShowMessage(this, cannotStart);
        return;
    }
    const int flag = Option1->isChecked() ? 0 : 1;
    if (const FileResult written = WriteMethodFile(flag); !written.ok()) {
        ReportWriteFailure(this, QLatin1String(kMethodFileName), written.problem);
        return;
    }
    DeleteTableFile();
    DoEvents();
    auto* console = new EngineConsole;
    if (!console->start(engine)) {
        delete console;
        ShowMessage(this, cannotStart);
        return;
    }
    MethodFlag = flag;
    DoEvents();
    CurveReady = 1;
    form1()->Command5->setEnabled(true);
    form1()->Command5->setFocus();
    hide();
}

void Form7::Command1_Click() { hide(); }
