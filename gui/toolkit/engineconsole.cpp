// The engine's console window.
#include "engineconsole.h"

#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>

const QString EngineConsole::kFailedLine =
    QStringLiteral("＊＊ 補間計算は失敗しました。このウィンドウを閉じて下さい。 ＊＊");

EngineConsole::EngineConsole(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("EngineConsole"));
    setWindowTitle(QStringLiteral("Fitcore"));
    setAttribute(Qt::WA_DeleteOnClose);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setStyleSheet(QStringLiteral("QPlainTextEdit { background: black; color: #c0c0c0; }"));
    resize(680, 420);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process_, &QProcess::readyRead, this, [this] { appendOutput(process_.readAll()); });
    connect(&process_, &QProcess::finished, this, &EngineConsole::finished);
}

EngineConsole::~EngineConsole() {
    process_.disconnect(this);
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(1000);
    }
}

bool EngineConsole::start(const QString& program, const QStringList& arguments) {
    process_.setWorkingDirectory(QDir::currentPath());
    process_.start(program, arguments, QIODevice::ReadWrite);
    if (!process_.waitForStarted(5000)) return false;
    show();
    raise();
    activateWindow();
    setFocus();
    return true;
}

void EngineConsole::appendOutput(const QByteArray& bytes) {
    QString text = QString::fromLocal8Bit(bytes);
    text.remove(QLatin1Char('\r'));
    if (text.isEmpty()) return;
    // The output goes in front of the line being typed, which stays last.
    QTextCursor at(document());
    at.setPosition(int(output_.size()));
    at.insertText(text);
    output_ += text;
    scrollToEnd();
}

void EngineConsole::scrollToEnd() {
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void EngineConsole::typeText(const QString& text) {
    QTextCursor at(document());
    at.movePosition(QTextCursor::End);
    at.insertText(text);
    scrollToEnd();
}

void EngineConsole::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        typeText(QStringLiteral("\n"));
        output_ += pending_ + QLatin1Char('\n');
        if (process_.state() == QProcess::Running)
            process_.write((pending_ + QLatin1Char('\n')).toLocal8Bit());
        pending_.clear();
    } else if (key == Qt::Key_Backspace) {
        if (pending_.isEmpty()) return;
        pending_.chop(1);
        QTextCursor at(document());
        at.movePosition(QTextCursor::End);
        at.deletePreviousChar();
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        pending_ += event->text();
        typeText(event->text());
    } else {
        QPlainTextEdit::keyPressEvent(event);  // scrolling keys
    }
}

void EngineConsole::finished(int exitCode, QProcess::ExitStatus status) {
    appendOutput(process_.readAll());
    if (status == QProcess::NormalExit && exitCode == 0) {
        close();
        return;
    }
    // Otherwise the error report stays readable until the user closes the window, and the
    // window says so in a line of its own, after everything the program wrote.
    pending_.clear();
    typeText(QStringLiteral("\n") + kFailedLine + QLatin1Char('\n'));
}

void EngineConsole::closeEvent(QCloseEvent* event) {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(1000);
    }
    event->accept();
}
