// The clipboard's way out of a window: its graph as an image (Ctrl+C anywhere in the window and
// the picture's context menu) and its table as tab-separated text (the context menu), and a
// list's lines as tab-separated text (Ctrl+C and the list's context menu).
#pragma once

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
// (the data entry is then disabled).
GraphCopy AddGraphCopy(QWidget* window, PictureBox* picture, std::function<QString()> table);

// `text` turns the list's lines into the text copied.
QAction* AddListCopy(QWidget* window, QListWidget* list,
                     std::function<QString(const QStringList&)> text);
