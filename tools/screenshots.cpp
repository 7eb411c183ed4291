// Takes the README's screenshots from the real windows. A list file names, line by line, the
// picture to write, the window to take (by objectName) and the steps that lead there; the
// steps of all lines run one after another in one program, started in a folder that holds
// the example files.
//
//   nodara_screenshots LIST OUTDIR [WORKDIR]
//
// WORKDIR (made, filled and removed again; it must not exist) is the folder the file dialogs
// show; without it a temporary folder is used.
//
// Steps: "Form1.Command9" clicks a button or option (or triggers an action of the window, such as
// a context menu's entry); "Form10.File1=ex_linear.csv" clicks an
// item of a list (or types into a text box); "Form1.Picture1@0.6,0.4" moves the mouse to that
// fraction of a control; "menu" opens the context menu of the control the mouse was last moved
// over, where it is (the picture then shows the window with the menu open, and the menu closes);
// "engine" waits until the engine console asks for Enter, "enter" presses Enter there and waits
// until it closes; "restart" starts the program afresh. A message box that a step brings up is
// answered at once (its text is printed).
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <cstdio>
#include <stdexcept>

#include "engineconsole.h"
#include "messagebox.h"
#include "program.h"

namespace {

[[noreturn]] void fail(const QString& why) { throw std::runtime_error(why.toStdString()); }

QWidget* window(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible()) return w;
    fail(QStringLiteral("no open window %1 (is it built, and does an earlier step open it?)")
             .arg(name));
}

QWidget* control(const QString& path) {
    const QString form = path.section(QLatin1Char('.'), 0, 0);
    const QString name = path.section(QLatin1Char('.'), 1);
    auto* c = window(form)->findChild<QWidget*>(name);
    if (!c) fail(QStringLiteral("no control %1 in %2").arg(name, form));
    return c;
}

EngineConsole* console() {
    return qobject_cast<EngineConsole*>(window(QStringLiteral("EngineConsole")));
}

void settle() {
    for (int i = 0; i < 5; ++i) QTest::qWait(40);
}

void clickAt(QWidget* target, QPoint pixel) {
    QTest::mouseClick(target, Qt::LeftButton, {}, pixel);
}

// The control and the pixel of the last mouse move, where "menu" opens the context menu.
QPointer<QWidget> lastMoved;
QPoint lastPixel;

