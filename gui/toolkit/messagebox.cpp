// Message boxes of the program.
#include "messagebox.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
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

bool AskYesNo(QWidget* parent, const QString& text) {
    if (hook()) return hook()(text, QMessageBox::Question);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Nodara"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("はい"));
    box.button(QMessageBox::No)->setText(QStringLiteral("いいえ"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {
QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}
}  // namespace

void ReportWriteFailure(QWidget* parent, const QString& path, const QString& problem) {
    ShowMessage(parent, QStringLiteral("　ファイル %1 を書き込めませんでした：%2。　")
                            .arg(shownPath(path), problem));
}

void ReportReadFailure(QWidget* parent, const QString& path, const QString& problem) {
    ShowMessage(
        parent,
        QStringLiteral("　ファイル %1 を読み込めません：%2。　").arg(shownPath(path), problem));
}

void ReportSaved(QWidget* parent, const QString& message, const QString& path) {
    ShowMessage(parent, message + QLatin1Char('\n') + shownPath(path), QMessageBox::NoIcon);
}

bool MayReplaceFile(QWidget* parent, const QString& path) {
    const QFileInfo file(path);
    // A link or a folder is no file to replace: the writer refuses it and says why.
    if (file.isSymLink() || !file.isFile()) return true;
    return AskYesNo(parent, QStringLiteral("　ファイル %1 は既にあります。\n"
                                           "　上書きしてよろしいですか？　")
                                .arg(shownPath(path)));
}
