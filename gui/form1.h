// Form1, the main window: data input method, data table and extremes, scale mode and axis
// ranges, the calculation's buttons, the graph and its mouse read-out.
#pragma once

#include <QWidget>
#include <optional>

#include "exchange.h"
#include "extremespanel.h"
#include "plotting.h"
#include "readoutpanel.h"

class QAction;
class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QProcess;
class QPushButton;
class QRadioButton;
class LineControl;
class PictureBox;
class TextBox;

class Form1 : public QWidget {
    Q_OBJECT
public:
    Form1();

    // The start state of the main window's controls (part of the program's reset).
    void reset();
    // Data were taken by an input dialog: the graph and table of earlier points go, and the
    // window's input data become these points, shown
    // by the data list with the given lines, their extremes, the scale modes whose logarithmic
    // axes can show them, the axis fields of their own frame and the OK of the graph settings;
    // the focus goes to the scale mode, the next step.
    void takeData(const DataPoints& points, const QStringList& listLines);
    // A data file dropped on the window: a new data input from that file, as if it were chosen
    // in the file-input dialog; when it loads, it is taken as that dialog's OK takes it.
    void takeDroppedFile(const QString& path);
    // Whether the window holds points typed by hand that no saved table holds (handed over, or
    // given up in hand entry and kept for its next opening).
    bool holdsTypedPoints() const;
    // No input data: the points, the data list and the extremes emptied, and the graph and table
    // of the points with them; every scale mode offered, the OK of the graph settings disabled.
    void clearInputData();
    // Whether the picture shows a graph of the input data's points (B2F.dat holds them).
    bool graphDrawn() const;
    // The engine has been started with `method` for the graph drawn: the curve may be asked for,
    // and the read-out follows it. When the engine has ended and left no table, asking for it
    // says that the engine refused.
    void calculationStarted(const QProcess& engine, const EngineMethod& method);
    // The six axis texts as typed: X start, X end, X step, Y start, Y end, Y step.
    QStringList axisTexts() const;

    // What the window holds, for reading: the input data, the graph on the picture and the
    // table whose curve it shows.
    const DataPoints& dataPoints() const { return points_; }
    const std::optional<GraphSettings>& drawnGraph() const { return drawn_; }
    const std::optional<ComputedTable>& computedTable() const { return table_; }

    QGroupBox* inputMethodGroup;
    QRadioButton* fromFileOption;
    QRadioButton* byHandOption;
    QPushButton* inputMethodOkButton;
    QListWidget* dataList;
    QGroupBox* scaleModeGroup;
    QRadioButton* linearLinearOption;
    QRadioButton* linearLogOption;
    QRadioButton* logLinearOption;
    QRadioButton* logLogOption;
    TextBox* xStartField;
    TextBox* xEndField;
    TextBox* xStepField;
    TextBox* yStartField;
    TextBox* yEndField;
    TextBox* yStepField;
    QPushButton* graphSettingsOkButton;
    QPushButton* drawPointsButton;
    QPushButton* calculateButton;
    QPushButton* drawCurveButton;
    QPushButton* saveTableButton;
    QPushButton* saveImageButton;
    QPushButton* resetButton;
    QPushButton* endButton;
    PictureBox* graphPicture;  // the graph panel's picture

    void drawPoints();
    void leaveToTitle();
    void takeGraphSettings();
    void chooseMethod();
    void drawCurve();
    void saveTable();
    void resetProgram();
    void saveImage();
    void takeInputMethod();
    void chooseScaleMode(int mode);
    void passFocusOnEnter(TextBox* box, int key);
    void followMouse(int button, int shift, float x, float y);
    // The read-out's cursor lines and texts on a point of the curve (exchange space).
    void markCurvePoint(double x, double y);

    QAction* CopyGraph;
    QAction* CopyData;
    QAction* CurveValues;  // opens the curve's 曲線の値 window

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The window's three columns: ① the data input and its table with the extremes; ② to ④ the
    // scale mode, the axis fields and their OK; the graph with its read-out and ⑤ to ⑧ under it.
    QBoxLayout* buildDataColumn();
    QBoxLayout* buildSettingsColumn();
    QGridLayout* buildAxisFields();
    QBoxLayout* buildGraphColumn();
    // Every control to its handler.
    void connectControls();
    // The graph's context menu: 曲線の値..., and copying the graph and the table.
    void addGraphActions();

    // The graph the scale mode and the six axis fields give; empty (after the message) when the
    // fields cannot give one.
    std::optional<GraphSettings> readGraph();
    // The rows of the table drawn, or none.
    TableView tableShown() const;
    // The picture cleared, and with it everything that belonged to it: the graph drawn, its table,
    // the read-out, the buttons from the calculation on and the picture's saving.
    void forgetGraph();
    // The start of a pass: forgetGraph, and the data-point button disabled too.
    void clearGraph();
    void roundToDecades(TextBox* field, bool isEnd);
    // linearLinearOption ... logLogOption for scale modes 1 ... 4.
    QRadioButton* scaleOption(int mode) const;
    // Whether the user lets go of what would be lost: with `typed` points typed by hand that no
    // saved table holds, with `table` a table drawn and not saved. When something would be lost
    // the user is asked first whether to go on with `next` ("終了して").
    bool mayLose(bool typed, bool table, const QString& next);
    // Closing loses both; a new data input (① OK, a dropped file) loses the typed points, which
    // cannot be computed again.
    bool mayClose();
    bool mayTakeNewData();
    // ① OK once the user has let go: the input dialog chosen, nothing of the previous pass kept.
    void startDataInput();
    // Why a dropped file cannot be taken as a data input, in words; empty when it can.
    QString droppedFileProblem(const QString& path) const;
    void tableWasSaved();

    bool byHand_ = false;        // the points are typed by hand and in no saved table yet
    bool tableUnsaved_ = false;  // the table drawn has not been saved
    bool handedOver_ = false;    // the points typed by hand are the window's input data

    DataPoints points_;  // the input data, as the input dialog handed them over
    int scaleMode_ = 1;  // the scale mode chosen: 1 Linear - Linear ... 4 Log - Log
    // The graph on the picture, drawn from the input data's points; B2F.dat holds them.
    std::optional<GraphSettings> drawn_;
    // The method of the last engine started for that graph; while set, the read-out may use the
    // table.
    std::optional<EngineMethod> started_;
    // The table that engine left, whose curve the picture shows.
    std::optional<ComputedTable> table_;

    int engineRuns_ = 0;        // engines started; the last one's end is watched
    bool engineEnded_ = false;  // the last engine started has ended
    ExtremesPanel extremes_;
    GraphPanel graph_;
};
