// Start values of the program-wide state.
#include "state.h"

#include <algorithm>
#include <iterator>

void ClearProgramVariables() {
    DataCount = 0;
    for (double* a : {DataX, DataY, LogDataX, LogDataY}) std::fill_n(a, kDataCapacity + 1, 0.0);
    DataMinX = DataMaxX = DataMinY = DataMaxY = 0.0;
    FilePath.clear();
    ScaleMode = 1;
    XStart = XEnd = XStep = YStart = YEnd = YStep = 0.0;
    DrawnGraph.reset();
    TableCount = 0;
    for (double* a : {TableX, TableY}) std::fill_n(a, kTableCapacity + 1, 0.0);
    TableMinX = TableMaxX = TableMinY = TableMaxY = 0.0;
    MethodFlag = LibraryMethod = 0;
    TableMethodFlag = TableLibraryMethod = 0;
    CurveReady = 0;
    Ln10 = 0.0;
    ImageSource = 0;
    EntryNo = 0;
}
