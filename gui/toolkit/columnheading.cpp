// Column headings that stand over their columns.
#include "columnheading.h"

#include <QPainter>
#include <QRegularExpression>

ColumnHeading::ColumnHeading(const char* name, const QString& caption,
                             std::function<QList<int>()> centres)
    : QLabel(caption), centres_(std::move(centres)) {
    setObjectName(QLatin1String(name));
}

ColumnHeading::ColumnHeading(const char* name, const QString& caption,
                             QList<const QWidget*> columns)
    : ColumnHeading(name, caption, [columns] {
          QList<int> centres;
          for (const QWidget* c : columns) centres << c->mapToGlobal(c->rect().center()).x();
          return centres;
      }) {}

void ColumnHeading::paintEvent(QPaintEvent* event) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList names = text().split(blanks, Qt::SkipEmptyParts);
    const QList<int> centres = centres_();
    if (names.size() != centres.size()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter p(this);
    p.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics(font());
    for (qsizetype k = 0; k < names.size(); ++k) {
        const int width = metrics.horizontalAdvance(names[k]);
        const int centre = mapFromGlobal(QPoint(centres[k], 0)).x();
        p.drawText(QRect(centre - width / 2, 0, width, height()), Qt::AlignCenter, names[k]);
    }
}
