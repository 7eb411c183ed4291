// Fitcore run end to end in a temporary working directory.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "engine_main.h"
#include "fitlib.h"
#include "records.h"
#include "report_text.h"
#include "run_program.h"

namespace {

using Lines = std::vector<std::string>;

// A B2F.dat record as the windowed program writes it: sign and magnitude in
// the pattern 0.00000E+00, 12 columns for X and 13 for Y.
std::string field(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.5E", std::fabs(v));
    return std::string(v > 0 ? "+" : "-") + buf;
}

std::string pointFile(const std::vector<double>& x, const std::vector<double>& y) {
    std::string s(1, ' ');
    s.append(std::to_string(x.size())).append(" \r\n");
    for (std::size_t i = 0; i < x.size(); ++i)
        s.append(field(x[i])).append(" ").append(field(y[i])).append("\r\n");
    return s;
}

Lines splitLines(const std::string& text, const std::string& end) {
    Lines lines;
    std::size_t pos = 0;
    for (std::size_t next; (next = text.find(end, pos)) != std::string::npos;
         pos = next + end.size()) {
        lines.push_back(text.substr(pos, next - pos));
    }
    if (pos < text.size()) lines.push_back(text.substr(pos) + "<no line end>");
    return lines;
}

// The folder after a run that left no scratch file behind.
const Lines kExchangeFiles = {"B2F.dat", "Bor3.dat", "F2B.dat"};

struct Table {
    int count = -1;
    std::vector<float> x, y;
};

// Parses F2B.dat strictly: CR LF after every line, 26-column rows.
Table parseTable(const std::string& bytes) {
    Table t;
    Lines lines = splitLines(bytes, "\r\n");
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) return t;
    EXPECT_EQ(lines[0].size(), 6u);
    t.count = *records::ReadFreeInteger(lines[0]);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 26u) << "row " << i;
        t.x.push_back(*records::ReadEField(lines[i].substr(0, 13), 6));
        t.y.push_back(*records::ReadEField(lines[i].substr(13, 13), 6));
    }
    return t;
}

class EngineRun : public ::testing::Test {
protected:
    ProgramResult run(const std::string& input = "\n") {
        return RunProgram(FITCORE_EXE, dir.path(), input);
    }
    TempDir dir;
};

TEST_F(EngineRun, TwoPointsGiveTheStraightLineTable) {
    dir.write("B2F.dat", pointFile({0, 1}, {0, 1}));
    dir.write("Bor3.dat", "00\r\n");
    ProgramResult r = run();
    EXPECT_EQ(r.status, 0) << r.output;

    std::string bytes = dir.read("F2B.dat");
    Lines rows = splitLines(bytes, "\r\n");
    ASSERT_EQ(rows.size(), 101u);
    EXPECT_EQ(rows[0], "   100");
    EXPECT_EQ(rows[1], "  .100000E-01  .100000E-01");
    EXPECT_EQ(rows[50], "  .500000E+00  .500000E+00");
    EXPECT_EQ(rows[100], "  .100000E+01  .100000E+01");
    EXPECT_EQ(dir.names(), kExchangeFiles);

    Lines console = splitLines(r.output, "\n");
    Lines head = {"", "   ---  Spline Interpolation  ---", "   ---   Calculation start    ---",
                  "", "  .00000E+00   .00000E+00",         "  .10000E+01   .10000E+01",
                  "", "  .100000E-01    .100000E-01"};
    ASSERT_EQ(console.size(), head.size() + 99 + 5);
    EXPECT_EQ(Lines(console.begin(), console.begin() + head.size()), head);
    EXPECT_EQ(console[head.size() + 98], "  .100000E+01    .100000E+01");
    Lines tail = {"", "   ---    Finished    ---", "", "   --- Push Enter key ---",
                  "Stop - Program terminated."};
    EXPECT_EQ(Lines(console.end() - 5, console.end()), tail);
}

