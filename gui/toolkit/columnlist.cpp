// Lines drawn in columns, and their headings.
#include "columnlist.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QStyledItemDelegate>

namespace {
// The words of a line: the number's part (everything before the last two words), X and Y.
QStringList columnTexts(const QString& line) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = line.split(blanks, Qt::SkipEmptyParts);
    if (words.size() < 3) return {line.trimmed(), QString(), QString()};
    const QString y = words.takeLast(), x = words.takeLast();
    return {words.join(QLatin1Char(' ')), x, y};
}

constexpr int kPadding = 4;  // between the cell's edge and its text

class ColumnsDelegate : public QStyledItemDelegate {
public:
    explicit ColumnsDelegate(ColumnList* list) : QStyledItemDelegate(list), list_(list) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        // The item's background and selection as the style draws them, without its text.
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        const QWidget* widget = option.widget;
        (widget ? widget->style() : QApplication::style())
            ->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
        const QStringList texts = columnTexts(index.data().toString());
        const QList<int> starts = list_->columnStarts();
        painter->save();
        painter->setPen(option.palette.color(
            option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        for (int k = 0; k < 3; ++k) {
            const int right = k < 2 ? starts[k + 1] : option.rect.right();
            const QRect cell(starts[k] + kPadding, option.rect.top(), right - starts[k] - kPadding,
                             option.rect.height());
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, texts[k]);
        }
        painter->restore();
    }

private:
    ColumnList* list_;
};
}  // namespace

ColumnList::ColumnList(const char* name, QWidget* parent) : QListWidget(parent) {
    setObjectName(QLatin1String(name));
    setItemDelegate(new ColumnsDelegate(this));
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(model(), signal, this, [this] {
            emit columnsChanged();
            viewport()->update();
        });
    connect(model(), &QAbstractItemModel::modelReset, this, &ColumnList::columnsChanged);
}

ColumnList::~ColumnList() { model()->disconnect(this); }

QList<int> ColumnList::columnStarts() const {
    const QFontMetrics metrics(font());
    int widestNumber = metrics.horizontalAdvance(QStringLiteral("No."));
    int widestX = metrics.horizontalAdvance(QStringLiteral("X"));
    for (int i = 0; i < count(); ++i) {
        const QStringList texts = columnTexts(item(i)->text());
        widestNumber = std::max(widestNumber, metrics.horizontalAdvance(texts[0]));
        widestX = std::max(widestX, metrics.horizontalAdvance(texts[1]));
    }
    const int gap = 3 * metrics.horizontalAdvance(QLatin1Char('0'));
    const int x = widestNumber + gap;
    return {0, x, x + widestX + gap};
}

QWidget* ColumnHeadings(ColumnList* list, QLabel* number, QLabel* x, QLabel* y) {
    auto* row = new QWidget;
    for (QLabel* l : {number, x, y}) l->setParent(row);
    row->setMinimumHeight(number->sizeHint().height());
    auto place = [list, row, number, x, y] {
        const QList<int> starts = list->columnStarts();
        const int left = list->viewport()->mapTo(list, QPoint(0, 0)).x() + list->x() - row->x();
        QLabel* const labels[] = {number, x, y};
        for (int k = 0; k < 3; ++k) {
            labels[k]->adjustSize();
            labels[k]->move(left + starts[k] + kPadding, 0);
        }
    };
    QObject::connect(list, &ColumnList::columnsChanged, row, place);
    // Placed again whenever the row is laid out (shown, resized).
    struct Placer : QObject {
        std::function<void()> place;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Resize || e->type() == QEvent::Show) place();
            return false;
        }
    };
    auto* placer = new Placer;
    placer->place = place;
    placer->setParent(row);
    row->installEventFilter(placer);
    return row;
}
