// Form7, the method dialog: cubic spline or B-spline, and the start of the engine.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class Form7 : public QWidget {
    Q_OBJECT
public:
    Form7();

    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Command2;
    QPushButton* Command1;

    // Start button: writes Bor3.dat, starts the engine in its console window, moves the main
    // window on to drawing the curve.
    void StartCalculation();
    void Command1_Click();
};
