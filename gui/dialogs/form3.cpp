// Form3, the read-error dialog.
#include "form3.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"
#include "keyboard.h"

Form3::Form3() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("読み込みエラー"));
    auto* v = new QVBoxLayout(this);
    const std::pair<const char*, bool> lines[] = {
        {"ファイル読み込み時に、エラーが発生しました。", true},
        {"原因として、下記が考えられます。", false},
        {"・データが１列しかない行がある。", false},
        {"・データが３列以上ある行がある。", false},
        {"・データ以外の内容が書き込まれた行がある。", false},
        {"・データ数が上限(100)を超えている。", false},
        {"確認の上、ファイル内容を修正して下さい。", true},
    };
    int n = 1;
    for (auto [text, blue] : lines) {
        auto* l = new QLabel(QString::fromUtf8(text));
        l->setObjectName(QStringLiteral("Label%1").arg(n++));
        if (blue) l->setStyleSheet(QStringLiteral("color: #0000ff;"));
        v->addWidget(l);
        if (n == 3 || n == 8) v->addSpacing(6);
    }
    closeButton = NamedButton("Command1", QStringLiteral("閉じる"));
    v->addWidget(closeButton, 0, Qt::AlignHCenter);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    CancelWithEscape(this, closeButton);
}
