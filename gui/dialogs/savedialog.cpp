// Shared pieces of the saving dialogs.
#include "savedialog.h"

#include <QHBoxLayout>
#include <QImage>
#include <QPushButton>
#include <QVBoxLayout>

#include "filelists.h"
#include "messagebox.h"
#include "picturebox.h"
#include "savefile.h"
#include "textbox.h"

void LayOutSaveDialog(QWidget* window, std::initializer_list<QWidget*> headings,
                      std::initializer_list<QWidget*> nameRows, QLayout* lists, QPushButton* ok,
                      QPushButton* cancel) {
    auto* v = new QVBoxLayout(window);
    for (QWidget* w : headings) v->addWidget(w);
    v->addSpacing(6);
    for (QWidget* w : nameRows) v->addWidget(w);
    v->addLayout(lists, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    window->resize(380, 520);
}

bool AcceptTypedName(QWidget* window, const QString& name, const QString& emptyMessage) {
    if (name.isEmpty()) {
        ShowMessage(window, emptyMessage);
        return false;
    }
    if (!IsUsableFileName(name)) {
        ShowMessage(window, QStringLiteral("　「%1」はファイル名に使えません。"
                                           "記号 / \\ : * ? \" < > | を除いて下さい！　")
                                .arg(name));
        return false;
    }
    return true;
}

bool WriteFileOrReport(QWidget* window, const QString& path, const QByteArray& bytes) {
    if (!MayReplaceFile(window, path)) return false;
    const FileResult written = SaveFileBytes(path, bytes);
    if (!written.ok()) ReportWriteFailure(window, path, written.problem);
    return written.ok();
}

bool WriteImageOrReport(QWidget* window, const QString& path, const QImage& image,
                        const char* format) {
    if (!MayReplaceFile(window, path)) return false;
    const FileResult written = SaveImage(image, path, format);
    if (!written.ok()) ReportWriteFailure(window, path, written.problem);
    return written.ok();
}

void AcceptNameWithEnter(TextBox* name, QPushButton* ok) {
    QObject::connect(name, &TextBox::keyDown, ok, [ok](int key) {
        if (key == Qt::Key_Return) ok->click();
    });
}
