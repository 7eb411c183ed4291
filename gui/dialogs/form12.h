// Form12, 曲線の値 (values of the curve): the Y and the slopes of a graph's curve at a typed X,
// every X where it takes a typed Y, the values asked listed and copied. Each graph window has one
// of its own, acting on that window's curve.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "curvevalues.h"

class QAction;
class QGridLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class TextBox;

class Form12 : public QWidget {
    Q_OBJECT
public:
    // The curve the window acts on as its graph window shows it now; none while it shows none.
    using CurveSource = std::function<std::optional<GraphCurve>()>;
    // The graph window's named call that puts its read-out on a point of its curve (exchange
    // space).
    using PointMark = std::function<void(double x, double y)>;

    Form12(QWidget* owner, CurveSource curve, PointMark mark);

    // Shown over its graph window with the X range of the curve, the focus in the X field.
    void open();

    QLabel* introLabel;
    QLabel* xPromptLabel;
    TextBox* xField;
    QPushButton* findYButton;
    QLabel* yPromptLabel;
    TextBox* yField;
    QPushButton* findXButton;
    QLabel* rangeLabel;
    QLabel* resultLabel;
    QTreeWidget* valuesList;
    QPushButton* copyTableButton;
    QPushButton* closeButton;
    QAction* CopyResult;
    QAction* CopyTable;

    // The Y, dY/dX and the slope on the graph at the X typed in xField.
    void findY();
    // Every X where the curve takes the Y typed in yField.
    void findX();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGridLayout* buildAskFields();  // the X and Y fields with the buttons that ask them
    void buildResultViews();        // the result's read-out and the list of values asked
    void addCopyActions();          // copying the result or the list, and the list's menu
    void connectControls();         // buttons, Return in the fields and Escape

    // The curve, or none with the reason shown in the result.
    std::optional<GraphCurve> curveOrSay();
    // The number typed in `field` and the curve to ask, its range shown; nothing (and the reason
    // said) when either is missing.
    std::optional<GraphCurve> askedCurve(const TextBox* field, double& value);
    // A table the values cannot be read from, said in the result; false for any other fault.
    bool sayFault(CurveFault fault);
    // The result says why there is no value, and there is none to copy.
    void sayNoValue(const QString& why);
    void showRange(const GraphCurve& curve);
    // The result's text and its rows, each added to the list of values asked.
    void showResult(const GraphCurve& curve, const QString& text, const QList<CurvePoint>& rows);
    void addRow(const GraphCurve& curve, const CurvePoint& p, const QString& xText);
    QString rowsText(const QList<QStringList>& rows) const;

    QWidget* owner_;
    CurveSource curve_;
    PointMark mark_;
    QList<QStringList> result_;  // the rows of the last result, as its texts
    int listMode_ = 0;           // the scale mode of the rows listed
};

// The action "曲線の値..." (Ctrl+F in the window) that opens the window's Form12, created on
// first use; for the graph's context menu.
QAction* AddCurveValues(QWidget* window, Form12::CurveSource curve, Form12::PointMark mark);
// The window's Form12 once it has been opened, else null.
Form12* CurveValuesOf(QWidget* window);
