// Form7, the method dialog: cubic spline, B-spline or one of the library's Akima, shape-preserving,
// smoothing and monotone methods, and the start of the engine.
#pragma once

#include <QWidget>

#include "state.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class Form7 : public QWidget {
    Q_OBJECT
public:
    Form7();

    QGroupBox* methodGroup;
    QRadioButton* cubicSplineOption;      // cubic spline
    QRadioButton* bSplineOption;          // B-spline
    QRadioButton* akimaOption;            // Akima
    QRadioButton* shapePreservingOption;  // shape-preserving cubic
    QRadioButton* smoothingOption;        // smoothing spline
    QRadioButton* monotoneOption;         // monotone cubic
    QLabel* cubicSplineNoteLabel;
    QLabel* bSplineNoteLabel;
    QLabel* akimaNoteLabel;
    QLabel* shapePreservingNoteLabel;
    QLabel* smoothingNoteLabel;
    QLabel* monotoneNoteLabel;
    QPushButton* startButton;
    QPushButton* cancelButton;

    // Shows the dialog over the opener with the cubic spline chosen and the start button in focus,
    // so that Enter starts the calculation.
    void openOver(QWidget* opener);
    // The method chosen.
    EngineMethod chosenMethod() const;
    // Start button: writes Bor3.dat, starts the engine in its console window, moves the main
    // window on to drawing the curve.
    void StartCalculation();
    void cancelMethod();
};
