// TextBox: a one-line text field that reports every key press to its window before the
// field handles the key itself.
#pragma once

#include <QKeyEvent>
#include <QLineEdit>

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(const QString& name, QWidget* parent = nullptr) : QLineEdit(parent) {
        setObjectName(name);
    }

signals:
    // Qt key code; Enter and Return both arrive as Qt::Key_Return.
    void keyDown(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const int key = event->key() == Qt::Key_Enter ? int(Qt::Key_Return) : event->key();
        emit keyDown(key);
        if (key != Qt::Key_Return) QLineEdit::keyPressEvent(event);
    }
};
