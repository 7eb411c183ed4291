// Form9, the data-format help: what a data file must hold, and the example files of the
// working directory with the lines of the one clicked.
#pragma once

#include <QWidget>

class QFrame;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QVBoxLayout;
class FileListBox;

class Form9 : public QWidget {
    Q_OBJECT
public:
    Form9();

    // What the opener does before showing the window: the example list read afresh from the
    // working directory.
    void prepare();

    QLabel* Label1;
    QFrame* Shape1;
    QLabel* Label8;
    QFrame* Shape2;
    QLabel* Label2;
    QLabel* Label9;
    QFrame* Shape3;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QFrame* Shape4;
    QLabel* Label7;
    QPushButton* Command1;
    QLabel* Label10;
    QLabel* Picture2;
    FileListBox* File1;
    QListWidget* List1;

    // Shows the first lines of the clicked example, unchanged.
    void File1_Click(const QString& fileName);
    void Command1_Click();

private:
    QVBoxLayout* buildFormatHelp();  // heading, the rules and the close button
    QGridLayout* buildRules();       // the bulleted rules of a data file
    QVBoxLayout* buildExamples();    // the example files and the lines of the one clicked
};
