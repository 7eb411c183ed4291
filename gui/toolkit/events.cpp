// The system beep.
#include "events.h"

#include <QApplication>
#include <utility>

namespace {
std::function<void()>& beepHook() {
    static std::function<void()> h;
    return h;
}
}  // namespace

void Beep() {
    if (beepHook())
        beepHook()();
    else
        QApplication::beep();
}

std::function<void()> SetBeepHook(std::function<void()> hook) {
    return std::exchange(beepHook(), std::move(hook));
}
