// The system beep (observable by tests).
#pragma once

#include <functional>

// Sounds the platform's alert. While a hook is set, calls it instead. Returns the previous hook.
void Beep();
std::function<void()> SetBeepHook(std::function<void()> hook);
