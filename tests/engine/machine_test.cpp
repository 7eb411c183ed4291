// Machine constants, the unit table and the vector utilities.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>

#include "capture.h"
#include "fitlib.h"

namespace {

using Lines = std::vector<std::string>;

TEST(MachineConstants, SinglePrecisionTableBitForBit) {
    const std::uint32_t bits[] = {0x00800000u, 0x7F7FFFFFu, 0x33800000u, 0x34000000u,
                                  0x3E9A209Bu, 0x7FC00000u, 0x7F800000u, 0xFF800000u};
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(std::bit_cast<std::uint32_t>(AMACH(n)), bits[n - 1]) << n;
    EXPECT_EQ(AMACH(1), std::numeric_limits<float>::min());
    EXPECT_EQ(AMACH(2), std::numeric_limits<float>::max());
    EXPECT_EQ(AMACH(4), std::ldexp(1.0f, -23));
    EXPECT_EQ(AMACH(3), std::ldexp(1.0f, -24));
    EXPECT_EQ(AMACH(5), 0.30103f);  // log10(2) to five places, as stored
}

TEST(MachineConstants, IntegerTable) {
    const int expected[] = {32, 4, 2, 31, 2147483647, 2, 24, -125, 128, 53, -1021, 1024};
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(IMACH(n), expected[n - 1]) << n;
}

TEST(MachineConstants, OutOfRangeArgumentsStopWithTheirReports) {
    {
        LibraryCapture cap;
        EXPECT_THROW(AMACH(9), StopCalled);
        EXPECT_EQ(
            cap.lines(),
            (Lines{"", " *** TERMINAL ERROR 5 from AMACH.  The argument must be between 1 and 8",
                   " ***          inclusive. N = 9", "Stop - Program terminated."}));
    }
    {
        LibraryCapture cap;
        EXPECT_THROW(IMACH(13), StopCalled);
        EXPECT_EQ(cap.lines(),
                  (Lines{"", " *** TERMINAL ERROR 5 from IMACH.  The argument",
                         " ***          must be between 1 and 12 inclusive.",
                         " ***          N =     13.", "", "Stop - Program terminated."}));
    }
    {
        LibraryCapture cap;
        int unit = 0;
        EXPECT_THROW(UMACH(-4, unit), StopCalled);
        EXPECT_EQ(cap.lines(), (Lines{"", " *** TERMINAL ERROR 5 from UMACH.  The absolute",
                                      " ***          value of the index variable must be",
                                      " ***          1, 2, or 3.  IABS(N) =      4.", "",
                                      "Stop - Program terminated."}));
    }
    {
        LibraryCapture cap;
        EXPECT_THROW(ACHAR(-1), StopCalled);
        EXPECT_EQ(cap.lines().at(1),
                  " *** TERMINAL ERROR 1 from ACHAR.  The ASCII value must be non-negative");
        EXPECT_EQ(cap.lines().at(2), " ***          while I = -1 is given.");
    }
    EXPECT_EQ(ACHAR(65), 'A');
}

TEST(UnitTable, MessagesFollowTheErrorUnit) {
    LibraryCapture cap;
    std::ostringstream unit7;
    AttachUnit(7, &unit7);
    int u = 0;
    UMACH(3, u);
    EXPECT_EQ(u, 6);
    int seven = 7;
    UMACH(-3, seven);
    UMACH(3, u);
    EXPECT_EQ(u, 7);
    UMACH(1, u);
    EXPECT_EQ(u, 5);
    E1PSH("ABC");
    E1MES(3, 1, "To unit seven.");
    E1POP("ABC");
    EXPECT_EQ(unit7.str(), "\n *** WARNING  ERROR 1 from ABC.  To unit seven.\n");
    EXPECT_EQ(cap.text(), "");
}

TEST(VectorUtilities, CopyAndSet) {
    float src[10], dst[10];
    for (int i = 0; i < 10; ++i) src[i] = static_cast<float>(i + 1);
    RCOPY(10, src, 1, dst, 1);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(dst[i], src[i]);

    float rev[5] = {};
    RCOPY(5, src, -1, rev, 1);  // a negative increment starts from the far end
    EXPECT_EQ(rev[0], 5.0f);
    EXPECT_EQ(rev[4], 1.0f);

    float strided[6] = {0, 0, 0, 0, 0, 0};
    RCOPY(3, src, 1, strided, 2);
    EXPECT_EQ(strided[0], 1.0f);
    EXPECT_EQ(strided[2], 2.0f);
    EXPECT_EQ(strided[4], 3.0f);
    EXPECT_EQ(strided[1], 0.0f);

    float untouched[3] = {7, 7, 7};
    RCOPY(0, src, 1, untouched, 1);
    RSET(-1, 1.0f, untouched, 1);
    EXPECT_EQ(untouched[0], 7.0f);
    RSET(2, 2.5f, untouched, 2);
    EXPECT_EQ(untouched[0], 2.5f);
    EXPECT_EQ(untouched[1], 7.0f);
    EXPECT_EQ(untouched[2], 2.5f);
}

TEST(VectorUtilities, LetterCompareIgnoresCase) {
    EXPECT_TRUE(LetterEquals('n', 'N'));
    EXPECT_TRUE(LetterEquals('T', 'T'));
    EXPECT_FALSE(LetterEquals('u', 'L'));
    EXPECT_FALSE(LetterEquals('[', 'N'));
}

TEST(Workspace, SizesThatCannotBeObtainedFail) {
    Workspace<float> ok(100);
    EXPECT_TRUE(ok.ok());
    Workspace<float> negative(-1);
    EXPECT_FALSE(negative.ok());
    Workspace<float> huge(1LL << 50);
    EXPECT_FALSE(huge.ok());

    // A block past the large-page size and not a multiple of it holds every
    // element it was asked for.
    const long long count = (3LL << 20) / 4 + 5;
    Workspace<int> large(count);
    ASSERT_TRUE(large.ok());
    for (long long i = 0; i < count; ++i) large.get()[i] = static_cast<int>(i);
    long long sum = 0;
    for (long long i = 0; i < count; ++i) sum += large.get()[i];
    EXPECT_EQ(sum, count * (count - 1) / 2);
}

}  // namespace
