// The error stack's console report: layout, wrapping, traceback and stops.
#include <gtest/gtest.h>

#include "capture.h"
#include "fitlib.h"
#include "report_text.h"

namespace {

using Lines = std::vector<std::string>;

// Pushes the given routine names above USER.
void pushAll(std::initializer_list<const char*> names) {
    for (const char* n : names) E1PSH(n);
}

TEST(ErrorReport, TerminalErrorDeepInsideGivesBoxedMessageTracebackAndStop) {
    LibraryCapture cap;
    pushAll({"CSIEZ", "C2IEZ", "C2INT", "C2DEC", "C1SOR"});
    E1VALI(1, 2);
    E1VALI(2, 3);
    E1VALR(1, 1.0f);
    E1MES(5, 2,
          "Points in the data point abscissas array, XDATA, must be distinct, but XDATA(%(I1)) = "
          "XDATA(%(I2)) = %(R1).");
    try {
        E1POP("C1SOR");
        FAIL() << "no stop";
    } catch (const StopCalled& stop) {
        EXPECT_EQ(stop.status, 1);
    }
    Lines expected = EqualAbscissaReport("XDATA(2) = XDATA(3)");
    EXPECT_EQ(cap.lines(), expected);
}

TEST(ErrorReport, FatalTravelsUpAndIsPrintedByTheUserCalledRoutine) {
    LibraryCapture cap;
    pushAll({"CSIEZ", "C2IEZ", "C21GD"});
    E1VALI(1, 1);
    E1VALI(2, 2);
    E1VALR(1, 2.5f);
    E1VALR(2, 2.5f);
    E1MES(
        4, 4,
        "The X data values must be strictly increasing, but XVEC(%(I1)) = %(R1) and XVEC(%(I2)) = "
        "%(R2).");
    E1POP("C21GD");
    EXPECT_EQ(cap.text(), "");  // nothing printed while it travels
    EXPECT_EQ(N1RTY(0), 4);
    E1POP("C2IEZ");
    EXPECT_THROW(E1POP("CSIEZ"), StopCalled);
    Lines lines = cap.lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 34), " *** FATAL    ERROR 4 from CSIEZ. ");
    EXPECT_EQ(lines.back(), "Stop - Program terminated.");
    for (const std::string& l : lines) EXPECT_EQ(l.find("traceback"), std::string::npos);
}

TEST(ErrorReport, WarningIsPrintedAtTheTopAndTheProgramGoesOn) {
    LibraryCapture cap;
    pushAll({"TOPR", "INNER"});
    E1MES(3, 7, "Something to know.");
    E1POP("INNER");
    E1POP("TOPR");
    EXPECT_EQ(cap.lines(), (Lines{"", " *** WARNING  ERROR 7 from TOPR.  Something to know."}));
    EXPECT_EQ(ErrorStackLevel(), 1);
    EXPECT_EQ(N1RTY(1), 3);  // the routine that returned last
}

TEST(ErrorReport, NotesAndAlertsAreNeverPrinted) {
    LibraryCapture cap;
    for (int type : {1, 2}) {
        E1PSH("TOPR");
        E1MES(type, 3, "Quiet.");
        E1POP("TOPR");
    }
    EXPECT_EQ(cap.text(), "");
}

TEST(ErrorReport, TwoTerminalErrorsAtOneLevelPrintInOrderThenStop) {
    LibraryCapture cap;
    E1PSH("CSIEZ");
    E1VALI(1, 1);
    E1MES(5, 1, "The number of data points must be 2 or more while NDATA = %(I1) is given.");
    E1VALI(1, 0);
    E1MES(5, 2, "The length of XVEC must be at least one while N = %(I1) is given.");
    EXPECT_THROW(E1POP("CSIEZ"), StopCalled);
    Lines expected = {
        "",
        " *** TERMINAL ERROR 1 from CSIEZ.  The number of data points must be 2 or",
        " ***          more while NDATA = 1 is given.",
        "",
        " *** TERMINAL ERROR 2 from CSIEZ.  The length of XVEC must be at least one",
        " ***          while N = 0 is given.",
        "Stop - Program terminated.",
    };
    EXPECT_EQ(cap.lines(), expected);
}

