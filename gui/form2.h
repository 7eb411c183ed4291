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

    QPushButton* Command1;
    QPushButton* Command3;
    QPushButton* Command2;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
};
