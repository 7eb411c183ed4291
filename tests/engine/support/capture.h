// Test support: captures what the library writes on the console units and
// turns a library stop into an exception the test can catch.
#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <vector>

struct StopCalled {
    int status;
};

// While alive: units 6 (and any unit number the library is told to use for
// messages) write into a buffer, and a stop throws StopCalled. The error state
// is reset on entry and on exit.
class LibraryCapture {
public:
    LibraryCapture();
    ~LibraryCapture();
    std::string text() const { return out_.str(); }
    std::vector<std::string> lines() const;
    void attach(int unit);  // also capture this unit number

private:
    std::ostringstream out_;
};

// What one library call printed, line by line and as whole reports, and whether it stopped the
// program.
struct Outcome {
    std::vector<std::string> lines;
    std::vector<std::string> reports;
    bool stopped = false;
};
Outcome capture(const std::function<void()>& call);
