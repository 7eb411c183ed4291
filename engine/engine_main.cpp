// The engine's main line: reads B2F.dat and Bor3.dat, evaluates the chosen
// spline at 100 positions in every data interval, writes F2B.dat, echoes
// input and output on the console and waits for Enter.
#include "engine_main.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// SPLEZ method numbers. A non-zero flag selects the least-squares B-spline unless a second
// record of Bor3.dat names one of the other three.
constexpr int kLeastSquaresBSpline = 12;
constexpr int kAkima = 2;
constexpr int kShapePreserving = 3;
constexpr int kSmoothing = 9;
// The library's monotone cubic, which is not a SPLEZ method: a number SPLEZ never takes.
constexpr int kMonotone = 20;

// The driver's variables, kept for the whole run as the record layouts need.
struct Run {
    int NDATA = 0;
    std::array<float, kMaxData> XDATA{};
    std::array<float, kMaxData> FDATA{};
    int IFLAG = 0;
    int ITYPE = kLeastSquaresBSpline;  // another number only when a second record names it
    int NOUT = 1;
    std::array<float, kMaxRows> XOUT{};
    std::array<float, kMaxRows> FOUT{};
    std::array<float, 7> STAT{};  // the smoothing spline's statistics, STAT(1..7) of C2SCV
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

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == line.npos; }

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

// Line 1 holds the method flag. The first line after it that is not blank, if any, names the
// library method of a non-zero flag by its SPLEZ number; lines after that are not read.
void readMethod(Run& run) {
    std::ifstream in = openInput(kMethodFile);
    std::string line;
    if (!readLine(in, line))
        inputError(fileLine(kMethodFile, 1) + "the file is empty; the method flag is missing");
    std::optional<int> flag = records::ReadFreeInteger(line);
    if (!flag)
        inputError(fileLine(kMethodFile, 1) + "the method flag is not an integer: " + quoted(line));
    run.IFLAG = *flag;

    int lineNo = 1;
    do {
        if (!readLine(in, line)) return;
        ++lineNo;
    } while (isBlankLine(line));
    const std::string where = fileLine(kMethodFile, lineNo);
    if (run.IFLAG == 0)
        inputError(where +
                   "method flag 0, the cubic spline, takes no method number, but the file "
                   "goes on with " +
                   quoted(line));
    std::optional<int> method = records::ReadFreeInteger(line);
    if (!method) inputError(where + "the method number is not an integer: " + quoted(line));
    if (*method != kAkima && *method != kShapePreserving && *method != kSmoothing &&
        *method != kMonotone) {
        inputError(where +
                   "the method number must be 2 (Akima), 3 (shape-preserving), 9 (smoothing "
                   "spline) or 20 (monotone), but it is " +
                   std::to_string(*method));
    }
    run.ITYPE = *method;
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

// 100 abscissas in every interval between consecutive points, in file order.
void fillAbscissas(Run& run) {
    run.NOUT = 1;
    for (int i = 1; i <= run.NDATA - 1; ++i) {
        for (int j = 1; j <= kRowsPerInterval; ++j) {
            // Difference, times J, times the single-precision 0.01, plus the
            // left end, in double, rounded once on storing.
            double left = run.XDATA[i - 1];
            double width = static_cast<double>(run.XDATA[i]) - left;
            run.XOUT[run.NOUT - 1] =
                static_cast<float>(left + (width * j) * static_cast<double>(0.01f));
            ++run.NOUT;
        }
    }
}

// The cubic spline and the least-squares B-spline: one library call for one abscissa, which
// rebuilds the spline from all points.
float valueAt(const Run& run, float x) {
    const int one = 1;
    float XVEC = x;
    float VALUE = 0.0f;
    if (run.IFLAG == 0) {
        CSIEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), one, &XVEC, &VALUE);
    } else {
        const int ider = 0;
        SPLEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), run.ITYPE, ider, one, &XVEC, &VALUE);
    }
    return VALUE;
}

