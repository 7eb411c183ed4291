// Form2, the title window: what the program does, and the way into a new calculation, to the
// saved-data search, and out of the program.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();

    QPushButton* newCalculationButton;
    QPushButton* searchSavedButton;
    QPushButton* endButton;

    void startNewCalculation();
    void quitProgram();
    void searchSavedTables();

protected:
    void closeEvent(QCloseEvent* event) override;
};
