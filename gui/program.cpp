// Nodara's window instances, start, end and reset.
#include "program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <csignal>

#include "engineconsole.h"
#include "exchange.h"
#include "form1.h"
#include "form10.h"
#include "form11.h"
#include "form2.h"
#include "form3.h"
#include "form4.h"
#include "form5.h"
#include "form6.h"
#include "form7.h"
#include "form8.h"
#include "form9.h"
#include "keyboard.h"
#include "messagebox.h"

namespace {
template <typename Form>
Form*& slot() {
    static Form* form = nullptr;
    return form;
}
template <typename Form>
Form* instance() {
    Form*& f = slot<Form>();
    if (!f) f = new Form;
    return f;
}
template <typename Form>
void destroy() {
    delete slot<Form>();
    slot<Form>() = nullptr;
}

// Qt's own texts (a text box's context menu, standard buttons, the tooltips Qt supplies) in
// Japanese, like every caption of the program, whatever the system's language. Without Qt's
// translations installed they stay English. Installed once, however often the program starts.
void InstallJapaneseQtTexts() {
    static const bool installed = [] {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QStringLiteral("qtbase_ja"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return QCoreApplication::installTranslator(translator);
        delete translator;
        return false;
    }();
    Q_UNUSED(installed);
}
}  // namespace

Form1* form1() { return instance<Form1>(); }
Form2* form2() { return instance<Form2>(); }
Form3* form3() { return instance<Form3>(); }
Form4* form4() { return instance<Form4>(); }
Form5* form5() { return instance<Form5>(); }
Form6* form6() { return instance<Form6>(); }
Form7* form7() { return instance<Form7>(); }
Form8* form8() { return instance<Form8>(); }
Form10* form10() { return instance<Form10>(); }
Form9* form9() { return instance<Form9>(); }
Form11* form11() { return instance<Form11>(); }

void StartNodara() {
    // A write past the file-size limit then fails with EFBIG, which the writers report, instead
    // of ending the program and leaving its scratch file behind.
    std::signal(SIGXFSZ, SIG_IGN);
    InstallJapaneseQtTexts();
    InstallKeyboardConventions();
    // The program ends by its title window (終了 or the close box), never because every window
    // happens to be hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    form2()->show();
    if (const QString problem = ExchangeFolderProblem(); !problem.isEmpty())
        ShowMessage(form2(), problem);
}

void EndProgram() {
    // An engine console still open goes with the program, and its engine with it.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<EngineConsole*>(w))
            w->close();
        else
            w->hide();
    }
    ReleaseExchangeFolder();
    QCoreApplication::quit();
}

void ShutdownNodara() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<EngineConsole*>(w)) delete w;
    destroy<Form8>();
    destroy<Form5>();
    destroy<Form4>();
    destroy<Form6>();
    destroy<Form7>();
    destroy<Form3>();
    destroy<Form10>();
    destroy<Form11>();
    destroy<Form9>();
    destroy<Form1>();
    destroy<Form2>();
    ReleaseExchangeFolder();
}

void ResetProgramState() {
    form7()->hide();
    form10()->prepare();
    form11()->reset();
    form1()->reset();
}
