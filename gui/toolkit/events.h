// Yielding to pending window events once, and the system beep (observable by tests).
#pragma once

#include <functional>

// Processes the events that are pending now, once, and returns.
void DoEvents();

// Sounds the platform's alert. While a hook is set, calls it instead. Returns the previous hook.
void Beep();
std::function<void()> SetBeepHook(std::function<void()> hook);
