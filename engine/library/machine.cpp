// Machine constants, the unit table and small vector and character utilities.
#include "machine.h"

#include <bit>
#include <cstdint>
#include <iostream>
#include <map>
#include <new>
#include <string>

#include "errors.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace {

std::map<int, std::ostream*>& attachedUnits() {
    static std::map<int, std::ostream*> units;
    return units;
}

struct UnitTable {
    int units[4] = {0, 5, 6, 6};
};

UnitTable& unitTable() {
    static UnitTable table;
    return table;
}

long long& workspaceLimit() {
    static long long limit = -1;
    return limit;
}

std::string rightJustified(int value) {
    std::string digits = std::to_string(value);
    return digits.size() >= 6 ? digits : std::string(6 - digits.size(), ' ') + digits;
}

}  // namespace

float AMACH(const int& N) {
    static const std::uint32_t bits[] = {0x00800000u, 0x7F7FFFFFu, 0x33800000u, 0x34000000u,
                                         0x3E9A209Bu, 0x7FC00000u, 0x7F800000u, 0xFF800000u};
    if (N >= 1 && N <= 8) return std::bit_cast<float>(bits[N - 1]);
    RoutineScope scope("AMACH");
    E1VALI(1, N);
    E1MES(kTerminal, 5, "The argument must be between 1 and 8 inclusive. N = %(I1)");
    return 0.0f;
}

int IMACH(const int& N) {
    static const int table[] = {32, 4, 2, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};
    if (N >= 1 && N <= 12) return table[N - 1];
    int unit = 0;
    UMACH(2, unit);
    UnitStream(unit) << "\n *** TERMINAL ERROR 5 from IMACH.  The argument\n"
                     << " ***          must be between 1 and 12 inclusive.\n"
                     << " ***          N = " << rightJustified(N) << ".\n\n";
    LibraryStop(1);
}

void UMACH(const int& N, int& NUNIT) {
    int index = N < 0 ? -N : N;
    UnitTable& t = unitTable();
    if (index < 1 || index > 3) {
        UnitStream(t.units[3]) << "\n *** TERMINAL ERROR 5 from UMACH.  The absolute\n"
                               << " ***          value of the index variable must be\n"
                               << " ***          1, 2, or 3.  IABS(N) = " << rightJustified(index)
                               << ".\n\n";
        LibraryStop(1);
    }
    if (N > 0) {
        NUNIT = t.units[index];
    } else {
        t.units[index] = NUNIT;
    }
}

char ACHAR(const int& I) {
    if (I < 0) {
        RoutineScope scope("ACHAR");
        E1VALI(1, I);
        E1MES(kTerminal, 1, "The ASCII value must be non-negative while I = %(I1) is given.");
        return '\0';
    }
    return static_cast<char>(I);
}

void RCOPY(const int& N, const float SX[], const int& INCX, float SY[], const int& INCY) {
    if (N <= 0) return;
    if (INCX == 1 && INCY == 1) {
        // A remainder of N mod 7 elements first, then blocks of seven.
        int m = N % 7;
        for (int i = 0; i < m; ++i) SY[i] = SX[i];
        for (int i = m; i < N; i += 7) {
            SY[i] = SX[i];
            SY[i + 1] = SX[i + 1];
            SY[i + 2] = SX[i + 2];
            SY[i + 3] = SX[i + 3];
            SY[i + 4] = SX[i + 4];
            SY[i + 5] = SX[i + 5];
            SY[i + 6] = SX[i + 6];
        }
        return;
    }
    long long ix = INCX < 0 ? static_cast<long long>(1 - N) * INCX : 0;
    long long iy = INCY < 0 ? static_cast<long long>(1 - N) * INCY : 0;
    for (int i = 0; i < N; ++i, ix += INCX, iy += INCY) SY[iy] = SX[ix];
}

void RSET(const int& N, const float& VALUE, float SY[], const int& INCY) {
    if (N <= 0) return;
    long long iy = INCY < 0 ? static_cast<long long>(1 - N) * INCY : 0;
    for (int i = 0; i < N; ++i, iy += INCY) SY[iy] = VALUE;
}

bool LetterEquals(char C, char LETTER) {
    return C == LETTER || (C >= 'a' && C <= 'z' && C - 'a' + 'A' == LETTER);
}

long long SetWorkspaceLimit(long long bytes) {
    long long previous = workspaceLimit();
    workspaceLimit() = bytes;
    return previous;
}

long long WorkspaceLimit() { return workspaceLimit(); }

namespace {

// Blocks of at least this size are aligned to it and asked for large pages.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

}  // namespace

void* AcquireWork(std::size_t bytes) {
    if (bytes < kLargePage) return ::operator new[](bytes, std::nothrow);
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* block = ::operator new[](rounded, std::align_val_t{kLargePage}, std::nothrow);
#ifdef __linux__
    if (block) madvise(block, rounded, MADV_HUGEPAGE);
#endif
    return block;
}

void ReleaseWork(void* block, std::size_t bytes) {
    if (bytes < kLargePage) {
        ::operator delete[](block);
    } else {
        ::operator delete[](block, std::align_val_t{kLargePage});
    }
}

void AttachUnit(int unit, std::ostream* stream) {
    if (stream) {
        attachedUnits()[unit] = stream;
    } else {
        attachedUnits().erase(unit);
    }
}

std::ostream& UnitStream(int unit) {
    auto it = attachedUnits().find(unit);
    return it != attachedUnits().end() ? *it->second : std::cout;
}

void ResetUnits() {
    attachedUnits().clear();
    unitTable() = UnitTable{};
}
