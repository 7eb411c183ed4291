// Form2, the title window.
#include "form2.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "controls.h"
#include "exchange.h"
#include "form1.h"
#include "form6.h"
#include "form9.h"
#include "picturebox.h"
#include "program.h"

namespace {

QLabel* text(const QString& caption, int pointDelta = 0, bool bold = false,
             const char* color = nullptr) {
    auto* l = new QLabel(caption);
    QFont f = l->font();
    f.setPointSize(f.pointSize() + pointDelta);
    f.setBold(bold);
    l->setFont(f);
    if (color) l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(color)));
    return l;
}

// A decorative picture: scattered points and a smooth curve through them.
QLabel* splinePicture(bool logScale) {
    QPixmap pm(220, 130);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(PaletteColor(8), 1));
    for (int k = 1; k < (logScale ? 10 : 5); ++k) {
        const int x = logScale ? 10 + int(200 * std::log10(k + 1.0)) : 10 + k * 40;
        if (x < 210) p.drawLine(x, 10, x, 120);
    }
    for (int k = 1; k < 4; ++k) p.drawLine(10, 10 + k * 27, 210, 10 + k * 27);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(10, 10, 200, 110);
    const QPointF pts[] = {{20, 100}, {55, 60}, {90, 75}, {130, 35}, {170, 50}, {200, 22}};
    QPainterPath path(pts[0]);
    for (int i = 1; i < 6; ++i) {
        const QPointF a = pts[i - 1], b = pts[i];
        path.cubicTo(QPointF((a.x() + b.x()) / 2, a.y()), QPointF((a.x() + b.x()) / 2, b.y()), b);
    }
    p.setPen(QPen(PaletteColor(9), 2));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(PaletteColor(12));
    for (const QPointF& q : pts) p.drawEllipse(q, 3.5, 3.5);
    auto* l = new QLabel;
    l->setPixmap(pm);
    return l;
}

}  // namespace

Form2::Form2() {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral(" Nodara,  version 5"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(text(QStringLiteral("Nodara, ver.5"), 14, true, "#000080"), 0, Qt::AlignHCenter);
    v->addWidget(text(QStringLiteral("離散データのスプライン補間"), 6, true), 0, Qt::AlignHCenter);
    v->addSpacing(8);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(splinePicture(false));
    pictures->addWidget(splinePicture(true));
    v->addLayout(pictures);
    v->addSpacing(8);

    auto* methods = new QHBoxLayout;
    methods->addStretch(1);
    methods->addWidget(text(QStringLiteral("補間計算は"), 2));
    auto* methodNames = new QVBoxLayout;
    methodNames->addWidget(text(QStringLiteral("Cubic Spline"), 3, true, "#0000ff"));
    methodNames->addWidget(text(QStringLiteral("B - Spline"), 3, true, "#0000ff"));
    methods->addLayout(methodNames);
    methods->addWidget(text(QStringLiteral("から選択が可能"), 2));
    methods->addStretch(1);
    v->addLayout(methods);
    v->addSpacing(6);

    // Each scale mode is named twice: in the list and beside its sample plane.
    auto* scales = new QGridLayout;
    const QString modes[] = {
        QStringLiteral("Linear - Linear  scale"), QStringLiteral("Linear - Log  scale"),
        QStringLiteral("Log - Linear  scale"), QStringLiteral("Log - Log  scale")};
    for (int i = 0; i < 4; ++i) {
        scales->addWidget(text(modes[i], 1, false, "#800000"), i / 2, i % 2, Qt::AlignHCenter);
        scales->addWidget(text(modes[i], -1, false, "#808080"), 2 + i / 2, i % 2, Qt::AlignHCenter);
    }
    v->addLayout(scales);
    v->addWidget(text(QStringLiteral("いずれの平面上のデータにも対応"), 2), 0, Qt::AlignHCenter);
    v->addWidget(text(QStringLiteral("最大 100 ポイントのデータまで対応"), 2), 0, Qt::AlignHCenter);
    v->addSpacing(10);

    newCalculationButton = NamedButton("Command1", QStringLiteral("新規補間計算"));
    searchSavedButton = NamedButton("Command3", QStringLiteral("補間済データの検索"));
    endButton = NamedButton("Command2", QStringLiteral("終了"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {newCalculationButton, searchSavedButton, endButton}) {
        b->setMinimumHeight(34);
        buttons->addWidget(b);
    }
    v->addLayout(buttons);
    v->addSpacing(6);
    auto* footer = new QHBoxLayout;
    footer->addWidget(text(QStringLiteral("Nodara, ver.5"), 0, true, "#000080"));
    footer->addStretch(1);
    footer->addWidget(
        text(QStringLiteral("Nodara project  —  spline interpolation of discrete data"), -1, false,
             "#404040"));
    v->addLayout(footer);

    connect(newCalculationButton, &QPushButton::clicked, this, &Form2::startNewCalculation);
    connect(endButton, &QPushButton::clicked, this, &Form2::quitProgram);
    connect(searchSavedButton, &QPushButton::clicked, this, &Form2::searchSavedTables);
}

void Form2::startNewCalculation() {
    ResetProgramState();
    form1()->show();
    hide();
    form9()->hide();
}

void Form2::searchSavedTables() {
    form6()->prepare();
    form6()->show();
    form6()->raise();
    form9()->hide();
}

void Form2::quitProgram() {
    DeleteExchangeFiles();
    EndProgram();
}

void Form2::closeEvent(QCloseEvent* event) {
    // Closing the title window ends the program as 終了 does.
    event->accept();
    quitProgram();
}
