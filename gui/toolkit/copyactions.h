// The clipboard's way out of a window: its graph as an image (Ctrl+C anywhere in the window and
// the picture's context menu) and its table as tab-separated text (the context menu), and a
// list's lines as tab-separated text (Ctrl+C and the list's context menu); and the context menus
// that offer them.
#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QListWidget;
class QWidget;
class PictureBox;

struct GraphCopy {
    QAction* graph;  // objectName "CopyGraph"
    QAction* data;   // objectName "CopyData"
};
// `table` gives the graph's table as tab-separated text, or an empty text when there is none
// (the data entry is then disabled). `more` follows them in the picture's context menu.
GraphCopy AddGraphCopy(QWidget* window, PictureBox* picture, std::function<QString()> table,
                       QList<QAction*> more = {});

// A context menu of the actions on `widget`; `update` (if given) enables them as they apply each
// time the menu opens.
void AddContextMenu(QWidget* widget, QList<QAction*> actions, std::function<void()> update = {});

// `text` turns the list's lines into the text copied.
QAction* AddListCopy(QWidget* window, QListWidget* list,
                     std::function<QString(const QStringList&)> text);