TEST_F(EngineRun, TableHasOneHundredRowsPerIntervalOnTheSplineOfTheData) {
    // A cubic is reproduced by the not-a-knot spline, so every row is known.
    auto f = [](double x) { return 0.5 * x * x * x - 2 * x * x + x + 3; };
    for (int n : {10, 100}) {
        std::vector<double> x, y;
        for (int i = 0; i < n; ++i) {
            x.push_back(-2.0 + 0.05 * i + 0.001 * i * i);
            y.push_back(f(x.back()));
        }
        dir.write("B2F.dat", pointFile(x, y));
        dir.write("Bor3.dat", "00\r\n");
        ProgramResult r = run();
        ASSERT_EQ(r.status, 0) << r.output;
        Table t = parseTable(dir.read("F2B.dat"));
        EXPECT_EQ(t.count, 100 * (n - 1));
        ASSERT_EQ(static_cast<int>(t.x.size()), 100 * (n - 1));
        float xs[100];
        for (int i = 0; i < n; ++i) xs[i] = *records::ReadEField(field(x[i]), 5);
        for (int i = 0; i < n - 1; ++i) {
            for (int j = 1; j <= 100; ++j) {
                int row = i * 100 + j - 1;
                float expectX =
                    static_cast<float>(xs[i] + ((static_cast<double>(xs[i + 1]) - xs[i]) * j) *
                                                   static_cast<double>(0.01f));
                // The table holds six significant digits.
                ASSERT_NEAR(t.x[row], expectX, 5e-6 * std::fabs(expectX)) << row;
                ASSERT_NEAR(t.y[row], f(t.x[row]), 2e-5 * (1 + std::fabs(f(t.x[row])))) << row;
            }
        }
        EXPECT_EQ(t.x.back(),
                  *records::ReadEField(records::WriteE(xs[n - 1], 13, 6), 6));  // the right end
    }
}

TEST_F(EngineRun, DescendingDataGiveDescendingAbscissasAndTheSameCurve) {
    std::vector<double> x = {3, 2, 1.5, 0.5, 0}, y;
    for (double v : x) y.push_back(std::sin(v));
    dir.write("B2F.dat", pointFile(x, y));
    dir.write("Bor3.dat", "00\r\n");
    ASSERT_EQ(run().status, 0);
    Table down = parseTable(dir.read("F2B.dat"));
    for (std::size_t i = 1; i < down.x.size(); ++i) EXPECT_LT(down.x[i], down.x[i - 1]) << i;

    std::vector<double> xr(x.rbegin(), x.rend()), yr(y.rbegin(), y.rend());
    dir.write("B2F.dat", pointFile(xr, yr));
    ASSERT_EQ(run().status, 0);
    Table up = parseTable(dir.read("F2B.dat"));
    // Abscissa 0.75 lies in both tables: the values must agree.
    auto valueAt = [](const Table& t, float x) {
        for (std::size_t i = 0; i < t.x.size(); ++i) {
            if (std::fabs(t.x[i] - x) < 1e-6f) return t.y[i];
        }
        return NAN;
    };
    for (float probe : {0.75f, 1.0f, 2.5f})
        EXPECT_NEAR(valueAt(down, probe), valueAt(up, probe), 2e-6) << probe;
}

TEST_F(EngineRun, EqualAbscissasStopWithTheLibraryReportAndLeaveTheOldTable) {
    dir.write("B2F.dat", pointFile({0, 1, 1, 2}, {0, 1, 2, 3}));
    dir.write("Bor3.dat", "00\r\n");
    dir.write("F2B.dat", "old table\r\n");
    ProgramResult r = run("");
    EXPECT_EQ(r.status, 1);
    Lines console = splitLines(r.output, "\n");
    Lines report = EqualAbscissaReport("XDATA(2) = XDATA(3)");
    ASSERT_EQ(console.size(), 8 + report.size());
    EXPECT_EQ(Lines(console.begin() + 8, console.end()), report);
    EXPECT_EQ(dir.read("F2B.dat"), "old table\r\n");
    EXPECT_EQ(dir.names(), kExchangeFiles);
}

TEST_F(EngineRun, DataThatOverflowInsideTheSplineStopWithoutATable) {
    // Every value finite in single precision, yet the spline's arithmetic overflows: values at
    // both ends of the range, or abscissas closer than the smallest normal number.
    struct Case {
        std::vector<double> x, y;
        const char* flag;
        const char* row;
    } cases[] = {
        {{1, 2}, {3.40282e38, -3.40282e38}, "00", "row 1 "},
        {{1, 2, 3, 4}, {3.40282e38, -3.40282e38, 3.40282e38, -3.40282e38}, "01", "row "},
        {{0, 1e-40}, {0, 1}, "00", "row 1 "},
        {{0, 1e-40, 2e-40, 3e-40}, {0, 1, 0, 1}, "01", "row "},
    };
    for (const Case& c : cases) {
        TempDir d;
        d.write("B2F.dat", pointFile(c.x, c.y));
        d.write("Bor3.dat", std::string(c.flag) + "\r\n");
        d.write("F2B.dat", "old table\r\n");
        ProgramResult r = RunProgram(FITCORE_EXE, d.path(), "\n");
        EXPECT_EQ(r.status, 1) << r.output;
        const std::string report = std::string(" *** CALCULATION ERROR from Fitcore.  ") + c.row;
        EXPECT_NE(r.output.find(report), std::string::npos) << r.output;
        EXPECT_NE(r.output.find("F2B.dat is not written\nStop - Program terminated.\n"),
                  std::string::npos)
            << r.output;
        EXPECT_EQ(r.output.find("Finished"), std::string::npos);
        EXPECT_EQ(d.read("F2B.dat"), "old table\r\n");
        EXPECT_EQ(d.names(), kExchangeFiles);
    }
}

