// Nodara: the windowed program; it starts with the title window.
#include <QApplication>
#include <QProcessEnvironment>
#include <cstdio>
#include <optional>

#include "displaycheck.h"
#include "program.h"

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const QString noDisplay =
        MissingDisplayMessage(arguments, QProcessEnvironment::systemEnvironment());
    if (!noDisplay.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(noDisplay));
        return 1;
    }

    // Names the menu entry, so desktops match the window to it and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("nodara"));
    std::optional<DisplayFailureGuard> guard(std::in_place);
    QApplication app(argc, argv);
    guard.reset();

    StartNodara();
    return app.exec();
}
