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

// The console report of two equal data abscissas of value 1 met by the sort check; `positions`
// is for example "XDATA(2) = XDATA(3)", `callers` the routines between the check and USER,
// innermost first (by default CSIEZ's chain, five levels below USER).
inline std::vector<std::string> EqualAbscissaReport(const std::string& positions,
                                                    const std::vector<std::string>& callers = {
                                                        "C2DEC", "C2INT", "C2IEZ", "CSIEZ"}) {
    std::vector<std::string> report = {
        "",
        " *** TERMINAL ERROR 2 from C1SOR.  Points in the data point abscissas",
        " ***          array, XDATA, must be distinct, but " + positions + " =",
        " ***          1.000000E+00.",
        "     Here is a traceback of subprogram calls in reverse order:",
        "     Routine name                    Error type  Error code",
        "     ------------                    ----------  ----------",
        "     C1SOR                                5           2    (Called internally)",
    };
    for (std::size_t k = 0; k < callers.size(); ++k)
        report.push_back("     " + callers[k] + std::string(37 - callers[k].size(), ' ') +
                         "0           0" +
                         (k + 1 < callers.size() ? "    (Called internally)" : ""));
    report.push_back("     USER                                 0           0");
    report.push_back("Stop - Program terminated.");
    return report;
}
