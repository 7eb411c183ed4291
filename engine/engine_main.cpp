// The engine's main line: reads B2F.dat and Bor3.dat, evaluates the chosen
// spline at 100 positions in every data interval, writes F2B.dat, echoes
// input and output on the console and waits for Enter.
#include "engine_main.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "enginecontract.h"
#include "fitlib.h"
#include "records.h"

namespace {

using contract::kMaxPoints;
using contract::kMaxTableRows;
using contract::kMethodFile;
using contract::kPointFile;
using contract::kRowsPerInterval;
using contract::kTableFile;

// The SPLEZ method a non-zero flag selects unless a second record of Bor3.dat names one of the
// methods of the table below.
constexpr int kLeastSquaresBSpline = 12;
// The second record's numbers are SPLEZ method numbers, except the library's monotone cubic,
// which is not a SPLEZ method: its number is one SPLEZ never takes.
using contract::kMonotoneMethod;
using contract::kSmoothingMethod;

struct NamedMethod {
    int number;
    const char* name;
};
constexpr NamedMethod kSecondRecordMethods[] = {
    {contract::kAkimaMethod, "Akima"},
    {contract::kShapePreservingMethod, "shape-preserving"},
    {kSmoothingMethod, "smoothing spline"},
    {kMonotoneMethod, "monotone"},
};

// The driver's variables, kept for the whole run as the record layouts need.
struct Run {
    int NDATA = 0;
    std::array<float, kMaxPoints> XDATA{};
    std::array<float, kMaxPoints> FDATA{};
    int IFLAG = 0;
    int ITYPE = kLeastSquaresBSpline;  // another number only when a second record names it
    int NOUT = 1;
    std::array<float, kMaxTableRows> XOUT{};
    std::array<float, kMaxTableRows> FOUT{};
    // The smoothing spline's statistics: p, the cross-validation score and the noise variance,
    // in double where the data's squared units can leave single precision.
    struct {
        float p = 0.0f;
        double score = 0.0, variance = 0.0;
    } smoothing;
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

[[noreturn]] void cannotOpen(const char* name, const char* reason) {
    inputError(std::string("cannot open ") + name + " (" + reason + ")");
}

// Opens an input file without creating it. Only a regular file is read: a folder would read as
// an empty file, and a pipe or a device can keep the engine waiting for ever.
std::ifstream openInput(const char* name) {
    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) cannotOpen(name, std::strerror(errno));
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    const int error = errno;
    ::close(fd);
    if (!known) cannotOpen(name, std::strerror(error));
    if (S_ISDIR(st.st_mode)) cannotOpen(name, std::strerror(EISDIR));
    if (!S_ISREG(st.st_mode)) cannotOpen(name, "not a regular file");
    std::ifstream in(name, std::ios::binary);
    if (!in) cannotOpen(name, std::strerror(errno));
    return in;
}

// Line lineNo of an input file. A line ends in LF or CR LF; a carriage return anywhere else
// (lines ended by CR alone) is refused rather than read as part of the line.
bool readLine(std::istream& in, std::string& line, const char* file, int lineNo) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('\r') != std::string::npos) {
        inputError(fileLine(file, lineNo) +
                   "a carriage return inside the line; lines end in CR LF or LF: " + quoted(line));
    }
    return true;
}

// The one integer of a line that holds nothing else but blanks.
std::optional<int> aloneOnLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == line.npos) return std::nullopt;
    const std::string_view text = line.substr(first, line.find_last_not_of(" \t") - first + 1);
    if (text.find_first_of(" \t,/") != text.npos) return std::nullopt;
    return records::ReadFreeInteger(text);
}

// "2 (Akima), 3 (shape-preserving) or 9 (smoothing spline)".
std::string secondRecordMethodList() {
    std::string list;
    const std::size_t count = std::size(kSecondRecordMethods);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) list += i + 1 == count ? " or " : ", ";
        list += std::to_string(kSecondRecordMethods[i].number) + " (" +
                kSecondRecordMethods[i].name + ")";
    }
    return list;
}

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == line.npos; }

