// Copying graphs, tables and lists to the clipboard.
#include "copyactions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>

#include "picturebox.h"

namespace {
QAction* copyAction(QWidget* window, const char* name, const QString& caption) {
    auto* action = new QAction(caption, window);
    action->setObjectName(QLatin1String(name));
    return action;
}

}  // namespace

void AddContextMenu(QWidget* widget, QList<QAction*> actions, std::function<void()> update) {
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [widget, actions, update](QPoint at) {
                         if (update) update();
                         auto* menu = new QMenu(widget);
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->addActions(actions);
                         menu->popup(widget->mapToGlobal(at));
                     });
}

GraphCopy AddGraphCopy(QWidget* window, PictureBox* picture, std::function<QString()> table,
                       QList<QAction*> more) {
    GraphCopy copy{copyAction(window, "CopyGraph", QStringLiteral("グラフをコピー")),
                   copyAction(window, "CopyData", QStringLiteral("データをコピー"))};
    // Text boxes keep Ctrl+C for their own text; elsewhere in the window it copies the graph.
    copy.graph->setShortcut(QKeySequence::Copy);
    copy.graph->setShortcutContext(Qt::WindowShortcut);
    window->addAction(copy.graph);
    QObject::connect(copy.graph, &QAction::triggered, picture,
                     [picture] { QGuiApplication::clipboard()->setImage(picture->image()); });
    QObject::connect(copy.data, &QAction::triggered, window, [table] {
        if (const QString text = table(); !text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
    });
    QAction* data = copy.data;
    QList<QAction*> menu{copy.graph, copy.data};
    if (!more.isEmpty()) {
        auto* separator = new QAction(window);
        separator->setSeparator(true);
        menu << separator << more;
    }
    AddContextMenu(picture, menu, [data, table] { data->setEnabled(!table().isEmpty()); });
    return copy;
}

QAction* AddListCopy(QWidget* window, QListWidget* list,
                     std::function<QString(const QStringList&)> text) {
    QAction* copy = copyAction(window, "CopyData", QStringLiteral("データをコピー"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    window->addAction(copy);
    QObject::connect(copy, &QAction::triggered, list, [list, text] {
        QStringList lines;
        for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
        if (!lines.isEmpty()) QGuiApplication::clipboard()->setText(text(lines));
    });
    AddContextMenu(list, {copy}, [copy, list] { copy->setEnabled(list->count() > 0); });
    return copy;
}
