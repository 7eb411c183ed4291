// ColumnHeading: a heading whose text names columns in a row ("X                Y"). Each name
// is drawn centred over its column, wherever the layout puts the columns and whatever width the
// font gives the blanks between the names; the text itself stays as it is.
#pragma once

#include <QLabel>
#include <QList>
#include <functional>

class ColumnHeading : public QLabel {
    Q_OBJECT
public:
    // `centres` gives the columns' centres in global X coordinates, one for each name.
    ColumnHeading(const char* name, const QString& caption, std::function<QList<int>()> centres);
    // Over the given widgets, one for each name.
    ColumnHeading(const char* name, const QString& caption, QList<const QWidget*> columns);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<QList<int>()> centres_;
};
