// Form3, the read-error dialog of the file input: a fixed explanation and a close button.
#pragma once

#include <QWidget>

class QPushButton;

class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3();
    QPushButton* closeButton;
};
