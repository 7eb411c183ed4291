// Form12, 曲線の値.
#include "form12.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls.h"
#include "copyactions.h"
#include "datanumber.h"
#include "keyboard.h"
#include "messagebox.h"
#include "placement.h"
#include "textbox.h"
#include "textconv.h"

namespace {
QString valueText(double v) { return FormatNumber(v, u"0.00000E+00"); }
// Slopes to four digits: in a data interval that the shape-preserving method breaks inside, a
// slope comes from six-digit values a hundredth of the interval apart.
QString slopeText(double v) { return FormatNumber(v, u"0.000E+00"); }
}  // namespace

Form12::Form12(QWidget* owner, CurveSource curve, PointMark mark)
    : QWidget(nullptr, Qt::Window),
      owner_(owner),
      curve_(std::move(curve)),
      mark_(std::move(mark)) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("曲線の値"));

    introLabel =
        NamedLabel("Label1", QStringLiteral("X を入力すると曲線の Y と傾きを、Y を入力すると"
                                            "曲線がその値をとる X をすべて求めます"));
    introLabel->setWordWrap(true);
    QGridLayout* fields = buildAskFields();
    rangeLabel = NamedLabel("Label4");
    buildResultViews();
    copyTableButton = NamedButton("Command3", QStringLiteral("表をコピー"));
    closeButton = NamedButton("Command4", QStringLiteral("閉じる"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(copyTableButton);
    buttons->addWidget(closeButton);
    auto* v = new QVBoxLayout(this);
    v->addWidget(introLabel);
    v->addWidget(rangeLabel);
    v->addLayout(fields);
    v->addWidget(resultLabel);
    v->addWidget(valuesList, 1);
    v->addLayout(buttons);

    addCopyActions();
    connectControls();
}

QGridLayout* Form12::buildAskFields() {
    xPromptLabel = NamedLabel("Label2", QStringLiteral("X ="));
    xField = new TextBox(QStringLiteral("Text1"));
    findYButton = NamedButton("Command1", QStringLiteral("Y を求める"));
    yPromptLabel = NamedLabel("Label3", QStringLiteral("Y ="));
    yField = new TextBox(QStringLiteral("Text2"));
    findXButton = NamedButton("Command2", QStringLiteral("X を求める"));
    auto* fields = new QGridLayout;
    fields->addWidget(xPromptLabel, 0, 0);
    fields->addWidget(xField, 0, 1);
    fields->addWidget(findYButton, 0, 2);
    fields->addWidget(yPromptLabel, 1, 0);
    fields->addWidget(yField, 1, 1);
    fields->addWidget(findXButton, 1, 2);
    return fields;
}

void Form12::buildResultViews() {
    resultLabel = ReadoutLabel("Label5", 320);
    resultLabel->setMinimumHeight(resultLabel->fontMetrics().lineSpacing() * 3 + 8);
    resultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    valuesList = Named(new QTreeWidget, "List1");
    valuesList->setRootIsDecorated(false);
    valuesList->setHeaderLabels(
        {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("dY/dX"), QString()});
    valuesList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    valuesList->setMinimumHeight(140);
}

void Form12::addCopyActions() {
    CopyResult = Named(new QAction(QStringLiteral("結果をコピー"), this), "CopyResult");
    CopyResult->setShortcut(QKeySequence::Copy);
    CopyResult->setShortcutContext(Qt::WindowShortcut);
    addAction(CopyResult);
    connect(CopyResult, &QAction::triggered, this, [this] {
        if (!result_.isEmpty()) QGuiApplication::clipboard()->setText(rowsText(result_));
    });
    CopyTable = Named(new QAction(QStringLiteral("表をコピー"), this), "CopyTable");
    connect(CopyTable, &QAction::triggered, this, [this] {
        QList<QStringList> rows;
        for (int i = 0; i < valuesList->topLevelItemCount(); ++i) {
            QStringList row;
            for (int c = 0; c < valuesList->columnCount(); ++c)
                if (!valuesList->isColumnHidden(c)) row << valuesList->topLevelItem(i)->text(c);
            rows << row;
        }
        if (!rows.isEmpty()) QGuiApplication::clipboard()->setText(rowsText(rows));
    });
    AddContextMenu(valuesList, {CopyTable, CopyResult});
}

void Form12::connectControls() {
    connect(findYButton, &QPushButton::clicked, this, &Form12::findY);
    connect(findXButton, &QPushButton::clicked, this, &Form12::findX);
    connect(copyTableButton, &QPushButton::clicked, CopyTable, &QAction::trigger);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(xField, &TextBox::keyDown, this, [this](int key) {
        if (key == Qt::Key_Return) findY();
    });
    connect(yField, &TextBox::keyDown, this, [this](int key) {
        if (key == Qt::Key_Return) findX();
    });
    // A field keeps Ctrl+C for a selection of its own text; without one it copies the result.
    xField->installEventFilter(this);
    yField->installEventFilter(this);
    CancelWithEscape(this, closeButton);
}

bool Form12::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<TextBox*>(watched);
    if (field && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !field->hasSelectedText()) {
        CopyResult->trigger();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form12::open() {
    if (const std::optional<GraphCurve> curve = curveOrSay()) showRange(*curve);
    ShowOver(this, owner_);
    // Over the graph window's left part, so that its graph and the cursor lines stay in view.
    move(owner_->frameGeometry().topLeft() + QPoint(16, 48));
    xField->setFocus();
}

std::optional<GraphCurve> Form12::curveOrSay() {
    std::optional<GraphCurve> curve = curve_();
    if (curve && curve->rows.count >= 2) return curve;
    sayNoValue(QStringLiteral("グラフに補間曲線がありません"));
    rangeLabel->setText(resultLabel->text());
    return std::nullopt;
}

bool Form12::sayFault(CurveFault fault) {
    if (fault != CurveFault::NotAscending) return false;
    sayNoValue(QStringLiteral("補間データの X が昇順でないため、値を求められません"));
    return true;
}

void Form12::sayNoValue(const QString& why) {
    resultLabel->setText(why);
    result_.clear();
}

void Form12::showRange(const GraphCurve& curve) {
    const CurveRange range = CurveXRange(curve);
    rangeLabel->setText(
        QStringLiteral("曲線の範囲：X = %1 ～ %2").arg(valueText(range.from), valueText(range.to)));
}

QString Form12::rowsText(const QList<QStringList>& rows) const {
    QString text;
    for (const QStringList& row : rows) text += row.join(QLatin1Char('\t')) + QLatin1Char('\n');
    return text;
}

void Form12::addRow(const GraphCurve& curve, const CurvePoint& p, const QString& xText) {
    QStringList row{xText, valueText(p.y), slopeText(p.slope)};
    if (!GraphSlopeName(curve.mode).isEmpty()) row << slopeText(p.graphSlope);
    result_ << row;
    valuesList->addTopLevelItem(new QTreeWidgetItem(row));
}

void Form12::showResult(const GraphCurve& curve, const QString& text,
                        const QList<CurvePoint>& rows) {
    resultLabel->setText(text);
    // The list's columns are those of one kind of graph.
    const QString graphSlope = GraphSlopeName(curve.mode);
    if (curve.mode != listMode_) valuesList->clear();
    listMode_ = curve.mode;
    valuesList->headerItem()->setText(3, graphSlope);
    valuesList->setColumnHidden(3, graphSlope.isEmpty());
    result_.clear();
    for (const CurvePoint& p : rows) addRow(curve, p, valueText(p.x));
    if (!rows.isEmpty()) {
        valuesList->scrollToBottom();
        mark_(rows.front().exchangeX, rows.front().exchangeY);
    }
}

std::optional<GraphCurve> Form12::askedCurve(const TextBox* field, double& value) {
    if (ReadTypedNumber(field->text(), value) != TypedNumber::Number) {
        ShowMessage(this, QStringLiteral("　入力値が不正です！　"));
        return std::nullopt;
    }
    std::optional<GraphCurve> curve = curveOrSay();
    if (curve) showRange(*curve);
    return curve;
}

void Form12::findY() {
    double x = 0;
    const std::optional<GraphCurve> curve = askedCurve(xField, x);
    if (!curve) return;
    const CurveValue v = CurveValueAt(*curve, x);
    if (sayFault(v.fault)) return;
    if (v.fault == CurveFault::OutOfRange) {
        const CurveRange range = CurveXRange(*curve);
        sayNoValue(QStringLiteral("X = %1 は曲線の範囲外です（%2 ～ %3）")
                       .arg(valueText(x), valueText(range.from), valueText(range.to)));
        return;
    }
    QString text =
        QStringLiteral("Y = %1\ndY/dX = %2").arg(valueText(v.point.y), slopeText(v.point.slope));
    if (const QString name = GraphSlopeName(curve->mode); !name.isEmpty())
        text += QStringLiteral("\n%1 = %2").arg(name, slopeText(v.point.graphSlope));
    showResult(*curve, text, {v.point});
}

void Form12::findX() {
    double y = 0;
    const std::optional<GraphCurve> curve = askedCurve(yField, y);
    if (!curve) return;
    const CurveLevel level = CurveCrossingsOf(*curve, y);
    if (sayFault(level.fault)) return;
    if (level.crossings.empty()) {
        showResult(*curve,
                   QStringLiteral("Y = %1 をとる点は曲線の範囲内にありません").arg(valueText(y)),
                   {});
        return;
    }
    QStringList lines;
    QList<CurvePoint> points;
    for (const CurveCrossing& c : level.crossings) {
        if (c.from.exchangeX == c.to.exchangeX) {
            lines << QStringLiteral("X = %1").arg(valueText(c.from.x));
            points << c.from;
        } else {
            // A stretch at the level: listed by its two ends.
            lines << QStringLiteral("X = %1 ～ %2（一定）")
                         .arg(valueText(c.from.x), valueText(c.to.x));
            points << c.from << c.to;
        }
    }
    showResult(*curve, lines.join(QLatin1Char('\n')), points);
}

namespace {
// Hides a window whenever its owner is hidden.
class HiddenWithOwner : public QObject {
public:
    HiddenWithOwner(QWidget* owner, QWidget* window) : QObject(window), window_(window) {
        owner->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) window_->hide();
        return false;
    }

private:
    QWidget* window_;
};
}  // namespace

QAction* AddCurveValues(QWidget* window, Form12::CurveSource curve, Form12::PointMark mark) {
    auto* action = Named(new QAction(QStringLiteral("曲線の値..."), window), "CurveValues");
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    // The window is no child of its owner, so that the owner's controls alone answer to their
    // names; it goes with its owner, and the action keeps it.
    QObject::connect(action, &QAction::triggered, window, [window, action, curve, mark] {
        Form12* values = CurveValuesOf(window);
        if (!values) {
            values = new Form12(window, curve, mark);
            QObject::connect(window, &QObject::destroyed, values, [values] { delete values; });
            new HiddenWithOwner(window, values);
            action->setData(QVariant::fromValue<QObject*>(values));
        }
        values->open();
    });
    return action;
}

Form12* CurveValuesOf(QWidget* window) {
    auto* action = window->findChild<QAction*>(QStringLiteral("CurveValues"));
    return action ? qobject_cast<Form12*>(action->data().value<QObject*>()) : nullptr;
}
