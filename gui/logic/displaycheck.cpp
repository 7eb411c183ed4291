// The check for a display before Qt starts, and the guard that turns a platform failure
// during start-up into one line and exit status 1.
#include "displaycheck.h"

#include <QByteArray>
#include <QList>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

// The value of a Qt option given as "-name value" or "--name value" on the command line.
QString optionValue(const QStringList& arguments, const QString& name) {
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1Char('-') + name || a == QStringLiteral("--") + name)
            return arguments[i + 1];
    }
    return {};
}

}  // namespace

QString MissingDisplayMessage(const QStringList& arguments, const QProcessEnvironment& env) {
    QString platforms = optionValue(arguments, QStringLiteral("platform"));
    if (platforms.isEmpty()) platforms = env.value(QStringLiteral("QT_QPA_PLATFORM"));
    // Without a choice Qt takes X11, or Wayland first in a Wayland session.
    if (platforms.isEmpty()) platforms = QStringLiteral("wayland;xcb");

    const bool x11 = !env.value(QStringLiteral("DISPLAY")).isEmpty() ||
                     !optionValue(arguments, QStringLiteral("display")).isEmpty();
    const bool wayland = !env.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    // Qt tries the platforms of a list in turn; one that may start is enough.
    for (const QString& entry : platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        const bool missing = (name == QStringLiteral("xcb") && !x11) ||
                             (name.startsWith(QStringLiteral("wayland")) && !wayland);
        if (!missing) return {};
    }
    return QStringLiteral(
        "Nodara: no graphical display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it "
        "in a desktop session");
}

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

QList<HeldMessage>& held() {
    static QList<HeldMessage> messages;
    return messages;
}

QtMessageHandler& previousHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held().append({type, QByteArray(context.category), text});
        return;
    }
    // The first thing Qt said is its reason (the display that did not answer, a plugin that
    // could not be loaded); its closing advice would only mislead.
    const QString reason = held().isEmpty() ? text.section(QLatin1Char('\n'), 0, 0)
                                            : held().first().text.section(QLatin1Char('\n'), 0, 0);
    std::fprintf(stderr, "Nodara: cannot open a window (%s)\n", qPrintable(reason));
    std::fflush(stderr);
    // Ends here without running exit handlers: the application object is half built.
    std::_Exit(1);
}

}  // namespace

DisplayFailureGuard::DisplayFailureGuard() {
    held().clear();
    previousHandler() = qInstallMessageHandler(holdOrFail);
}

DisplayFailureGuard::~DisplayFailureGuard() {
    qInstallMessageHandler(previousHandler());
    const QList<HeldMessage> messages = std::exchange(held(), {});
    for (const HeldMessage& m : messages) {
        const QMessageLogContext context(nullptr, 0, nullptr,
                                         m.category.isEmpty() ? nullptr : m.category.constData());
        if (previousHandler())
            previousHandler()(m.type, context, m.text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(m.text));
    }
}
