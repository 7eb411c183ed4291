// Message boxes of the program.
#include "messagebox.h"

#include <utility>

namespace {
MessageHook& hook() {
    static MessageHook h;
    return h;
}
}  // namespace

MessageHook SetMessageHook(MessageHook h) { return std::exchange(hook(), std::move(h)); }

void ShowMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    if (hook()) {
        hook()(text, icon);
        return;
    }
    QMessageBox box(icon, QStringLiteral("Nodara"), text, QMessageBox::Ok, parent);
    box.exec();
}
