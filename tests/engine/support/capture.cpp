#include "capture.h"

#include "fitlib.h"
#include "report_text.h"

LibraryCapture::LibraryCapture() {
    ResetUnits();
    ResetErrorState();
    AttachUnit(6, &out_);
    SetStopAction([](int status) { throw StopCalled{status}; });
}

LibraryCapture::~LibraryCapture() {
    SetStopAction(nullptr);
    ResetUnits();
    ResetErrorState();
}

void LibraryCapture::attach(int unit) { AttachUnit(unit, &out_); }

std::vector<std::string> LibraryCapture::lines() const {
    std::vector<std::string> result;
    std::istringstream in(out_.str());
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

Outcome capture(const std::function<void()>& call) {
    LibraryCapture cap;
    Outcome out;
    try {
        call();
    } catch (const StopCalled&) {
        out.stopped = true;
    }
    out.lines = cap.lines();
    out.reports = ReportTexts(out.lines);
    return out;
}
