// The engine's main line: reads B2F.dat and Bor3.dat, evaluates the chosen
// spline at 100 positions in every data interval, writes F2B.dat, echoes
// input and output on the console and waits for Enter.
#include "engine_main.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "fitlib.h"
#include "records.h"

namespace {

constexpr int kMaxData = 100;
constexpr int kMaxRows = 10010;
constexpr int kRowsPerInterval = 100;

const char* const kPointFile = "B2F.dat";
const char* const kMethodFile = "Bor3.dat";
const char* const kTableFile = "F2B.dat";
const char* const kTableScratch = "F2B.dat.tmp";

// The driver's variables, kept for the whole run as the record layouts need.
struct Run {
    int NDATA = 0;
    std::array<float, kMaxData> XDATA{};
    std::array<float, kMaxData> FDATA{};
    int IFLAG = 0;
    int NOUT = 1;
    std::array<float, kMaxRows> XOUT{};
    std::array<float, kMaxRows> FOUT{};
};

std::ostream& console() { return UnitStream(6); }

// A report of the engine itself ends the run before F2B.dat is written.
[[noreturn]] void stopWithReport(const char* kind, const std::string& what) {
    console() << "\n *** " << kind << " from Fitcore.  " << what << "\n";
    LibraryStop(1);
}

[[noreturn]] void inputError(const std::string& what) { stopWithReport("INPUT ERROR", what); }

// A line of an input file as the console may show it: at most the first
// kQuotedLength characters in quotes, every byte outside printable ASCII
// (escape sequences, NUL, bytes of other encodings) written as \xHH and a
// backslash doubled, so nothing in a hostile file reaches the terminal as it
// stands.
constexpr std::size_t kQuotedLength = 40;
std::string quoted(std::string_view line) {
    std::string out = "\"";
    for (char c : line.substr(0, kQuotedLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            out += "\\\\";
        } else if (byte >= 0x20 && byte < 0x7f) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    out += '"';
    if (line.size() > kQuotedLength) {
        out += " (first " + std::to_string(kQuotedLength) + " of " + std::to_string(line.size()) +
               " characters)";
    }
    return out;
}

void writeLine(std::ostream& out, const std::string& text) { out << text << '\n'; }

std::string fileLine(const char* file, int line) {
    return std::string(file) + ", line " + std::to_string(line) + ": ";
}

// Opens an input file without creating it.
std::ifstream openInput(const char* name) {
    std::ifstream in(name, std::ios::binary);
    if (!in) inputError(std::string("cannot open ") + name);
    return in;
}

bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void readPoints(Run& run) {
    std::ifstream in = openInput(kPointFile);
    std::string line;
    if (!readLine(in, line))
        inputError(fileLine(kPointFile, 1) +
                   "the file is empty; the number of data points is missing");
    std::optional<int> count = records::ReadFreeInteger(line);
    if (!count)
        inputError(fileLine(kPointFile, 1) +
                   "the number of data points is not an integer: " + quoted(line));
    if (*count < 0) {
        inputError(fileLine(kPointFile, 1) +
                   "the number of data points must not be negative, but NDATA = " +
                   std::to_string(*count));
    }
    if (*count > kMaxData) {
        inputError(fileLine(kPointFile, 1) + "NDATA = " + std::to_string(*count) +
                   " exceeds the limit of " + std::to_string(kMaxData) + " data points");
    }
    run.NDATA = *count;
    for (int i = 1; i <= run.NDATA; ++i) {
        int lineNo = i + 1;
        if (!readLine(in, line)) {
            inputError(fileLine(kPointFile, lineNo) + "end of file while reading data point " +
                       std::to_string(i) + " of " + std::to_string(run.NDATA));
        }
        std::optional<float> x = records::ReadEField(records::Field(line, 0, 12), 5);
        std::optional<float> y = records::ReadEField(records::Field(line, 12, 13), 5);
        if (!x || !y) {
            inputError(fileLine(kPointFile, lineNo) + "the record " + quoted(line) +
                       " cannot be read as two numbers in the layout (E12.5,E13.5)");
        }
        run.XDATA[i - 1] = *x;
        run.FDATA[i - 1] = *y;
        writeLine(console(), records::WriteE(*x, 12, 5) + records::WriteE(*y, 13, 5));
    }
}

void readMethod(Run& run) {
    std::ifstream in = openInput(kMethodFile);
    std::string line;
    if (!readLine(in, line))
        inputError(fileLine(kMethodFile, 1) + "the file is empty; the method flag is missing");
    std::optional<int> flag = records::ReadFreeInteger(line);
    if (!flag)
        inputError(fileLine(kMethodFile, 1) + "the method flag is not an integer: " + quoted(line));
    run.IFLAG = *flag;
}

// Data the library accepts can still overflow inside the spline (values near
// the ends of single precision, nearly equal or vastly spread abscissas). A
// table is never written with a value that is not a number.
[[noreturn]] void notFinite(int row, float x, float value) {
    auto shown = [](float v) {
        const std::string field = records::WriteE(v, 13, 6);
        return field.substr(field.find_first_not_of(' '));
    };
    stopWithReport("CALCULATION ERROR", "row " + std::to_string(row) +
                                            " of the table is not finite: X = " + shown(x) +
                                            ", Y = " + shown(value) +
                                            "; the data overflow single precision inside the "
                                            "spline, so " +
                                            kTableFile + " is not written");
}

// One abscissa per row; every call rebuilds the spline from all points.
void evaluate(Run& run) {
    run.NOUT = 1;
    const int one = 1;
    for (int i = 1; i <= run.NDATA - 1; ++i) {
        for (int j = 1; j <= kRowsPerInterval; ++j) {
            // Difference, times J, times the single-precision 0.01, plus the
            // left end, in double, rounded once on storing.
            double left = run.XDATA[i - 1];
            double width = static_cast<double>(run.XDATA[i]) - left;
            float x = static_cast<float>(left + (width * j) * static_cast<double>(0.01f));
            run.XOUT[run.NOUT - 1] = x;
            float XVEC = x;
            float VALUE = 0.0f;
            if (run.IFLAG == 0) {
                CSIEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), one, &XVEC, &VALUE);
            } else {
                const int itype = 12, ider = 0;
                SPLEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), itype, ider, one, &XVEC,
                      &VALUE);
            }
            run.FOUT[run.NOUT - 1] = VALUE;
            if (!std::isfinite(x) || !std::isfinite(VALUE)) notFinite(run.NOUT, x, VALUE);
            ++run.NOUT;
        }
    }
}

