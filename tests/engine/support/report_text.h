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
