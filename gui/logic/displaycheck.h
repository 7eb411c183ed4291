// Whether Nodara can open its windows at all. A start without a graphical session ends with
// one clear line and exit status 1, instead of Qt's abort after its platform plugins fail.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The line to show when the platform Qt will use needs a display that the command line and
// the environment do not give (no DISPLAY for X11, no WAYLAND_DISPLAY for Wayland); empty when
// one may be there, or when the platform needs none (offscreen, for example).
QString MissingDisplayMessage(const QStringList& arguments, const QProcessEnvironment& env);

// While it lives (around the construction of the application object), Qt's start-up
// messages are held back; if the platform then fails after all (a display that does not
// answer, say), one line with Qt's first reason is printed and the program ends with status 1.
// Otherwise the held messages are passed on when it ends.
class DisplayFailureGuard {
public:
    DisplayFailureGuard();
    ~DisplayFailureGuard();
    DisplayFailureGuard(const DisplayFailureGuard&) = delete;
    DisplayFailureGuard& operator=(const DisplayFailureGuard&) = delete;
};
