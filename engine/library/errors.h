// The library-wide error state: the 50-level stack of routine names, error
// types and codes, the pending message with its value inserts, the boxed
// console report with traceback, and the stop.
#pragma once

#include <functional>
#include <string_view>

// Error types.
inline constexpr int kNote = 1;
inline constexpr int kAlert = 2;
inline constexpr int kWarning = 3;
inline constexpr int kFatal = 4;
inline constexpr int kTerminal = 5;

void E1START();
void E1PSH(std::string_view NAME);
void E1POP(std::string_view NAME);
void E1MES(const int& IERTYP, const int& IERCOD, std::string_view MSG);
void E1VALI(const int& K, const int& IVALUE);
void E1VALR(const int& K, const float& RVALUE);
void E1VALL(const int& K, std::string_view STRING);
int N1RTY(const int& IWHICH);
int N1RCD(const int& IWHICH);
void E1SHOW();

// Pushes a routine's name on construction and pops it on every way out of
// the routine. A stop that unwinds the stack (see SetStopAction) leaves the
// error state as the stop found it.
class RoutineScope {
public:
    explicit RoutineScope(std::string_view name);
    ~RoutineScope() noexcept(false);
    RoutineScope(const RoutineScope&) = delete;
    RoutineScope& operator=(const RoutineScope&) = delete;

private:
    std::string_view name_;
    int uncaught_;
};

// The stop: writes "Stop - Program terminated." on the console and calls the
// stop action with the exit status (1 for every stop the library makes, which
// is always caused by an error). The default action flushes standard output
// and ends the process. The action must not return; a test installs one that
// throws, and resets the error state afterwards with ResetErrorState.
using StopAction = std::function<void(int status)>;
StopAction SetStopAction(StopAction action);
[[noreturn]] void LibraryStop(int status = 1);

// Back to the state of the first use: level 1 "USER", nothing pending,
// default settings (the unit table is left alone).
void ResetErrorState();

// The current stack level (1 = USER).
int ErrorStackLevel();
