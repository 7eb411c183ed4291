// Keyboard conventions of the whole program: Enter (and the keypad's Enter) on a focused push
// button presses it, the button or option with the focus carries a visible frame, and Escape in
// a dialog presses its cancel button.
#pragma once

#include <QColor>

// The colour of the frame around the focused control.
inline const QColor kFocusMarkColor(0, 84, 200);

// Installs both on the running application; a second call changes nothing.
void InstallKeyboardConventions();

#include <initializer_list>
#include <utility>

class QAbstractButton;
class QWidget;
// Enter in a field of a chain moves the focus to the control that follows that field: the pair
// (field, next) whose field is `from`.
void FocusNext(const QWidget* from,
               std::initializer_list<std::pair<const QWidget*, QWidget*>> chain);
// Escape anywhere in the window presses the button (its cancel or close).
void CancelWithEscape(QWidget* window, QAbstractButton* button);