void readPoints(Run& run) {
    std::ifstream in = openInput(kPointFile);
    std::string line;
    if (!readLine(in, line, kPointFile, 1))
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
    if (*count > kMaxPoints) {
        inputError(fileLine(kPointFile, 1) + "NDATA = " + std::to_string(*count) +
                   " exceeds the limit of " + std::to_string(kMaxPoints) + " data points");
    }
    run.NDATA = *count;
    for (int i = 1; i <= run.NDATA; ++i) {
        int lineNo = i + 1;
        if (!readLine(in, line, kPointFile, lineNo)) {
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
    if (!readLine(in, line, kMethodFile, 1))
        inputError(fileLine(kMethodFile, 1) + "the file is empty; the method flag is missing");
    std::optional<int> flag = aloneOnLine(line);
    if (!flag) {
        inputError(fileLine(kMethodFile, 1) +
                   "the method flag must be one integer alone on the line: " + quoted(line));
    }
    run.IFLAG = *flag;

    int lineNo = 1;
    do {
        if (!readLine(in, line, kMethodFile, ++lineNo)) return;
    } while (isBlankLine(line));
    const std::string where = fileLine(kMethodFile, lineNo);
    if (run.IFLAG == contract::kCubicSplineFlag)
        inputError(where +
                   "method flag 0, the cubic spline, takes no method number, but the file "
                   "goes on with " +
                   quoted(line));
    std::optional<int> method = aloneOnLine(line);
    if (!method) {
        inputError(where +
                   "the method number must be one integer alone on the line: " + quoted(line));
    }
    const bool accepted =
        std::any_of(std::begin(kSecondRecordMethods), std::end(kSecondRecordMethods),
                    [&](const NamedMethod& m) { return m.number == *method; });
    if (!accepted) {
        inputError(where + "the method number must be " + secondRecordMethodList() +
                   ", but it is " + std::to_string(*method));
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

// The step between a table's abscissas as a fraction of the interval, in single precision.
constexpr float kRowStep = 1.0f / kRowsPerInterval;

// kRowsPerInterval abscissas in every interval between consecutive points, in file order.
void fillAbscissas(Run& run) {
    run.NOUT = 1;
    for (int i = 1; i <= run.NDATA - 1; ++i) {
        for (int j = 1; j <= kRowsPerInterval; ++j) {
            // Difference, times J, times the single-precision step, plus the
            // left end, in double, rounded once on storing.
            double left = run.XDATA[i - 1];
            double width = static_cast<double>(run.XDATA[i]) - left;
            run.XOUT[run.NOUT - 1] =
                static_cast<float>(left + (width * j) * static_cast<double>(kRowStep));
            ++run.NOUT;
        }
    }
}

// One library call for the run's method at n abscissas: CSIEZ, SPLEZ, or CSMEZ for the monotone
// cubic.
void evaluateWithLibrary(const Run& run, int n, float* xs, float* values) {
    const int ider = 0;
    if (run.IFLAG == contract::kCubicSplineFlag) {
        CSIEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), n, xs, values);
    } else if (run.ITYPE == kMonotoneMethod) {
        CSMEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), n, xs, values);
    } else {
        SPLEZ(run.NDATA, run.XDATA.data(), run.FDATA.data(), run.ITYPE, ider, n, xs, values);
    }
}

// The cubic spline and the least-squares B-spline: one library call for one abscissa, which
// rebuilds the spline from all points.
float valueAt(const Run& run, float x) {
    float XVEC = x;
    float VALUE = 0.0f;
    evaluateWithLibrary(run, 1, &XVEC, &VALUE);
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
    evaluateWithLibrary(run, static_cast<int>(xs.size()), xs.data(), values.data());
    for (int r = 0; r < rows; ++r) {
        const auto at = std::lower_bound(xs.begin(), xs.end(), run.XOUT[r]) - xs.begin();
        run.FOUT[r] = values[at];
    }
}

// The statistics of the smoothing spline's fit, which C2SCV leaves in the first seven entries
// of its workspace: the same data give the same fit as the one SPLEZ evaluated. The values go in
// scaled by a power of two to a largest |Y| below 1, exactly, so that the squared statistics
// stay within single precision; they are scaled back in double.
void smoothingStatistics(Run& run) {
    const int n = run.NDATA, equalSpacing = 0;
    std::vector<float> values(n), breaks(n), coefficients(4 * n), wk(9 * n + 15);
    std::vector<int> iwk(n);
    float largest = 0.0f;
    for (int i = 0; i < n; ++i) largest = std::max(largest, std::fabs(run.FDATA[i]));
    int exponent = 0;
    std::frexp(largest, &exponent);
    for (int i = 0; i < n; ++i) values[i] = std::ldexp(run.FDATA[i], -exponent);
    C2SCV(n, run.XDATA.data(), values.data(), equalSpacing, breaks.data(), coefficients.data(),
          wk.data(), iwk.data());
    // STAT(1) is p = rho/(1+rho), STAT(3) the score, STAT(6) the variance of the noise.
    run.smoothing.p = wk[0];
    run.smoothing.score = std::ldexp(double(wk[2]), 2 * exponent);
    run.smoothing.variance = std::ldexp(double(wk[5]), 2 * exponent);
}

