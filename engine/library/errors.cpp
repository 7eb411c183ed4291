// The library-wide error state and its console report.
#include "errors.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "machine.h"

namespace {

constexpr int kLevels = 50;
constexpr std::size_t kMessageCapacity = 1024;
constexpr std::size_t kNameLength = 32;
constexpr std::size_t kStringCapacity = 255;

// A level of the stack. The routine name is kept in place (at most
// kNameLength characters), so a push and a pop never touch the heap.
struct Level {
    std::array<char, kNameLength> nameText{};
    std::size_t nameLength = 0;
    int type = 0;
    int code = 0;

    std::string_view name() const { return {nameText.data(), nameLength}; }
    void setName(std::string_view text) {
        nameLength = std::min(text.size(), kNameLength);
        std::copy_n(text.data(), nameLength, nameText.data());
    }
};

struct Setting {
    int print;
    int stop;
    int trace;
};

struct ErrorState {
    bool started = false;
    int level = 1;
    std::array<Level, kLevels + 1> levels;  // index 1..50
    std::string message;                    // the pending message
    // Display texts of stored values, by kind and number 1..9; empty means
    // never stored.
    std::array<std::string, 10> ints, reals, strings;
    std::array<bool, 10> intSet{}, realSet{}, stringSet{};
    std::array<Setting, 8> settings{};  // index 1..7
};

ErrorState& state() {
    static ErrorState s;
    return s;
}

void defaultStop(int status) {
    std::cout.flush();
    std::fflush(stdout);
    std::exit(status);
}

StopAction& stopAction() {
    static StopAction action = defaultStop;
    return action;
}

ErrorState& started() {
    ErrorState& s = state();
    if (!s.started) E1START();
    return s;
}

std::ostream& errorUnit() {
    int unit = 0;
    UMACH(3, unit);
    return UnitStream(unit);
}

const char* typeName(int type) {
    static const char* names[] = {"NOTE    ", "ALERT   ", "WARNING ", "FATAL   ",
                                  "TERMINAL", "WARNING ", "FATAL   "};
    return (type >= 1 && type <= 7) ? names[type - 1] : "UNKNOWN ";
}

std::string rightJustify(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    return digits.size() >= width ? digits : std::string(width - digits.size(), ' ') + digits;
}

// Trailing blanks do not count in a routine name.
std::string_view trimmed(std::string_view name) {
    std::size_t end = name.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : name.substr(0, end + 1);
}

bool isKindLetter(char c) {
    for (char kind : {'A', 'C', 'D', 'I', 'K', 'L', 'R', 'S', 'Z'}) {
        if (LetterEquals(c, kind)) return true;
    }
    return false;
}

// The stored text for a placeholder, or nullptr when the kind is not stored
// by this system or the value was never set.
const std::string* insertText(const ErrorState& s, char kind, int k) {
    if (LetterEquals(kind, 'I') && s.intSet[k]) return &s.ints[k];
    if (LetterEquals(kind, 'R') && s.realSet[k]) return &s.reals[k];
    if (LetterEquals(kind, 'L') && s.stringSet[k]) return &s.strings[k];
    return nullptr;
}

std::string buildMessage(const ErrorState& s, std::string_view msg) {
    std::string out;
    for (std::size_t i = 0; i < msg.size() && out.size() < kMessageCapacity;) {
        if (msg[i] == '%' && i + 4 < msg.size() && msg[i + 1] == '(' && isKindLetter(msg[i + 2]) &&
            msg[i + 3] >= '1' && msg[i + 3] <= '9' && msg[i + 4] == ')') {
            if (const std::string* text = insertText(s, msg[i + 2], msg[i + 3] - '0')) {
                out += *text;
                i += 5;
                continue;
            }
        }
        out += msg[i++];
    }
    if (out.size() > kMessageCapacity) out.resize(kMessageCapacity);
    return out;
}

// Splits off the next piece of at most `capacity` characters: at a "%/"
// marker within reach, at the end of the text, before the last blank, or
// after `capacity` characters.
std::string takeLine(std::string& rest, std::size_t capacity, bool markerBeforeCapacityOnly) {
    std::size_t marker = rest.find("%/");
    bool markerInReach = marker != std::string::npos &&
                         ((markerBeforeCapacityOnly ? marker + 1 < capacity : marker <= capacity) ||
                          rest.size() <= capacity);
    std::string line;
    if (markerInReach) {
        line = rest.substr(0, marker);
        rest.erase(0, marker + 2);
        return line;
    }
    if (rest.size() <= capacity) {
        line = rest;
        rest.clear();
        return line;
    }
    std::size_t blank = rest.rfind(' ', capacity - 1);
    if (blank != std::string::npos && blank >= 1) {
        line = rest.substr(0, blank);
        rest.erase(0, blank + 1);
    } else {
        line = rest.substr(0, capacity);
        rest.erase(0, capacity);
    }
    return line;
}

void writeTraceback(const ErrorState& s, std::ostream& out) {
    out << "     Here is a traceback of subprogram calls in reverse order:\n"
        << "     Routine name                    Error type  Error code\n"
        << "     ------------                    ----------  ----------\n";
    for (int l = s.level; l >= 1; --l) {
        const Level& lv = s.levels[l];
        std::string name(lv.name());
        name.resize(kNameLength, ' ');
        out << "     " << name << rightJustify(lv.type, 6) << "      " << rightJustify(lv.code, 6);
        if (l >= 3) out << "    (Called internally)";
        out << '\n';
    }
}

// Shows `text` as the pending message of the current level and stops.
[[noreturn]] void reportAndStop(std::string text) {
    ErrorState& s = started();
    s.message = std::move(text);
    E1SHOW();
    LibraryStop(1);
}

}  // namespace