TEST_F(EngineRun, AnInputErrorQuotesOnlyAShortVisiblePrefixOfTheLine) {
    const std::string hostile = "\x1b[2J\x1b]0;title\x07" + std::string(1, '\0') + "\\" +
                                std::string(10 * 1000 * 1000, 'A');
    dir.write("B2F.dat", hostile + "\r\n");
    dir.write("Bor3.dat", "00\r\n");
    ProgramResult r = run("");
    EXPECT_EQ(r.status, 1);
    const std::string shown = "\"\\x1B[2J\\x1B]0;title\\x07\\x00\\\\" + std::string(24, 'A') +
                              "\" (first 40 of " + std::to_string(hostile.size()) + " characters)";
    EXPECT_NE(r.output.find("the number of data points is not an integer: " + shown),
              std::string::npos)
        << r.output.substr(0, 400);
    EXPECT_LT(r.output.size(), 1000u);
    for (char c : r.output) EXPECT_TRUE(c == '\n' || (c >= 0x20 && c < 0x7f)) << int(c);
}

TEST_F(EngineRun, BadInputFilesStopWithAnInputErrorAndNoTable) {
    // An input file holds the given bytes, or is missing, a folder or a pipe nobody writes to.
    const std::string kMissing = "(missing)", kFolder = "(folder)", kPipe = "(pipe)",
                      kTwo = pointFile({0, 1}, {0, 1});
    const auto put = [&](const TempDir& d, const char* name, const std::string& bytes) {
        if (bytes == kFolder) {
            std::filesystem::create_directory(d / name);
        } else if (bytes == kPipe) {
            mkfifo((d / name).c_str(), 0600);
        } else if (bytes != kMissing) {
            d.write(name, bytes);
        }
    };
    struct Case {
        std::string b2f, bor3;
        const char* message;
    } cases[] = {
        {kMissing, "00\r\n", "cannot open B2F.dat"},
        {kTwo, kMissing, "cannot open Bor3.dat"},
        {" 101 \r\n", "00\r\n",
         "B2F.dat, line 1: NDATA = 101 exceeds the limit of 100 data points"},
        {" -2 \r\n", "00\r\n",
         "B2F.dat, line 1: the number of data points must not be negative, but NDATA = -2"},
        {"two\r\n", "00\r\n", "B2F.dat, line 1: the number of data points is not an integer"},
        {" 3 \r\n+0.00000E+00 +0.00000E+00\r\n", "00\r\n",
         "B2F.dat, line 3: end of file while reading data point 2 of 3"},
        {" 2 \r\n+0.00000E+00 +0.00000E+00\r\nabc\r\n", "00\r\n",
         "B2F.dat, line 3: the record \"abc\" cannot be read as two numbers"},
        {kTwo, "x\r\n",
         "Bor3.dat, line 1: the method flag must be one integer alone on the line: \"x\""},
        {kFolder, "00\r\n", "cannot open B2F.dat (Is a directory)"},
        {kTwo, kFolder, "cannot open Bor3.dat (Is a directory)"},
        {kTwo, kPipe, "cannot open Bor3.dat (not a regular file)"},
        {" 1 \r+1.00000E+00 +2.00000E+00\r", "00\r\n",
         "B2F.dat, line 1: a carriage return inside the line; lines end in CR LF or LF: \" 1 "
         "\\x0D+1.00000E+00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        TempDir d;
        put(d, "B2F.dat", c.b2f);
        put(d, "Bor3.dat", c.bor3);
        bool hadPoints = d.exists("B2F.dat"), hadMethod = d.exists("Bor3.dat");
        ProgramResult r = RunProgram(FITCORE_EXE, d.path(), "");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.output.find(std::string(" *** INPUT ERROR from Fitcore.  ") + c.message),
                  std::string::npos)
            << r.output;
        EXPECT_NE(r.output.find("Stop - Program terminated.\n"), std::string::npos);
        EXPECT_FALSE(d.exists("F2B.dat"));
        EXPECT_EQ(d.exists("B2F.dat"), hadPoints);  // never created by the engine
        EXPECT_EQ(d.exists("Bor3.dat"), hadMethod);
    }
}

}  // namespace

