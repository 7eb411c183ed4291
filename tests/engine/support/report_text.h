// Test support: the text of the boxed console reports in a capture, with the
// continuation lines joined again, so a test can compare a whole message.
#pragma once

#include <string>
#include <vector>

// Every report in `lines`, each as "TYPE     ERROR code from NAME.  message".
inline std::vector<std::string> ReportTexts(const std::vector<std::string>& lines) {
    const std::string head = " *** ";
    const std::string cont = " ***          ";
    std::vector<std::string> reports;
    for (const std::string& line : lines) {
        if (line.compare(0, cont.size(), cont) == 0 && !reports.empty()) {
            reports.back().append(1, ' ').append(line, cont.size());
        } else if (line.compare(0, head.size(), head) == 0) {
            reports.push_back(line.substr(head.size()));
        }
    }
    return reports;
}

// The console report of two equal data abscissas met by CSIEZ's sort check,
// five levels below USER; `positions` is for example "XDATA(2) = XDATA(3)".
inline std::vector<std::string> EqualAbscissaReport(const std::string& positions) {
    return {
        "",
        " *** TERMINAL ERROR 2 from C1SOR.  Points in the data point abscissas",
        " ***          array, XDATA, must be distinct, but " + positions + " =",
        " ***          1.000000E+00.",
        "     Here is a traceback of subprogram calls in reverse order:",
        "     Routine name                    Error type  Error code",
        "     ------------                    ----------  ----------",
        "     C1SOR                                5           2    (Called internally)",
        "     C2DEC                                0           0    (Called internally)",
        "     C2INT                                0           0    (Called internally)",
        "     C2IEZ                                0           0    (Called internally)",
        "     CSIEZ                                0           0",
        "     USER                                 0           0",
        "Stop - Program terminated.",
    };
}
