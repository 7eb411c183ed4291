// A list of lines whose words stand in columns, for hand entry's " k :   X    Y": the number with
// its colon, X and Y each begin at the left edge of their column, however wide the font draws
// the blanks between them (the lines' texts stay as they are), and the columns' headings stand
// over them.
#pragma once

#include <QList>
#include <QListWidget>
#include <QWidget>

class QLabel;

class ColumnList : public QListWidget {
    Q_OBJECT
public:
    explicit ColumnList(const char* name, QWidget* parent = nullptr);
    // The list's model empties itself while the list is destroyed: no signal of the list may
    // follow then.
    ~ColumnList() override;
    // The left edges of the three columns in the viewport's coordinates: the number's, X's and
    // Y's. X's column is as wide as the widest X of the lines.
    QList<int> columnStarts() const;

signals:
    void columnsChanged();
};

// Puts the three headings over the list's columns.
QWidget* ColumnHeadings(ColumnList* list, QLabel* number, QLabel* x, QLabel* y);