void E1START() {
    ErrorState& s = state();
    s.started = true;
    s.level = 1;
    for (Level& lv : s.levels) lv = Level{};
    s.levels[1].setName("USER");
    s.message.clear();
    s.settings[1] = {0, 0, 1};
    s.settings[2] = {0, 0, 1};
    s.settings[3] = {1, 0, 1};
    s.settings[4] = {1, 1, 1};
    s.settings[5] = {1, 1, 1};
    s.settings[6] = {1, 0, 1};
    s.settings[7] = {1, 1, 1};
}

void ResetErrorState() {
    ErrorState& s = state();
    s = ErrorState{};
    E1START();
}

int ErrorStackLevel() { return started().level; }

void E1PSH(std::string_view NAME) {
    ErrorState& s = started();
    if (s.level < kLevels) {
        ++s.level;
        Level& lv = s.levels[s.level];
        lv.setName(NAME);
        lv.type = 0;
        lv.code = 0;
        return;
    }
    E1VALI(1, kLevels);
    E1MES(kTerminal, 1, "Error condition in E1PSH.  Push would cause stack level to exceed %(I1).");
    LibraryStop(1);
}

void E1POP(std::string_view NAME) {
    ErrorState& s = started();
    int L = s.level;
    if (L <= 1) {
        E1PSH("E1POP");
        E1VALL(1, NAME);
        E1MES(kTerminal, 1,
              "Error condition in E1POP.  Cannot pop from %(L1) because stack is empty.");
        LibraryStop(1);
    }
    if (NAME != s.levels[L].name() && trimmed(NAME) != trimmed(s.levels[L].name())) {
        std::string stacked(s.levels[L].name());
        E1VALL(1, NAME);
        E1VALL(2, stacked);
        E1MES(kTerminal, 2,
              "Error condition in E1POP.  %(L1) does not match the name %(L2) in the stack.");
        LibraryStop(1);
    }
    int T = s.levels[L].type;
    if (T != 0) {
        if (T >= 2 && T <= 7) {
            s.levels[L - 1].type = T;
            s.levels[L - 1].code = s.levels[L].code;
        }
        bool known = T >= 1 && T <= 7;
        if ((T >= 5 || L == 2) && known && s.settings[T].print == 1) E1SHOW();
        // Types 6 and 7 follow WARNING and FATAL: they stop only at the level
        // called by the user, and only when their stop setting says so.
        if (known && ((T == 5 && s.settings[5].stop == 1) || (L == 2 && s.settings[T].stop == 1))) {
            LibraryStop(1);
        }
    }
    if (L < kLevels) {
        s.levels[L + 1].type = -1;
        s.levels[L + 1].code = -1;
    }
    --s.level;
}

