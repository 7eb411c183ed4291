// EngineConsole: a console window of its own (monospace, title "Fitcore") that runs a console
// program as a separate process in the current directory, shows its output and sends the
// keys typed there to its standard input, a line at a time.
#pragma once

#include <QPlainTextEdit>
#include <QProcess>
#include <QString>

class EngineConsole : public QPlainTextEdit {
    Q_OBJECT
public:
    // The window deletes itself when closed. The process ends with the window.
    explicit EngineConsole(QWidget* parent = nullptr);
    ~EngineConsole() override;

    // Starts the program, shows the window and gives it the focus. Returns false (and shows
    // nothing) when the program cannot be started.
    bool start(const QString& program, const QStringList& arguments = {});
    QProcess& process() { return process_; }
    // All output received so far.
    QString output() const { return output_; }
    // The window's own last line when the program ends with an error.
    static const QString kFailedLine;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void appendOutput(const QByteArray& bytes);
    void scrollToEnd();
    void typeText(const QString& text);
    void finished(int exitCode, QProcess::ExitStatus status);

    QProcess process_;
    QString output_;
    QString pending_;  // the line being typed, not yet sent
};
