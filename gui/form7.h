// Form7, the method dialog: cubic spline, B-spline or one of the library's Akima, shape-preserving,
// smoothing and monotone methods, and the start of the engine.
#pragma once

#include <QWidget>
#include <utility>

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

    // The method chosen: the flag of Bor3.dat's first record (0 cubic spline, 1 otherwise) and
    // the library's method number of its second (0 for none).
    std::pair<int, int> chosenMethod() const;
    // Start button: writes Bor3.dat, starts the engine in its console window, moves the main
    // window on to drawing the curve.
    void StartCalculation();
    void Command1_Click();
};
