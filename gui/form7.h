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

    QGroupBox* Frame1;
    QRadioButton* Option1;  // cubic spline
    QRadioButton* Option2;  // B-spline
    QRadioButton* Option3;  // Akima
    QRadioButton* Option4;  // shape-preserving cubic
    QRadioButton* Option5;  // smoothing spline
    QRadioButton* Option6;  // monotone cubic
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QPushButton* Command2;
    QPushButton* Command1;

    // Shows the dialog over the opener with the cubic spline chosen and the start button in focus,
    // so that Enter starts the calculation.
    void openOver(QWidget* opener);
    // The method chosen.
    EngineMethod chosenMethod() const;
    // Start button: writes Bor3.dat, starts the engine in its console window, moves the main
    // window on to drawing the curve.
    void StartCalculation();
    void Command1_Click();
};
