// Placing dialogs over their openers.
#include "placement.h"

#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <algorithm>

void ShowOver(QWidget* window, const QWidget* opener) {
    if (opener && opener->isVisible()) {
        // A window never shown yet has not laid itself out: its size is not final before.
        if (window->layout()) window->layout()->activate();
        const QRect over = opener->frameGeometry();
        const QScreen* screen = opener->screen();
        const QRect room = screen ? screen->availableGeometry() : over;
        QRect placed(QPoint(0, 0), window->frameGeometry().size());
        placed.moveCenter(over.center());
        placed.moveLeft(
            std::max(room.left(), std::min(placed.left(), room.right() - placed.width())));
        placed.moveTop(
            std::max(room.top(), std::min(placed.top(), room.bottom() - placed.height())));
        window->move(placed.topLeft());
    }
    window->show();
    window->raise();
    window->activateWindow();
}