namespace {

TEST(EngineMethodFlag, AnyFlagButZeroGivesTheLeastSquaresBSplineTable) {
    // The six points of the worked least-squares example: its fitted values
    // at x = 2, 3.5 and 6 are known to single precision.
    for (const char* flag : {"01", "02", "-1"}) {
        TempDir d;
        d.write("B2F.dat", pointFile({1, 2, 3, 4, 5, 6}, {1, 3, 2, 5, 4, 6}));
        d.write("Bor3.dat", std::string(flag) + "\r\n");
        ProgramResult r = RunProgram(FITCORE_EXE, d.path(), "\n");
        ASSERT_EQ(r.status, 0) << flag << r.output;
        Lines rows = splitLines(d.read("F2B.dat"), "\r\n");
        ASSERT_EQ(rows.size(), 501u) << flag;
        EXPECT_EQ(rows[0], "   500");
        EXPECT_EQ(rows[100], "  .200000E+01  .263370E+01") << flag;
        EXPECT_EQ(rows[250], "  .350000E+01  .329567E+01") << flag;
        EXPECT_EQ(rows[500], "  .600000E+01  .581685E+01") << flag;
    }
}

TEST(EngineMethodFlag, TooFewPointsForTheFitStopWithTheLibraryReport) {
    TempDir d;
    d.write("B2F.dat", pointFile({0, 1, 2}, {0, 1, 0}));
    d.write("Bor3.dat", "01\r\n");
    ProgramResult r = RunProgram(FITCORE_EXE, d.path(), "");
    EXPECT_EQ(r.status, 1);
    Lines console = splitLines(r.output, "\n");
    Lines report = {"", " *** TERMINAL ERROR 7 from SPLEZ.  The number of data points must be 4 or",
                    " ***          more, but NDATA = 3.", "Stop - Program terminated."};
    ASSERT_GE(console.size(), report.size());
    EXPECT_EQ(Lines(console.end() - 4, console.end()), report);
    EXPECT_FALSE(d.exists("F2B.dat"));
}

}  // namespace

namespace {

// The library methods that a second record of Bor3.dat names.

// F2B.dat for the points as the engine reads them, computed with one library call per row
// (CSIEZ for method 0, CSMEZ for 20, else SPLEZ of that number): the table the engine's single call
// over all rows must give to the last digit.
Lines rowByRowTable(const std::vector<double>& x, const std::vector<double>& y, int method) {
    const int n = static_cast<int>(x.size()), one = 1, ider = 0;
    std::vector<float> xs, ys;
    for (int i = 0; i < n; ++i) {
        xs.push_back(*records::ReadEField(field(x[i]), 5));
        ys.push_back(*records::ReadEField(field(y[i]), 5));
    }
    Lines rows = {records::WriteI(100 * (n - 1), 6)};
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = 1; j <= 100; ++j) {
            const double width = static_cast<double>(xs[i + 1]) - xs[i];
            float at = static_cast<float>(xs[i] + (width * j) * static_cast<double>(0.01f));
            float value = 0.0f;
            if (method == 0)
                CSIEZ(n, xs.data(), ys.data(), one, &at, &value);
            else if (method == 20)
                CSMEZ(n, xs.data(), ys.data(), one, &at, &value);
            else
                SPLEZ(n, xs.data(), ys.data(), method, ider, one, &at, &value);
            rows.push_back(records::WriteE(at, 13, 6) + records::WriteE(value, 13, 6));
        }
    }
    return rows;
}

// Fitcore on the points with the given Bor3.dat, in a directory of its own.
struct MethodRun {
    ProgramResult result;
    std::string table;  // F2B.dat, "(none)" when it was not written
};
MethodRun runMethod(const std::vector<double>& x, const std::vector<double>& y,
                    const std::string& bor3) {
    TempDir d;
    d.write("B2F.dat", pointFile(x, y));
    d.write("Bor3.dat", bor3);
    MethodRun run{RunProgram(FITCORE_EXE, d.path(), "\n"), "(none)"};
    if (d.exists("F2B.dat")) run.table = d.read("F2B.dat");
    return run;
}

