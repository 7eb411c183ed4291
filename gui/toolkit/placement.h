// Where a window opens: a dialog centred over the window that opened it, and never past the edge
// of that window's screen.
#pragma once

class QWidget;

// Moves `window` centred over `opener` (kept inside the opener's screen), shows it, raises it and
// gives it the focus.
void ShowOver(QWidget* window, const QWidget* opener);