// The table goes to a scratch file first and replaces F2B.dat only when its
// last record is written, so a reader never sees half a table.
void writeTable(const Run& run) {
    {
        std::ofstream out(kTableScratch, std::ios::binary | std::ios::trunc);
        if (!out) inputError(std::string("cannot create ") + kTableScratch);
        // The records are assembled in memory and written in one piece.
        std::string text = records::WriteI(run.NOUT - 1, 6) + "\r\n";
        text.reserve(text.size() + static_cast<std::size_t>(run.NOUT - 1) * 28);
        for (int r = 0; r < run.NOUT - 1; ++r) {
            records::AppendE(text, run.XOUT[r], 13, 6);
            records::AppendE(text, run.FOUT[r], 13, 6);
            text += "\r\n";
        }
        out << text;
        out.flush();
        if (!out) {
            std::remove(kTableScratch);
            inputError(std::string("cannot write ") + kTableScratch);
        }
    }
    if (std::rename(kTableScratch, kTableFile) != 0) {
        std::remove(kTableScratch);
        inputError(std::string("cannot replace ") + kTableFile);
    }
}

void echoTable(const Run& run) {
    std::string text = "\n";
    text.reserve(1 + static_cast<std::size_t>(run.NOUT - 1) * 29);
    for (int r = 0; r < run.NOUT - 1; ++r) {
        records::AppendE(text, run.XOUT[r], 13, 6);
        text += "  ";
        records::AppendE(text, run.FOUT[r], 13, 6);
        text += '\n';
    }
    console() << text;
}

}  // namespace

int RunEngine(std::istream& keyboard) {
    // The driver's arrays stay off the stack.
    static Run run;
    run = Run{};
    std::ostream& out = console();
    out << "\n   ---  Spline Interpolation  ---\n   ---   Calculation start    ---\n\n";
    readPoints(run);
    readMethod(run);
    evaluate(run);
    writeTable(run);
    echoTable(run);
    out << "\n   ---    Finished    ---\n\n   --- Push Enter key ---\n";
    out.flush();
    std::string answer;
    std::getline(keyboard, answer);  // end of input counts as Enter
    out << "Stop - Program terminated.\n";
    out.flush();
    return 0;
}
