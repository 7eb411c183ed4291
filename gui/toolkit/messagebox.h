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

// The report of a file that could not be written or read, and of a file saved: each names the file
// by its full path (the working directory's files too) and a failure gives its reason.
void ReportWriteFailure(QWidget* parent, const QString& path, const QString& problem);
void ReportReadFailure(QWidget* parent, const QString& path, const QString& problem);
void ReportSaved(QWidget* parent, const QString& message, const QString& path);

// A question with the buttons はい and いいえ, いいえ the default (Enter) and the answer of Escape
// and the close box: whether the answer was はい.
bool AskYesNo(QWidget* parent, const QString& text);
// The question before a file that exists is replaced: whether the user said はい. True at once
// when no regular file stands under the name.
bool MayReplaceFile(QWidget* parent, const QString& path);

// While a hook is set, every ShowMessage and AskYesNo calls it and shows nothing; a question
// (icon Question) takes the hook's result as its answer, a message ignores it. Returns the
// previous hook.
using MessageHook = std::function<bool(const QString& text, QMessageBox::Icon icon)>;
MessageHook SetMessageHook(MessageHook hook);
