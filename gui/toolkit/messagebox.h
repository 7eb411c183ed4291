// Message boxes of the program (title "Nodara", one OK button), with a hook through which a
// test receives every box instead of a modal window.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

// A warning box (exclamation icon) for user errors, or a plain box (no icon) for reports.
void ShowMessage(QWidget* parent, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::Warning);

// While a hook is set, every ShowMessage calls it and shows nothing. Returns the previous hook.
using MessageHook = std::function<void(const QString& text, QMessageBox::Icon icon)>;
MessageHook SetMessageHook(MessageHook hook);