void E1MES(const int& IERTYP, const int& IERCOD, std::string_view MSG) {
    ErrorState& s = started();
    Level& lv = s.levels[s.level];
    if (IERTYP != -1) {
        lv.type = IERTYP;
        if (IERTYP < -1 || IERTYP > 7) {
            reportAndStop(".  Error from E1MES.  Illegal error type specified.");
        }
    }
    if (IERCOD >= 0) lv.code = IERCOD;
    if (IERTYP == 0 || IERCOD == 0) {
        s.message.clear();
        return;
    }
    if (!(MSG.empty() || MSG == " ")) s.message = buildMessage(s, MSG);
    if (lv.type >= 5 && lv.type <= 7 && s.settings[lv.type].print == 1) E1SHOW();
}

void E1VALI(const int& K, const int& IVALUE) {
    ErrorState& s = started();
    if (K < 1 || K > 9) return;
    s.ints[K] = std::to_string(IVALUE);
    s.intSet[K] = true;
}

void E1VALR(const int& K, const float& RVALUE) {
    ErrorState& s = started();
    if (K < 1 || K > 9) return;
    std::string text;
    if (RVALUE == 0.0f) {
        text = ".000000E+00";
    } else if (RVALUE != RVALUE) {
        text = "NaN";
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6E", static_cast<double>(RVALUE));
        text = buf;
    }
    s.reals[K] = text;
    s.realSet[K] = true;
}

void E1VALL(const int& K, std::string_view STRING) {
    ErrorState& s = started();
    int k = K < 0 ? -K : K;
    if (k < 1 || k > 9) return;
    s.strings[k] = std::string(STRING.substr(0, kStringCapacity));
    s.stringSet[k] = true;
}

namespace {
int queryLevel(const int& IWHICH, const char* routine, bool wantType) {
    ErrorState& s = started();
    if (IWHICH != 0 && IWHICH != 1) {
        s.levels[s.level].type = kTerminal;
        s.levels[s.level].code = 1;
        reportAndStop(std::string(".  The argument passed to ") + routine + " must be 0 or 1.");
    }
    int l = s.level + IWHICH;
    if (l > kLevels) return 0;
    return wantType ? s.levels[l].type : s.levels[l].code;
}
}  // namespace

int N1RTY(const int& IWHICH) { return queryLevel(IWHICH, "N1RTY", true); }
int N1RCD(const int& IWHICH) { return queryLevel(IWHICH, "N1RCD", false); }

void E1SHOW() {
    ErrorState& s = started();
    if (s.message.empty()) return;
    const Level& lv = s.levels[s.level];
    std::string rest = s.message;
    s.message.clear();

    std::string header(1, ' ');
    header += std::to_string(lv.code);
    header += " from ";
    std::string_view name = lv.name();
    header += name.substr(0, name.find(' '));
    std::size_t appended = 0;
    if (rest.compare(0, 3, ".  ") != 0) {
        header += ".  ";
        appended = 3;
    }
    // First-line capacity; never below one character, so a long routine name
    // cannot stall the wrapping.
    long long capacity =
        59 - static_cast<long long>(appended) - static_cast<long long>(header.size());
    if (capacity < 1) capacity = 1;

    std::ostream& out = errorUnit();
    out << '\n';
    out << " *** " << typeName(lv.type) << " ERROR" << header
        << takeLine(rest, static_cast<std::size_t>(capacity), true) << '\n';
    while (!rest.empty()) out << " ***          " << takeLine(rest, 64, false) << '\n';

    int type = lv.type;
    if (type >= 1 && type <= 7 && s.settings[type].trace == 1 && s.level > 2)
        writeTraceback(s, out);
}

RoutineScope::RoutineScope(std::string_view name)
    : name_(name), uncaught_(std::uncaught_exceptions()) {
    E1PSH(name_);
}

RoutineScope::~RoutineScope() noexcept(false) {
    if (std::uncaught_exceptions() > uncaught_) return;
    E1POP(name_);
}

StopAction SetStopAction(StopAction action) {
    StopAction previous = std::move(stopAction());
    stopAction() = action ? std::move(action) : StopAction(defaultStop);
    return previous;
}

void LibraryStop(int status) {
    int unit = 0;
    UMACH(2, unit);
    UnitStream(unit) << "Stop - Program terminated.\n";
    UnitStream(unit).flush();
    stopAction()(status);
    defaultStop(status);
    std::abort();
}
