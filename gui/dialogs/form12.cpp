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

    Label1 = NamedLabel("Label1", QStringLiteral("X を入力すると曲線の Y と傾きを、Y を入力すると"
                                                 "曲線がその値をとる X をすべて求めます"));
    Label1->setWordWrap(true);
    QGridLayout* fields = buildAskFields();
    Label4 = NamedLabel("Label4");
    buildResultViews();
    Command3 = NamedButton("Command3", QStringLiteral("表をコピー"));
    Command4 = NamedButton("Command4", QStringLiteral("閉じる"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Label1);
    v->addWidget(Label4);
    v->addLayout(fields);
    v->addWidget(Label5);
    v->addWidget(List1, 1);
    v->addLayout(buttons);

    addCopyActions();
    connectControls();
}

QGridLayout* Form12::buildAskFields() {
    Label2 = NamedLabel("Label2", QStringLiteral("X ="));
    Text1 = new TextBox(QStringLiteral("Text1"));
    Command1 = NamedButton("Command1", QStringLiteral("Y を求める"));
    Label3 = NamedLabel("Label3", QStringLiteral("Y ="));
    Text2 = new TextBox(QStringLiteral("Text2"));
    Command2 = NamedButton("Command2", QStringLiteral("X を求める"));
    auto* fields = new QGridLayout;
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(Text1, 0, 1);
    fields->addWidget(Command1, 0, 2);
    fields->addWidget(Label3, 1, 0);
    fields->addWidget(Text2, 1, 1);
    fields->addWidget(Command2, 1, 2);
    return fields;
}

void Form12::buildResultViews() {
    Label5 = ReadoutLabel("Label5", 320);
    Label5->setMinimumHeight(Label5->fontMetrics().lineSpacing() * 3 + 8);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label5->setTextInteractionFlags(Qt::TextSelectableByMouse);
    List1 = Named(new QTreeWidget, "List1");
    List1->setRootIsDecorated(false);
    List1->setHeaderLabels(
        {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("dY/dX"), QString()});
    List1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    List1->setMinimumHeight(140);
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
        for (int i = 0; i < List1->topLevelItemCount(); ++i) {
            QStringList row;
            for (int c = 0; c < List1->columnCount(); ++c)
                if (!List1->isColumnHidden(c)) row << List1->topLevelItem(i)->text(c);
            rows << row;
        }
        if (!rows.isEmpty()) QGuiApplication::clipboard()->setText(rowsText(rows));
    });
    AddContextMenu(List1, {CopyTable, CopyResult});
}

void Form12::connectControls() {
    connect(Command1, &QPushButton::clicked, this, &Form12::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form12::Command2_Click);
    connect(Command3, &QPushButton::clicked, CopyTable, &QAction::trigger);
    connect(Command4, &QPushButton::clicked, this, &QWidget::hide);
    connect(Text1, &TextBox::keyDown, this, [this](int key) {
        if (key == Qt::Key_Return) Command1_Click();
    });
    connect(Text2, &TextBox::keyDown, this, [this](int key) {
        if (key == Qt::Key_Return) Command2_Click();
    });
    // A field keeps Ctrl+C for a selection of its own text; without one it copies the result.
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    CancelWithEscape(this, Command4);
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
    Text1->setFocus();
}

std::optional<GraphCurve> Form12::curveOrSay() {
    std::optional<GraphCurve> curve = curve_();
    if (curve && curve->rows.count >= 2) return curve;
    sayNoValue(QStringLiteral("グラフに補間曲線がありません"));
    Label4->setText(Label5->text());
    return std::nullopt;
}

bool Form12::sayFault(CurveFault fault) {
    if (fault != CurveFault::NotAscending) return false;
    sayNoValue(QStringLiteral("補間データの X が昇順でないため、値を求められません"));
    return true;
}

void Form12::sayNoValue(const QString& why) {
    Label5->setText(why);
    result_.clear();
}

void Form12::showRange(const GraphCurve& curve) {
    const CurveRange range = CurveXRange(curve);
    Label4->setText(
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
    List1->addTopLevelItem(new QTreeWidgetItem(row));
}

void Form12::showResult(const GraphCurve& curve, const QString& text,
                        const QList<CurvePoint>& rows) {
    Label5->setText(text);
    // The list's columns are those of one kind of graph.
    const QString graphSlope = GraphSlopeName(curve.mode);
    if (curve.mode != listMode_) List1->clear();
    listMode_ = curve.mode;
    List1->headerItem()->setText(3, graphSlope);
    List1->setColumnHidden(3, graphSlope.isEmpty());
    result_.clear();
    for (const CurvePoint& p : rows) addRow(curve, p, valueText(p.x));
    if (!rows.isEmpty()) {
        List1->scrollToBottom();
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

void Form12::Command1_Click() {
    double x = 0;
    const std::optional<GraphCurve> curve = askedCurve(Text1, x);
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

void Form12::Command2_Click() {
    double y = 0;
    const std::optional<GraphCurve> curve = askedCurve(Text2, y);
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
