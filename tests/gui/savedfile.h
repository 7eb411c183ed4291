// Support of the saving, viewer and equal-interval suites: saved interpolated-data files
// composed here, independently of the program's writer, and one whole calculation driven
// through the main window up to its curve.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRadioButton>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "filelists.h"
#include "form1.h"
#include "form10.h"
#include "form2.h"
#include "form4.h"
#include "form5.h"
#include "form6.h"
#include "form7.h"
#include "guitest.h"
#include "textbox.h"

// Texts from UTF-8 literals.
inline QStringList textList(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts) list << QString::fromUtf8(t);
    return list;
}

// A value as the saved file writes it: "+" above 0, "-" otherwise, the magnitude with six
// significant digits and a two-digit exponent.
inline QByteArray savedValue(double v) {
    return QByteArray(v > 0 ? "+" : "-") + QString::asprintf("%.5E", std::fabs(v)).toLatin1();
}

// Rows at n equal steps after x0 up to x1 of a curve, as the engine's table puts them.
inline QList<QPointF> curveRows(double x0, double x1, int n, double (*y)(double)) {
    QList<QPointF> rows;
    for (int i = 1; i <= n; ++i) {
        const double x = x0 + (x1 - x0) * i / n;
        rows << QPointF(x, y(x));
    }
    return rows;
}

struct SavedFile {
    int mode = 1;
    QStringList axes;      // six texts
    QList<QPointF> table;  // rows in data units
    QList<QPointF> data;   // data points

    QByteArray bytes() const {
        QByteArray b = " " + QByteArray::number(mode) + " \r\n";
        for (const QString& a : axes) b += a.toUtf8() + "\r\n";
        b += " " + QByteArray::number(table.size()) + " \r\n";
        for (QPointF p : table) b += savedValue(p.x()) + ",  " + savedValue(p.y()) + "\r\n";
        b += " " + QByteArray::number(data.size()) + " \r\n";
        for (QPointF p : data) b += savedValue(p.x()) + ",  " + savedValue(p.y()) + "\r\n";
        return b;
    }
};

// The texts of the message boxes shown, in their order.
inline QStringList texts(const MessageRecorder& messages) {
    QStringList t;
    for (const auto& b : messages.boxes) t << b.text;
    return t;
}

// The question asked before a file that stands at `path` is replaced.
inline QString overwriteQuestion(const QString& path) {
    return QStringLiteral("　ファイル %1 は既にあります。\n　上書きしてよろしいですか？　")
        .arg(QDir::toNativeSeparators(path));
}

// The method dialog's option for a method: 0 cubic spline, 1 B-spline, or the library's method
// 2, 3, 9 or 20, in the order the options stand.
inline QRadioButton* methodOption(int method) {
    const int methods[] = {0, 1, 2, 3, 9, 20};
    const int option = int(std::find(std::begin(methods), std::end(methods), method) - methods);
    return control<QRadioButton>(form7(), QStringLiteral("Option%1").arg(option + 1).toLatin1());
}

// The rows the stand-in engine answers with next (data units; logarithms on a logarithmic
// axis, as the engine sends them).
inline void writeEngineTable(const WorkDir& dir, int mode, const QList<QPointF>& table) {
    const bool logX = mode == 3 || mode == 4, logY = mode == 2 || mode == 4;
    QByteArray rows = "  " + QByteArray::number(table.size()) + "\r\n";
    for (QPointF p : table)
        rows += QString::asprintf("%.17g %.17g\r\n", logX ? std::log(p.x()) : p.x(),
                                  logY ? std::log(p.y()) : p.y())
                    .toLatin1();
    dir.write(QStringLiteral("table.txt"), rows);
}

// The points of `data` drawn in the main window: the file loaded, the scale mode and the axis
// texts that the mode leaves open set and confirmed.
inline void drawPointsInMainWindow(const WorkDir& dir, int mode, const QByteArray& data,
                                   const QStringList& axes) {
    if (!form1()->isVisible()) form2()->newCalculationButton->click();
    Form1* f = form1();
    f->resetButton->click();
    dir.write(QStringLiteral("d.csv"), data);
    f->inputMethodOkButton->click();
    clickFile(form10(), QStringLiteral("d.csv"));
    form10()->okButton->click();
    control<QRadioButton>(f, QStringLiteral("Option%1").arg(mode).toLatin1())->click();
    TextBox* fields[6] = {f->xStartField, f->xEndField, f->xStepField,
                          f->yStartField, f->yEndField, f->yStepField};
    for (int k = 0; k < 6; ++k)
        if (fields[k]->isEnabled()) fields[k]->setText(axes.value(k));
    f->graphSettingsOkButton->click();
    f->drawPointsButton->click();
    QVERIFY(f->calculateButton->isEnabled());
}

// A calculation in the main window: the points drawn, the stand-in engine started with
// `method` (0 cubic spline, 1 B-spline, or the library's method 2, 3, 9 or 20) answering with
// the rows of `table` (data units; logarithms are sent on a logarithmic axis as the engine
// would), and the curve drawn.
inline void calculateInMainWindow(const WorkDir& dir, int mode, const QByteArray& data,
                                  const QStringList& axes, const QList<QPointF>& table,
                                  int method = 0) {
    drawPointsInMainWindow(dir, mode, data, axes);
    if (QTest::currentTestFailed()) return;
    Form1* f = form1();
    writeEngineTable(dir, mode, table);
    QFile::remove(dir.file(QStringLiteral("F2B.dat")));
    installFakeEngine(dir);
    f->calculateButton->click();
    methodOption(method)->click();
    form7()->startButton->click();
    QTRY_VERIFY(dir.exists(QStringLiteral("F2B.dat")));
    f->drawCurveButton->click();
    QVERIFY(f->saveTableButton->isEnabled());
}

// A saved table written as `name` in the working directory and drawn in the viewer, ready for
// its equal-interval dialog.
inline void drawInViewer(const WorkDir& dir, const QString& name, const SavedFile& saved) {
    dir.write(name, saved.bytes());
    form2()->searchSavedButton->click();
    clickFile(form6(), name);
    form6()->drawGraphButton->click();
    QVERIFY(form6()->equalIntervalButton->isEnabled());
}

// A saving dialog given a name in the working directory, as a user chooses the folder, types
// the name and presses `save`.
template <class Dialog>
void saveInDialog(Dialog* d, const WorkDir& dir, const QString& name, QAbstractButton* save) {
    d->folderList->setPath(dir.path());
    d->showFolderFiles();
    d->fileNameField->setText(name);
    save->click();
}

// Saves the main window's table under `name` in the working directory, as a user opens the
// saving dialog, types the name and presses OK.
inline void saveMainTable(const WorkDir& dir, const QString& name) {
    form1()->saveTableButton->click();
    saveInDialog(form4(), dir, name, form4()->okButton);
}

// Saves the picture of the open picture dialog as a bitmap under `name` in the working
// directory, and reads the file back.
inline QImage savePicture(const WorkDir& dir, const QString& name) {
    saveInDialog(form5(), dir, name, form5()->okButton);
    return QImage(dir.file(name + QStringLiteral(".bmp")), "BMP")
        .convertToFormat(QImage::Format_RGB32);
}
