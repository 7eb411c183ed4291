// What the saving dialogs share: their layout, and the checks and report around writing a file
// under a typed name.
#pragma once

#include <QByteArray>
#include <QString>
#include <initializer_list>

class QImage;
class QLayout;
class QPushButton;
class QVBoxLayout;
class QWidget;
class TextBox;

// The saving dialogs' layout, top to bottom: the headings, a little space, the rows about the
// name (prompts and the name box), the lists taking the spare height, OK and Cancel at the
// right.
void LayOutSaveDialog(QWidget* window, std::initializer_list<QWidget*> headings,
                      std::initializer_list<QWidget*> nameRows, QLayout* lists, QPushButton* ok,
                      QPushButton* cancel);

// Whether a typed name can be saved under: an empty name shows `emptyMessage`, a name that
// cannot be a file name says so; both return false.
bool AcceptTypedName(QWidget* window, const QString& name, const QString& emptyMessage);
// Writes the file completely or not at all; a failure is reported with the file's name and the
// reason. A file of the name is replaced only when the user says so (MayReplaceFile); false
// when not.
bool WriteFileOrReport(QWidget* window, const QString& path, const QByteArray& bytes);
// The same with an image in a format Qt writes ("BMP", "PNG").
bool WriteImageOrReport(QWidget* window, const QString& path, const QImage& image,
                        const char* format);
// Enter in the name field presses the dialog's OK.
void AcceptNameWithEnter(TextBox* name, QPushButton* ok);