void step(const QString& s) {
    if (s == QStringLiteral("menu")) {
        if (!lastMoved) fail(QStringLiteral("menu: move the mouse over a control first"));
        emit lastMoved->customContextMenuRequested(lastPixel);
    } else if (s == QStringLiteral("restart")) {
        ShutdownNodara();
        StartNodara();
    } else if (s == QStringLiteral("engine")) {
        EngineConsole* c = console();
        if (!QTest::qWaitFor([c] { return c->output().contains(QStringLiteral("Push Enter key")); },
                             60000))
            fail(QStringLiteral("the engine did not finish:\n") + c->output());
    } else if (s == QStringLiteral("enter")) {
        QPointer<EngineConsole> c = console();
        QTest::keyClick(c, Qt::Key_Return);
        if (!QTest::qWaitFor([&c] { return c.isNull(); }, 20000))
            fail(QStringLiteral("the engine console did not close"));
    } else if (s.contains(QLatin1Char('@'))) {
        QWidget* target = control(s.section(QLatin1Char('@'), 0, 0));
        const QStringList at = s.section(QLatin1Char('@'), 1).split(QLatin1Char(','));
        const QPointF pixel(at.value(0).toDouble() * target->width(),
                            at.value(1).toDouble() * target->height());
        QMouseEvent move(QEvent::MouseMove, pixel, target->mapToGlobal(pixel), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        lastMoved = target;
        lastPixel = pixel.toPoint();
    } else if (s.contains(QLatin1Char('='))) {
        QWidget* target = control(s.section(QLatin1Char('='), 0, 0));
        const QString value = s.section(QLatin1Char('='), 1);
        if (auto* list = qobject_cast<QListWidget*>(target)) {
            const QList<QListWidgetItem*> found = list->findItems(value, Qt::MatchExactly);
            if (found.size() != 1) fail(QStringLiteral("%1 does not list %2").arg(s, value));
            list->scrollToItem(found[0]);
            clickAt(list->viewport(), list->visualItemRect(found[0]).center());
        } else if (auto* text = qobject_cast<QLineEdit*>(target)) {
            text->setText(value);
        } else {
            fail(QStringLiteral("%1 is neither a list nor a text box").arg(s));
        }
    } else if (auto* action = window(s.section(QLatin1Char('.'), 0, 0))
                                  ->findChild<QAction*>(s.section(QLatin1Char('.'), 1))) {
        action->trigger();
    } else if (auto* button = qobject_cast<QAbstractButton*>(control(s))) {
        if (!button->isEnabled()) fail(s + QStringLiteral(" is disabled"));
        button->click();
    } else {
        fail(s + QStringLiteral(" is not a button"));
    }
    settle();
}

// The window as it is on the screen; where the platform cannot read the screen back
// (offscreen), as the window paints itself.
QPixmap shoot(QWidget* w) {
    // An open menu would close if its window were raised again.
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) {
        w->raise();
        w->activateWindow();
    }
    if (!QTest::qWaitForWindowExposed(w)) fail(w->objectName() + QStringLiteral(" is not shown"));
    settle();
    QPixmap shot;
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        // An open menu is a window of its own: the part of the screen that shows both.
        const QRect both = popup ? w->frameGeometry().united(popup->frameGeometry()) : QRect();
        shot = popup ? w->screen()->grabWindow(0, both.x(), both.y(), both.width(), both.height())
                     : w->screen()->grabWindow(w->winId());
    }
    if (popup) popup->close();
    return shot.isNull() ? w->grab() : shot;
}

int run(const QString& listFile, const QString& outDir) {
    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(listFile + QStringLiteral(": cannot read"));
    QDir().mkpath(outDir);
    QTextStream in(&list);
    SetMessageHook([](const QString& text, QMessageBox::Icon) {
        std::printf("message: %s\n", qPrintable(text.trimmed()));
        return false;
    });
    StartNodara();
    int shots = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().section(QLatin1Char('#'), 0, 0).simplified();
        if (line.isEmpty()) continue;
        const QStringList words = line.split(QLatin1Char(' '));
        if (words.size() < 2) fail(line + QStringLiteral(": a picture and a window are needed"));
        for (const QString& s : words.mid(2)) step(s);
        const QString file = QDir(outDir).filePath(words[0]);
        if (!shoot(window(words[1])).save(file)) fail(file + QStringLiteral(": cannot write"));
        std::printf("%s\n", qPrintable(file));
        ++shots;
    }
    ShutdownNodara();
    return shots;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s LIST OUTDIR [WORKDIR]\n", argv[0]);
        return 2;
    }
    const QString listFile = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString outDir = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    // A folder of the program's own, with the example files, as a user's first start has.
    QTemporaryDir temporary;
    QDir work(temporary.path());
    const bool named = argc == 4;
    if (named) {
        work.setPath(QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath());
        if (work.exists() || !work.mkpath(work.path())) {
            std::fprintf(stderr, "screenshots: %s exists or cannot be made\n", argv[3]);
            return 1;
        }
    }
    for (const QString& name :
         QDir(QStringLiteral(NODARA_EXAMPLES_DIR)).entryList({QStringLiteral("ex_*")}))
        QFile::copy(QStringLiteral(NODARA_EXAMPLES_DIR "/") + name, work.filePath(name));
    QDir::setCurrent(work.path());
    int status = 1;
    try {
        status = run(listFile, outDir) > 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screenshots: %s\n", e.what());
    }
    if (named) work.removeRecursively();
    return status;
}
