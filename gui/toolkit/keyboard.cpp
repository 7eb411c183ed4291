// Enter on a focused button, and the focus frame, for every window of the program.
#include "keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOption>

namespace {

// Sees every key press of the application before the focused widget does.
class EnterPressesButton : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->isEnabled() || !button->isVisible()) return false;
        if (!key->isAutoRepeat()) button->click();
        return true;
    }
};

// The application's style, with a frame drawn around the button or option that has the focus
// however it got it (the styles mark only focus moved by the keyboard, and faintly).
class FocusMarkStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        const bool marked =
            element == CE_PushButton || element == CE_RadioButton || element == CE_CheckBox;
        if (!marked || !(option->state & State_HasFocus)) return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(QPen(kFocusMarkColor, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

}  // namespace

void InstallKeyboardConventions() {
    if (dynamic_cast<FocusMarkStyle*>(QApplication::style())) return;
    QApplication::setStyle(new FocusMarkStyle);  // the application owns it
    static EnterPressesButton* const filter = new EnterPressesButton;
    qApp->removeEventFilter(filter);
    qApp->installEventFilter(filter);
}

void CancelWithEscape(QWidget* window, QAbstractButton* button) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, button, &QAbstractButton::click);
}

void FocusNext(const QWidget* from,
               std::initializer_list<std::pair<const QWidget*, QWidget*>> chain) {
    for (auto [field, next] : chain)
        if (field == from) {
            next->setFocus();
            return;
        }
}