std::string methodFile(int method) {
    return (method < 10 ? "01\r\n0" : "01\r\n") + std::to_string(method) + "\r\n";
}

// The pH of 25 mL of 0.1 M acetic acid titrated with 0.1 M sodium hydroxide: a sharp step.
const std::vector<double> kStepX = {0, 5, 10, 15, 20, 22, 24, 24.5, 25, 25.5, 26, 28, 30, 35, 40};
const std::vector<double> kStepY = {2.88, 4.16, 4.58,  4.94,  5.36,  5.63,  6.14, 6.45,
                                    8.73, 11.0, 11.29, 11.75, 11.96, 12.22, 12.36};

TEST(EngineMethodRecords, TheSecondRecordNamesTheMethodOrIsRefused) {
    const std::vector<double> x = {1, 2, 3, 4, 5, 6}, y = {1, 3, 2, 5, 4, 6};
    struct Case {
        std::string bor3;
        int method;           // the table's method (0 the cubic spline), or -1: refused
        std::string message;  // the input error when refused
    };
    std::vector<Case> cases = {
        {"01\r\n", 12, ""},
        {"01\r\n\r\n  \r\n", 12, ""},
        {"00\r\n\r\n", 0, ""},
        {"01\r\n02\r\n", 2, ""},
        {"01\r\n03", 3, ""},
        {"-1\r\n\r\n 9 \r\n12\r\n", 9, ""},
        {"01\r\n20\r\n", 20, ""},
        {"01\r\n\r\n1\r\n", -1, "Bor3.dat, line 3: the method number must be 2"},
        {"01\r\nAkima\r\n", -1,
         "Bor3.dat, line 2: the method number must be one integer alone on the line: \"Akima\""},
        {"00\r\n02\r\n", -1,
         "Bor3.dat, line 2: method flag 0, the cubic spline, takes no method number, but the file "
         "goes on with \"02\""},
        {"01 09\r\n", -1,
         "Bor3.dat, line 1: the method flag must be one integer alone on the line: \"01 09\""},
        {"01\r\n09,2\r\n", -1, "Bor3.dat, line 2: the method number must be one integer alone"},
        {"01\r09\r", -1,
         "Bor3.dat, line 1: a carriage return inside the line; lines end in CR LF or LF: "
         "\"01\\x0D09\""},
        {"01\r\n09\r\r\n", -1, "Bor3.dat, line 2: a carriage return inside the line"},
    };
    // Every other number near the accepted ones is refused, the library methods it would reach
    // (12 the least-squares B-spline) included.
    for (int number : {-1, 0, 1, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15}) {
        cases.push_back({"01\r\n" + std::to_string(number) + "\r\n", -1,
                         "Bor3.dat, line 2: the method number must be 2 (Akima), 3 "
                         "(shape-preserving), 9 (smoothing spline) or 20 (monotone), but it is " +
                             std::to_string(number)});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bor3);
        const MethodRun run = runMethod(x, y, c.bor3);
        if (c.method < 0) {
            EXPECT_EQ(run.result.status, 1);
            EXPECT_NE(run.result.output.find("\n *** INPUT ERROR from Fitcore.  " + c.message),
                      std::string::npos)
                << run.result.output;
            EXPECT_EQ(run.table, "(none)");
        } else {
            EXPECT_EQ(run.result.status, 0) << run.result.output;
            EXPECT_EQ(splitLines(run.table, "\r\n"), rowByRowTable(x, y, c.method));
            EXPECT_EQ(run.result.output.find("Cross-validation") != std::string::npos,
                      c.method == 9);
        }
    }
}