// The methods of a second record build their spline once, in one library call for the whole
// table: SPLEZ, or CSMEZ for the monotone cubic. Both refuse repeated abscissas, and a table can
// repeat some (points out of order, or so close that single precision cannot tell 100 positions
// apart), so the call takes each abscissa once and every row the value at its own.
void evaluateInOneCall(Run& run, int rows) {
    std::vector<float> xs(run.XOUT.begin(), run.XOUT.begin() + rows);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<float> values(xs.size());
    const int n = static_cast<int>(xs.size()), ider = 0;
    if (run.ITYPE == kMonotone) {
        CSMEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), n, xs.data(), values.data());
    } else {
        SPLEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), run.ITYPE, ider, n, xs.data(),
              values.data());
    }
    for (int r = 0; r < rows; ++r) {
        const auto at = std::lower_bound(xs.begin(), xs.end(), run.XOUT[r]) - xs.begin();
        run.FOUT[r] = values[at];
    }
}

// The statistics of the smoothing spline's fit, which C2SCV leaves in the first seven entries
// of its workspace: the same data give the same fit as the one SPLEZ evaluated.
void smoothingStatistics(Run& run) {
    const int n = run.NDATA, equalSpacing = 0;
    std::vector<float> breaks(n), coefficients(4 * n), wk(9 * n + 15);
    std::vector<int> iwk(n);
    C2SCV(n, run.XDATA.data(), run.FDATA.data(), equalSpacing, breaks.data(), coefficients.data(),
          wk.data(), iwk.data());
    std::copy_n(wk.begin(), run.STAT.size(), run.STAT.begin());
}

void evaluate(Run& run) {
    fillAbscissas(run);
    const int rows = run.NOUT - 1;
    const bool once = run.ITYPE != kLeastSquaresBSpline;
    if (once && rows > 0) evaluateInOneCall(run, rows);
    for (int r = 1; r <= rows; ++r) {
        const float x = run.XOUT[r - 1];
        if (!once) run.FOUT[r - 1] = valueAt(run, x);
        if (!std::isfinite(x) || !std::isfinite(run.FOUT[r - 1])) notFinite(r, x, run.FOUT[r - 1]);
    }
    if (run.ITYPE == kSmoothing && rows > 0) smoothingStatistics(run);
}

// A failure to write the table is the engine's own; the report names the file and the
// system's reason. Only a scratch file this run created is removed.
[[noreturn]] void writeError(const std::string& what, const char* file, int error,
                             bool removeScratch) {
    if (removeScratch) std::remove(kTableScratch);
    stopWithReport("WRITE ERROR", "cannot " + what + " " + file + " (" + std::strerror(error) +
                                      "); " + kTableFile + " is left as it was");
}

// The table goes to a scratch file first and replaces F2B.dat only when its
// last record is written, so a reader never sees half a table.
void writeTable(const Run& run) {
    // The records are assembled in memory and written in one piece.
    std::string text = records::WriteI(run.NOUT - 1, 6) + "\r\n";
    text.reserve(text.size() + static_cast<std::size_t>(run.NOUT - 1) * 28);
    for (int r = 0; r < run.NOUT - 1; ++r) {
        records::AppendE(text, run.XOUT[r], 13, 6);
        records::AppendE(text, run.FOUT[r], 13, 6);
        text += "\r\n";
    }
    std::FILE* out = std::fopen(kTableScratch, "wb");
    if (!out) writeError("create", kTableScratch, errno, false);
    // A full disk or a file size limit may show only when the buffer is flushed or closed.
    bool written =
        std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
    int error = errno;
    if (std::fclose(out) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written) writeError("write", kTableScratch, error, true);
    if (std::rename(kTableScratch, kTableFile) != 0) writeError("replace", kTableFile, errno, true);
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

void echoSmoothingStatistics(const Run& run) {
    const auto line = [](const char* label, float value) {
        std::string text = "   ";
        text += label;
        text.resize(27, ' ');
        return text + " =" + records::WriteE(value, 13, 6) + "\n";
    };
    // STAT(1) is p = rho/(1+rho), STAT(3) the score, STAT(6) the variance of the noise.
    console() << "\n"
              << line("Smoothing parameter p", run.STAT[0])
              << line("Cross-validation score", run.STAT[2])
              << line("Noise standard deviation", std::sqrt(run.STAT[5]));
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
    if (run.ITYPE == kSmoothing && run.NOUT > 1) echoSmoothingStatistics(run);
    out << "\n   ---    Finished    ---\n\n   --- Push Enter key ---\n";
    out.flush();
    std::string answer;
    std::getline(keyboard, answer);  // end of input counts as Enter
    out << "Stop - Program terminated.\n";
    out.flush();
    return 0;
}