TEST(ErrorReport, LineBreakMarkerAndLongWordsAndBlankMessage) {
    LibraryCapture cap;
    E1PSH("ABC");
    E1MES(3, 1, "First%/second part%/third");
    // A text of one blank keeps the pending message; type 0 clears it.
    E1MES(3, 1, " ");
    E1SHOW();
    E1MES(3, 2, std::string(70, 'x') + " tail");
    E1SHOW();
    E1MES(3, 2, "Never shown.");
    E1MES(0, 0, "Cleared.");
    E1SHOW();
    Lines expected = {
        "",
        " *** WARNING  ERROR 1 from ABC.  First",
        " ***          second part",
        " ***          third",
        "",
        " *** WARNING  ERROR 2 from ABC.  " + std::string(42, 'x'),
        " ***          " + std::string(28, 'x') + " tail",
    };
    EXPECT_EQ(cap.lines(), expected);
    E1POP("ABC");
}

TEST(ErrorReport, InsertTextsOfEachKind) {
    LibraryCapture cap;
    E1PSH("ABC");
    E1VALI(1, -7);
    E1VALR(1, -0.0025f);
    E1VALR(2, 0.0f);
    E1VALL(-3, "NAME");
    E1VALI(0, 99);   // ignored
    E1VALI(10, 99);  // ignored
    E1MES(3, 1, "a=%(I1) b=%(R1) c=%(R2) d=%(L3) e=%(I9) f=%(Q1) g=%(I1");
    E1SHOW();
    EXPECT_EQ(cap.lines().at(1),
              " *** WARNING  ERROR 1 from ABC.  a=-7 b=-2.500000E-03 c=.000000E+00 d=NAME");
    EXPECT_EQ(cap.lines().at(2), " ***          e=%(I9) f=%(Q1) g=%(I1");
    E1POP("ABC");
}

TEST(ErrorReport, StackOverflowAndPopMistakesStop) {
    {
        LibraryCapture cap;
        for (int i = 1; i <= 48; ++i) E1PSH(std::string(1, 'R').append(std::to_string(i)));
        EXPECT_EQ(ErrorStackLevel(), 49);
        E1PSH("R49");  // level 50
        EXPECT_THROW(E1PSH("R50"), StopCalled);
        Lines lines = cap.lines();
        EXPECT_EQ(lines.at(1),
                  " *** TERMINAL ERROR 1 from R49.  Error condition in E1PSH.  Push would");
        EXPECT_EQ(lines.at(2), " ***          cause stack level to exceed 50.");
        EXPECT_EQ(lines.back(), "Stop - Program terminated.");
    }
    {
        LibraryCapture cap;
        E1PSH("C1SOR");
        EXPECT_THROW(E1POP("C2DEC"), StopCalled);
        Lines lines = cap.lines();
        EXPECT_EQ(lines.at(1),
                  " *** TERMINAL ERROR 2 from C1SOR.  Error condition in E1POP.  C2DEC does");
        EXPECT_EQ(lines.at(2), " ***          not match the name C1SOR in the stack.");
    }
    {
        LibraryCapture cap;
        E1PSH("C1SOR");
        E1POP("C1SOR ");  // trailing blanks do not count
        EXPECT_THROW(E1POP("USER"), StopCalled);
        EXPECT_EQ(
            cap.lines(),
            (Lines{"", " *** TERMINAL ERROR 1 from E1POP.  Error condition in E1POP.  Cannot pop",
                   " ***          from USER because stack is empty.",
                   "Stop - Program terminated."}));
    }
}

TEST(ErrorReport, BadQueriesAndIllegalTypes) {
    {
        LibraryCapture cap;
        EXPECT_THROW(N1RTY(2), StopCalled);
        EXPECT_EQ(cap.lines().at(1),
                  " *** TERMINAL ERROR 1 from USER.  The argument passed to N1RTY must be 0 or 1.");
    }
    {
        LibraryCapture cap;
        E1PSH("ABC");
        EXPECT_THROW(N1RCD(-1), StopCalled);
        EXPECT_EQ(cap.lines().at(1),
                  " *** TERMINAL ERROR 1 from ABC.  The argument passed to N1RCD must be 0 or 1.");
    }
    {
        LibraryCapture cap;
        E1PSH("ABC");
        EXPECT_THROW(E1MES(8, 1, "x"), StopCalled);
        EXPECT_EQ(cap.lines().at(1),
                  " *** UNKNOWN  ERROR 0 from ABC.  Error from E1MES.  Illegal error type");
    }
}

}  // namespace