TEST(EngineLibraryMethods, OneCallGivesTheTableOfOneCallPerRow) {
    struct Data {
        const char* name;
        std::vector<double> x, y;
        bool repeats;  // the table holds some abscissa twice
    } sets[] = {
        {"worked example", {1, 2, 3, 4, 5, 6}, {1, 3, 2, 5, 4, 6}, false},
        {"step", kStepX, kStepY, false},
        {"out of order", {0, 2, 1, 3, 2.5}, {0, 1, 0.5, -1, 2}, true},
        // 1000 apart where single precision steps by 1024.
        {"closer than single precision", {8.6e9, 8.6001e9, 8.6002e9, 8.6003e9}, {0, 1, 0, 2}, true},
    };
    for (const Data& d : sets) {
        for (int method : {2, 3, 9, 20}) {
            SCOPED_TRACE(std::string(d.name) + ", method " + std::to_string(method));
            const MethodRun run = runMethod(d.x, d.y, methodFile(method));
            ASSERT_EQ(run.result.status, 0) << run.result.output;
            const Lines rows = splitLines(run.table, "\r\n");
            EXPECT_EQ(rows, rowByRowTable(d.x, d.y, method));
            std::vector<std::string> abscissas;
            for (std::size_t r = 1; r < rows.size(); ++r)
                abscissas.push_back(rows[r].substr(0, 13));
            std::sort(abscissas.begin(), abscissas.end());
            EXPECT_EQ(std::adjacent_find(abscissas.begin(), abscissas.end()) != abscissas.end(),
                      d.repeats);
        }
    }
}

TEST(EngineLibraryMethods, CurvesKeepToTheirData) {
    // y = 1/x^2 over four decades sent as natural logarithms: ln y = -2 ln x, a straight line
    // in the axes' space, which every method gives back.
    std::vector<double> lnX, lnY;
    for (int k = 0; k <= 11; ++k) {
        lnX.push_back(-4.6 + 0.8 * k + 0.05 * (k % 3));
        lnY.push_back(-2 * lnX.back());
    }
    for (int method : {2, 3, 9, 20}) {
        SCOPED_TRACE(method);
        const Table t = parseTable(runMethod(lnX, lnY, methodFile(method)).table);
        ASSERT_EQ(t.count, 1100);
        for (int r = 0; r < t.count; ++r)
            ASSERT_NEAR(t.y[r], -2.0 * t.x[r], 1e-5 * (1 + std::fabs(t.y[r]))) << r;
    }

    // Across the step, Akima's curve, the shape-preserving one and the monotone one stay within
    // the data's range, where the cubic spline through the points overshoots.
    const auto [low, high] = std::minmax_element(kStepY.begin(), kStepY.end());
    for (const std::string bor3 : {"00\r\n", "01\r\n02\r\n", "01\r\n03\r\n", "01\r\n20\r\n"}) {
        const Table t = parseTable(runMethod(kStepX, kStepY, bor3).table);
        ASSERT_EQ(t.count, 1400);
        const auto [least, most] = std::minmax_element(t.y.begin(), t.y.end());
        const bool within = *least >= *low && *most <= *high;
        const bool cubicSpline = bor3 == "00\r\n";
        EXPECT_EQ(within, !cubicSpline) << bor3 << *least << " " << *most;
    }

    // Akima's slopes are 0 at the three points of a flat stretch: the curve is 0 up to x = 2.
    const Table flat = parseTable(runMethod({0, 1, 2, 3, 4}, {0, 0, 0, 1, 1}, methodFile(2)).table);
    ASSERT_EQ(flat.count, 400);
    for (int r = 0; r < 200; ++r) EXPECT_EQ(flat.y[r], 0.0f) << r;
}

// 80 points of a sine with uniform noise of standard deviation sigma (a fixed sequence).
void noisySine(double sigma, std::vector<double>& x, std::vector<double>& y) {
    unsigned state = 12345;
    for (int i = 0; i < 80; ++i) {
        state = state * 1103515245u + 12345u;
        const double unit = (state >> 8) / double(1 << 24);
        x.push_back(0.1 * i);
        y.push_back(std::sin(x.back()) + sigma * std::sqrt(3.0) * (2 * unit - 1));
    }
}

// The smoothing spline's table, and the console's last lines with the statistics between the
// table and "Finished": p, the cross-validation score and the noise, each a label, " =" and the
// value in 13 columns.
struct Smoothed {
    Table table;
    double stat[3] = {};
};
Smoothed smooth(const std::vector<double>& x, const std::vector<double>& y) {
    const MethodRun run = runMethod(x, y, methodFile(9));
    EXPECT_EQ(run.result.status, 0) << run.result.output;
    Smoothed s{parseTable(run.table)};
    Lines tail = splitLines(run.result.output, "\n");
    tail.erase(tail.begin(), tail.end() - std::min<std::size_t>(tail.size(), 9));
    tail.resize(6);
    Lines expected = {
        "", "   Smoothing parameter p", "   Cross-validation score", "   Noise standard deviation",
        "", "   ---    Finished    ---"};
    for (std::size_t k = 1; k <= 3; ++k) {
        const std::string value = tail[k].substr(std::min<std::size_t>(tail[k].size(), 29));
        EXPECT_EQ(value.size(), 13u) << tail[k];
        expected[k].resize(27, ' ');
        expected[k] += " =" + value;
        s.stat[k - 1] = std::strtod(value.c_str(), nullptr);
    }
    EXPECT_EQ(tail, expected);
    return s;
}

