// Small factories for the windows' controls: every control carries its form
// name as objectName, so tests and handlers find it by that name.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <initializer_list>

template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

inline QLabel* NamedLabel(const char* name, const QString& caption = {}) {
    return Named(new QLabel(caption), name);
}

inline QPushButton* NamedButton(const char* name, const QString& caption) {
    return Named(new QPushButton(caption), name);
}

inline QRadioButton* NamedOption(const char* name, const QString& caption) {
    return Named(new QRadioButton(caption), name);
}

// A heading: the label in bold, `larger` points above its font's size.
inline QLabel* Heading(QLabel* label, int larger = 2) {
    QFont font = label->font();
    font.setPointSize(font.pointSize() + larger);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A label that shows a value read off the program (extremes, read-out): a
// sunken panel wide enough for the longest text it shows.
inline QLabel* ReadoutLabel(const char* name, int minimumWidth) {
    QLabel* label = NamedLabel(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumWidth(minimumWidth);
    return label;
}

// Sets the labels' texts from the list, in order.
inline void SetTexts(std::initializer_list<QLabel*> labels, const QStringList& texts) {
    qsizetype k = 0;
    for (QLabel* label : labels) label->setText(texts.value(k++));
}