void evaluate(Run& run) {
    fillAbscissas(run);
    const int rows = run.NOUT - 1;
    // Fewer than two points give no row; the library's own check of the count refuses them.
    if (rows == 0) valueAt(run, 0.0f);
    const bool once = run.ITYPE != kLeastSquaresBSpline;
    if (once && rows > 0) evaluateInOneCall(run, rows);
    for (int r = 1; r <= rows; ++r) {
        const float x = run.XOUT[r - 1];
        if (!once) run.FOUT[r - 1] = valueAt(run, x);
        if (!std::isfinite(x) || !std::isfinite(run.FOUT[r - 1])) notFinite(r, x, run.FOUT[r - 1]);
    }
    if (run.ITYPE == kSmoothingMethod && rows > 0) smoothingStatistics(run);
}

SyncCall tableSync = ::fsync;

// A failure to write the table is the engine's own; the report names the file and the
// system's reason. Only a scratch file this run created is removed.
[[noreturn]] void writeError(const std::string& what, int error, const char* scratch) {
    if (scratch) ::unlink(scratch);
    stopWithReport("WRITE ERROR", "cannot " + what + " " + kTableFile + " (" +
                                      std::strerror(error) + "); " + kTableFile +
                                      " is left as it was");
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The permissions a new file gets: 0666 less the process's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The table goes to a scratch file first and replaces F2B.dat only when its
// last record is written and on the disk, so a reader never sees half a table.
void writeTable(const Run& run) {
    // The records are assembled in memory and written in one piece.
    std::string text = records::WriteI(run.NOUT - 1, 6) + "\r\n";
    text.reserve(text.size() + static_cast<std::size_t>(run.NOUT - 1) * 28);
    for (int r = 0; r < run.NOUT - 1; ++r) {
        records::AppendE(text, run.XOUT[r], 13, 6);
        records::AppendE(text, run.FOUT[r], 13, 6);
        text += "\r\n";
    }
    // A new file of a fresh name beside the table (mkstemp opens with O_EXCL), so a link or a
    // file planted under a known name is never written through. The name is short whatever the
    // table's.
    std::string scratch = std::string(".") + kTableFile + ".XXXXXX";
    const int fd = ::mkstemp(scratch.data());
    if (fd < 0) writeError("create a scratch file for", errno, nullptr);
    // A full disk may show only when the data reach it: every step is checked.
    const bool written =
        ::fchmod(fd, newFileMode()) == 0 && writeAll(fd, text) && tableSync(fd) == 0;
    int error = written ? 0 : errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) writeError("write", error, scratch.c_str());
    if (std::rename(scratch.c_str(), kTableFile) != 0)
        writeError("replace", errno, scratch.c_str());
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
    const auto line = [](const char* label, double value) {
        std::string text = "   ";
        text += label;
        text.resize(27, ' ');
        return text + " =" + records::WriteWideE(value, 13, 6) + "\n";
    };
    console() << "\n"
              << line("Smoothing parameter p", run.smoothing.p)
              << line("Cross-validation score", run.smoothing.score)
              << line("Noise standard deviation", std::sqrt(run.smoothing.variance));
}

}  // namespace

SyncCall SetTableSync(SyncCall sync) {
    const SyncCall previous = tableSync;
    tableSync = sync;
    return previous;
}

int RunEngine(std::istream& keyboard) {
    // A file-size limit fails the table's write with EFBIG, reported like any write error,
    // instead of killing the engine with the scratch file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
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
    if (run.ITYPE == kSmoothingMethod && run.NOUT > 1) echoSmoothingStatistics(run);
    out << "\n   ---    Finished    ---\n\n   --- Push Enter key ---\n";
    out.flush();
    std::string answer;
    std::getline(keyboard, answer);  // end of input counts as Enter
    out << "Stop - Program terminated.\n";
    out.flush();
    return 0;
}