TEST(EngineLibraryMethods, SmoothingSplineStatisticsFollowTheTableInAnyUnits) {
    // The same data in other units of X or Y give the same p, the same curve, and statistics in
    // the new units, finite, over the whole range single precision has.
    struct Data {
        const char* name;
        std::vector<double> x, y;
        double sigma;  // the noise's standard deviation, 0 when not known
    };
    std::vector<Data> sets = {
        {"noisy example",
         {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6, 6.5, 7, 7.5, 8, 8.5, 9, 9.5, 10},
         {2.216, 2.494, 2.076, 2.796, 3.222, 3.419, 3.273, 3.543, 3.986, 3.784, 4.198,
          3.968, 4.522, 4.300, 4.752, 5.157, 5.234, 5.228, 4.534, 5.135, 4.851},
         0},
        {"noisy sine", {}, {}, 0.05},
    };
    noisySine(sets[1].sigma, sets[1].x, sets[1].y);
    for (const Data& d : sets) {
        SCOPED_TRACE(d.name);
        const Smoothed base = smooth(d.x, d.y);
        const auto [p, score, noise] = base.stat;
        EXPECT_GT(p, 0.0);
        EXPECT_LT(p, 1.0);
        if (d.sigma > 0) {
            EXPECT_NEAR(noise, d.sigma, 0.2 * d.sigma);
        }

        // The score is n RSS / tr(I - A)^2 and the noise variance RSS / tr(I - A), so the
        // residual sum of squares is n noise^4 / score. The table's rows at the data points hold
        // every residual but the first point's, which is at most a few noise deviations.
        const int n = static_cast<int>(d.x.size());
        double rss = 0;
        for (int i = 1; i < n; ++i) rss += std::pow(d.y[i] - base.table.y[100 * i - 1], 2);
        const double implied = n * std::pow(noise, 4) / score;
        EXPECT_GE(implied, rss * (1 - 1e-4));
        EXPECT_LE(implied, rss + 9 * noise * noise);

        const auto [low, high] = std::minmax_element(d.y.begin(), d.y.end());
        for (int exponent = -30; exponent <= 30; exponent += 5) {
            for (const bool onY : {true, false}) {
                const double unit = std::pow(10.0, exponent), yUnit = onY ? unit : 1.0;
                SCOPED_TRACE((onY ? "Y in 1e" : "X in 1e") + std::to_string(exponent));
                std::vector<double> x = d.x, y = d.y;
                for (double& v : onY ? y : x) v *= unit;
                const Smoothed s = smooth(x, y);
                const double units[3] = {1, yUnit * yUnit, yUnit},
                             within[3] = {2e-3, 1e-3 * score, 2e-3 * noise};
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(s.stat[k] / units[k], base.stat[k], within[k]) << k;
                ASSERT_EQ(s.table.y.size(), base.table.y.size());
                double apart = 0;
                for (std::size_t r = 0; r < s.table.y.size(); ++r)
                    apart = std::max(apart, std::fabs(s.table.y[r] / yUnit - base.table.y[r]));
                EXPECT_LE(apart, 2e-3 * (*high - *low));
            }
        }
    }
}

TEST(EngineLibraryMethods, TooFewPointsStopWithTheLibraryReport) {
    // With fewer than two points there is no interval and no row, yet each method refuses them
    // as the library methods refuse three points.
    const struct {
        std::string bor3;
        const char* report;
        bool threeRefused;
    } methods[] = {
        {"00\r\n", "TERMINAL ERROR 1 from CSIEZ.  The number of data points must be 2", false},
        {methodFile(20), "TERMINAL ERROR 1 from CSMEZ.  The number of data points must be 2",
         false},
        {methodFile(2), "TERMINAL ERROR 5 from SPLEZ.  The number of data points must be 4", true},
        {methodFile(3), "TERMINAL ERROR 4 from SPLEZ.  The number of data points must be 4", true},
        {methodFile(9), "TERMINAL ERROR 7 from SPLEZ.  The number of data points must be 4", true},
        {"01\r\n", "TERMINAL ERROR 7 from SPLEZ.  The number of data points must be 4", true},
    };
    for (const std::vector<double>& x : {std::vector<double>{}, {1}, {0, 1, 2}}) {
        for (const auto& m : methods) {
            if (x.size() == 3 && !m.threeRefused) continue;
            SCOPED_TRACE(std::to_string(x.size()) + " points, " + m.report);
            const MethodRun run = runMethod(x, x, m.bor3);
            EXPECT_EQ(run.result.status, 1);
            EXPECT_NE(run.result.output.find(std::string("\n *** ") + m.report), std::string::npos)
                << run.result.output;
            EXPECT_EQ(run.result.output.find("Finished"), std::string::npos);
            EXPECT_EQ(run.table, "(none)");
        }
    }
}

}  // namespace

