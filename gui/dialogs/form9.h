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

    QLabel* headingLabel;
    QFrame* examplesBullet;
    QLabel* examplesNoteLabel;
    QFrame* lineBullet;
    QLabel* twoPerLineLabel;
    QLabel* notOneOrThreeLabel;
    QFrame* columnsBullet;
    QLabel* columnsLabel;
    QLabel* csvLabel;
    QLabel* datLabel;
    QLabel* eitherLabel;
    QFrame* limitBullet;
    QLabel* pointLimitLabel;
    QPushButton* closeButton;
    QLabel* examplesLabel;
    QLabel* examplesPicture;
    FileListBox* fileList;
    QListWidget* exampleLinesList;

    // Shows the first lines of the clicked example, unchanged.
    void showExample(const QString& fileName);
    void closeHelp();

private:
    QVBoxLayout* buildFormatHelp();  // heading, the rules and the close button
    QGridLayout* buildRules();       // the bulleted rules of a data file
    QVBoxLayout* buildExamples();    // the example files and the lines of the one clicked
};