namespace {

template <int Error>
int failingSync(int) {
    errno = Error;
    return -1;
}

TEST(EngineWriteFailure, ATableThatCannotBeWrittenIsAWriteErrorAndTheOldTableStays) {
    const std::string oldTable = "old table\r\n";
    // With a sync, Fitcore's main line runs in a child process with the table's sync replaced by
    // it; else the program is the script "limited" where setUp writes one, or Fitcore itself.
    struct Case {
        const char* name;
        std::function<void(const TempDir&)> setUp;
        SyncCall sync;
        const char* failure;
    } cases[] = {
        {"a disk that fills on the way", nullptr, failingSync<ENOSPC>,
         "cannot write F2B.dat (No space left on device)"},
        {"a disk that fails", nullptr, failingSync<EIO>,
         "cannot write F2B.dat (Input/output error)"},
        {"a file size limit below the table's size",
         [](const TempDir& d) {
             d.write("limited",
                     std::string("#!/bin/sh\nulimit -f 1\nexec '") + FITCORE_EXE + "'\n");
             std::filesystem::permissions(d / "limited", std::filesystem::perms::owner_all);
         },
         nullptr, "cannot write F2B.dat (File too large)"},
        {"a folder by the table's name",
         [](const TempDir& d) {
             std::filesystem::remove(d / "F2B.dat");
             std::filesystem::create_directory(d / "F2B.dat");
             d.write("F2B.dat/kept", "");
         },
         nullptr, "cannot replace F2B.dat (Is a directory)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir d;
        d.write("B2F.dat", pointFile({0, 1}, {0, 1}));
        d.write("Bor3.dat", "00\r\n");
        d.write("F2B.dat", oldTable);
        if (c.setUp) c.setUp(d);
        const std::vector<std::string> before = d.names();
        const auto engine = [&] { return SetTableSync(c.sync), RunEngine(); };
        const ProgramResult r =
            c.sync ? RunInChild(engine, d.path(), "\n")
                   : RunProgram(d.exists("limited") ? (d / "limited").string() : FITCORE_EXE,
                                d.path(), "\n");
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.output.find(std::string("\n *** WRITE ERROR from Fitcore.  ") + c.failure +
                                "; F2B.dat is left as it was\nStop - Program terminated.\n"),
                  std::string::npos)
            << r.output;
        if (!d.exists("F2B.dat/kept")) {
            EXPECT_EQ(d.read("F2B.dat"), oldTable);
        }
        EXPECT_EQ(d.names(), before);  // no scratch file left
    }
}

TEST(EngineWriteFailure, ALinkPlantedBesideTheTableIsNeverWrittenThrough) {
    // A link by a scratch file's name, to a file or to none, stays as it was and leads nowhere.
    for (const char* target : {"victim", "created"}) {
        SCOPED_TRACE(target);
        TempDir d;
        d.write("B2F.dat", pointFile({0, 1}, {0, 1}));
        d.write("Bor3.dat", "00\r\n");
        d.write("victim", "kept\r\n");
        std::filesystem::create_symlink(d / target, d / "F2B.dat.tmp");
        const ProgramResult r = RunProgram(FITCORE_EXE, d.path(), "\n");
        ASSERT_EQ(r.status, 0) << r.output;
        EXPECT_EQ(d.read("victim"), "kept\r\n");
        EXPECT_EQ(splitLines(d.read("F2B.dat"), "\r\n").size(), 101u);
        EXPECT_EQ(d.names(), (std::vector<std::string>{"B2F.dat", "Bor3.dat", "F2B.dat",
                                                       "F2B.dat.tmp", "victim"}));
    }
}

}  // namespace
