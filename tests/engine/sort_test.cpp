// Sorting with and without a permutation record, and applying permutations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

#include "capture.h"
#include "fitlib.h"

namespace {

using Lines = std::vector<std::string>;

std::vector<int> identity(int n) {
    std::vector<int> p(n);
    std::iota(p.begin(), p.end(), 1);
    return p;
}

// RB ascending, IPERM a permutation of 1..n, RB(j) = RA(IPERM(j)) bit for bit.
void expectSortedRecord(const std::vector<float>& ra, const std::vector<float>& rb,
                        const std::vector<int>& iperm) {
    const int n = static_cast<int>(ra.size());
    std::vector<float> expected = ra;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(rb, expected) << "n = " << n;
    std::vector<int> seen = iperm;
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, identity(n)) << "n = " << n;
    for (int j = 0; j < n; ++j) {
        ASSERT_EQ(rb[j], ra[iperm[j] - 1]) << "n = " << n << ", j = " << j + 1;
    }
}

TEST(Sort, SmallWorkedCase) {
    LibraryCapture cap;
    std::vector<float> ra = {3, 1, 2}, rb(3);
    std::vector<int> iperm = {1, 2, 3};
    SVRGP(3, ra.data(), rb.data(), iperm.data());
    EXPECT_EQ(rb, (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(iperm, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(ra, (std::vector<float>{3, 1, 2}));

    SVRGN(3, ra.data(), ra.data());  // in place
    EXPECT_EQ(ra, (std::vector<float>{1, 2, 3}));
    EXPECT_EQ(cap.text(), "");
}

TEST(Sort, OneElementIsCopiedAndTheRecordIsLeftAlone) {
    LibraryCapture cap;
    float ra = 4.5f, rb = 0.0f;
    int iperm = 7;
    SVRGP(1, &ra, &rb, &iperm);
    EXPECT_EQ(rb, 4.5f);
    EXPECT_EQ(iperm, 7);
}

TEST(Sort, OrderedInputIsNeverExchanged) {
    LibraryCapture cap;
    for (int n = 1; n <= 40; ++n) {
        for (bool withTies : {false, true}) {
            std::vector<float> ra(n);
            for (int i = 0; i < n; ++i) ra[i] = withTies ? static_cast<float>(i / 3) : 0.5f * i;
            std::vector<float> rb(n);
            std::vector<int> iperm = identity(n);
            SVRGP(n, ra.data(), rb.data(), iperm.data());
            EXPECT_EQ(rb, ra) << "n = " << n;
            EXPECT_EQ(iperm, identity(n)) << "n = " << n << (withTies ? " with ties" : "");
        }
    }
}

TEST(Sort, ShortPiecesAroundTheInsertionThreshold) {
    LibraryCapture cap;
    // 11 elements: the first piece is partitioned before insertion; 12 start
    // with partitioning. Reversed, zig-zag and all-equal orders of each.
    for (int n : {2, 3, 10, 11, 12, 13, 23}) {
        std::vector<std::vector<float>> inputs(3, std::vector<float>(n));
        for (int i = 0; i < n; ++i) {
            inputs[0][i] = static_cast<float>(n - i);
            inputs[1][i] = static_cast<float>((i % 2) ? i : n + i);
            inputs[2][i] = 1.0f;
        }
        for (const std::vector<float>& ra : inputs) {
            std::vector<float> rb(n);
            std::vector<int> iperm = identity(n);
            SVRGP(n, ra.data(), rb.data(), iperm.data());
            expectSortedRecord(ra, rb, iperm);
        }
    }
}

TEST(Sort, RandomVectorsAgreeWithTheStandardSort) {
    LibraryCapture cap;
    std::mt19937 gen(12345);
    for (int n = 1; n <= 300; n += (n < 40 ? 1 : 17)) {
        for (int coarse : {0, 1}) {
            // Coarse values give many duplicates.
            std::uniform_real_distribution<float> fine(-1e3f, 1e3f);
            std::uniform_int_distribution<int> few(0, 4);
            std::vector<float> ra(n);
            for (float& v : ra) v = coarse ? static_cast<float>(few(gen)) : fine(gen);
            std::vector<float> rb(n);
            std::vector<int> iperm = identity(n);
            SVRGP(n, ra.data(), rb.data(), iperm.data());
            expectSortedRecord(ra, rb, iperm);

            std::vector<float> inPlace = ra;
            SVRGN(n, inPlace.data(), inPlace.data());
            EXPECT_EQ(inPlace, rb);
        }
    }
    std::vector<float> big(100000);
    std::uniform_real_distribution<float> dist(0.0f, 1.0f);
    for (float& v : big) v = dist(gen);
    std::vector<float> rb(big.size());
    std::vector<int> iperm = identity(static_cast<int>(big.size()));
    SVRGP(static_cast<int>(big.size()), big.data(), rb.data(), iperm.data());
    expectSortedRecord(big, rb, iperm);
}

TEST(Sort, LargeInputAcrossSignsZerosAndInfinities) {
    LibraryCapture cap;
    const float inf = std::numeric_limits<float>::infinity();
    std::mt19937 gen(99);
    // Distinct keys of every sign and magnitude, -0 among them, both
    // infinities; then the same with +0 added beside -0, an equal pair the
    // sort must keep as its record says.
    for (bool bothZeros : {false, true}) {
        std::vector<float> ra;
        for (int i = 1; i <= 3000; ++i) {
            ra.push_back(std::ldexp(static_cast<float>(i), i % 200 - 100));
            ra.push_back(-std::ldexp(static_cast<float>(i), i % 200 - 100));
        }
        ra.insert(ra.end(), {-0.0f, inf, -inf});
        if (bothZeros) ra.push_back(0.0f);
        std::sort(ra.begin(), ra.end());
        ra.erase(std::unique(
                     ra.begin(), ra.end(),
                     [](float a, float b) { return a == b && std::signbit(a) == std::signbit(b); }),
                 ra.end());
        std::shuffle(ra.begin(), ra.end(), gen);
        const int n = static_cast<int>(ra.size());
        std::vector<float> rb(n);
        std::vector<int> iperm = identity(n);
        SVRGP(n, ra.data(), rb.data(), iperm.data());
        expectSortedRecord(ra, rb, iperm);
        EXPECT_EQ(rb.front(), -inf);
        EXPECT_EQ(rb.back(), inf);

        // A record that does not start as the identity is carried along:
        // its entries move exactly as the positions did.
        std::vector<int> start(n);
        for (int j = 0; j < n; ++j) start[j] = 3 * n - 2 * j;
        std::vector<int> carried = start;
        SVRGP(n, ra.data(), rb.data(), carried.data());
        for (int j = 0; j < n; ++j) ASSERT_EQ(carried[j], start[iperm[j] - 1]) << "j = " << j + 1;
    }
}

TEST(Sort, UnorderedValuesStayInsideTheArray) {
    LibraryCapture cap;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    // A NaN central element leaves no order between neighbouring pieces; this
    // input once made the insertion scan run off the front of the array.
    const std::vector<float> known = {21, 73, 55, 42, 43, 17, nan, 65, 75, 25, nan, 67, 20,
                                      90, 25, 87, 19, 46, 20, 45,  61, 31, 22, 34,  71, 38};
    std::vector<std::vector<float>> inputs = {known};
    std::mt19937 gen(7);
    for (int n : {2, 5, 11, 12, 40, 200}) {
        std::vector<float> ra(n);
        std::uniform_real_distribution<float> dist(-5.0f, 5.0f);
        for (int i = 0; i < n; ++i) ra[i] = (i % 3 == 1) ? nan : dist(gen);
        inputs.push_back(ra);
    }
    for (const std::vector<float>& ra : inputs) {
        const int n = static_cast<int>(ra.size());
        // Guards in front of the vector: a scan past its first element would
        // move them.
        std::vector<float> buffer = {-inf, inf, inf, inf};
        buffer.insert(buffer.end(), ra.begin(), ra.end());
        std::vector<int> iperm = identity(n);
        SVRGP(n, ra.data(), buffer.data() + 4, iperm.data());
        EXPECT_EQ(std::vector<float>(buffer.begin(), buffer.begin() + 4),
                  (std::vector<float>{-inf, inf, inf, inf}));
        // Whatever the order, the record still describes what RB holds.
        std::vector<int> seen = iperm;
        std::sort(seen.begin(), seen.end());
        ASSERT_EQ(seen, identity(n));
        for (int j = 0; j < n; ++j) {
            float got = buffer[4 + j];
            float expected = ra[iperm[j] - 1];
            EXPECT_TRUE(got == expected || (std::isnan(got) && std::isnan(expected)));
        }
    }
}

TEST(Sort, LengthBelowOneStops) {
    {
        LibraryCapture cap;
        float x = 0.0f;
        int p = 0;
        EXPECT_THROW(SVRGP(0, &x, &x, &p), StopCalled);
        EXPECT_EQ(
            cap.lines(),
            (Lines{"", " *** TERMINAL ERROR 1 from SVRGP.  The length of vectors RA, RB and IPERM",
                   " ***          must be greater than or equal to one.  On input the length, N,",
                   " ***          is given as 0.", "Stop - Program terminated."}));
    }
    {
        LibraryCapture cap;
        float x = 0.0f;
        EXPECT_THROW(SVRGN(-3, &x, &x), StopCalled);
        EXPECT_EQ(
            cap.lines(),
            (Lines{"", " *** TERMINAL ERROR 1 from SVRGN.  N = -3.  The length of RA and RB, N,",
                   " ***          must be greater than or equal to one.",
                   "Stop - Program terminated."}));
    }
}

TEST(Permute, BothDirectionsOfTheWorkedCase) {
    LibraryCapture cap;
    std::vector<int> p = {2, 3, 1};
    std::vector<float> x = {1, 2, 3}, y(3);
    PERMU(3, x.data(), p.data(), 2, y.data());
    EXPECT_EQ(y, (std::vector<float>{3, 1, 2}));
    PERMU(3, x.data(), p.data(), 1, y.data());
    EXPECT_EQ(y, (std::vector<float>{2, 3, 1}));
    EXPECT_EQ(p, (std::vector<int>{2, 3, 1}));
}

TEST(Permute, RandomPermutationsInPlaceAndOutOfPlace) {
    LibraryCapture cap;
    std::mt19937 gen(99);
    for (int n : {2, 3, 4, 7, 16, 101, 500}) {
        std::vector<int> p = identity(n);
        std::shuffle(p.begin(), p.end(), gen);
        const std::vector<int> original = p;
        std::vector<float> x(n);
        for (int i = 0; i < n; ++i) x[i] = 10.0f * i + 0.25f;
        for (int ipath : {1, 2}) {
            std::vector<float> expected(n);
            for (int i = 0; i < n; ++i) {
                if (ipath == 1) expected[i] = x[p[i] - 1];
                if (ipath == 2) expected[p[i] - 1] = x[i];
            }
            std::vector<float> out(n);
            PERMU(n, x.data(), p.data(), ipath, out.data());
            EXPECT_EQ(out, expected) << "n = " << n << ", IPATH = " << ipath;
            std::vector<float> inPlace = x;
            PERMU(n, inPlace.data(), p.data(), ipath, inPlace.data());
            EXPECT_EQ(inPlace, expected) << "n = " << n << ", IPATH = " << ipath;
            EXPECT_EQ(p, original);
        }
        // Forward then backward is the identity.
        std::vector<float> there(n), back(n);
        PERMU(n, x.data(), p.data(), 1, there.data());
        PERMU(n, there.data(), p.data(), 2, back.data());
        EXPECT_EQ(back, x);
    }
}

TEST(Permute, OneElementIgnoresThePermutation) {
    LibraryCapture cap;
    float x = 2.5f, y = 0.0f;
    int p = 99;
    PERMU(1, &x, &p, 2, &y);
    EXPECT_EQ(y, 2.5f);
    EXPECT_EQ(p, 99);
    EXPECT_EQ(cap.text(), "");
}

TEST(Permute, AnEntryListWithRepeatsEndsWithinTheArray) {
    LibraryCapture cap;
    for (int ipath : {1, 2}) {
        std::vector<int> p = {2, 2, 1, 4};
        std::vector<float> x = {1, 2, 3, 4}, y(4);
        PERMU(4, x.data(), p.data(), ipath, y.data());
        EXPECT_EQ(p, (std::vector<int>{2, 2, 1, 4}));
        std::vector<float> sorted = y;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, x);  // only exchanges were made
    }
}

TEST(Permute, ArgumentErrors) {
    {
        LibraryCapture cap;
        float x = 0.0f;
        int p = 1;
        EXPECT_THROW(PERMU(0, &x, &p, 3, &x), StopCalled);
        EXPECT_EQ(
            cap.lines(),
            (Lines{"", " *** TERMINAL ERROR 1 from PERMU.  The length of the arrays X and XPERMU",
                   " ***          must be positive while N = 0 is given.", "",
                   " *** TERMINAL ERROR 2 from PERMU.  IPATH must be equal to 1 or 2 while a",
                   " ***          value of 3 is given.", "Stop - Program terminated."}));
    }
    {
        LibraryCapture cap;
        std::vector<int> p = {1, 5, 0};
        std::vector<float> x = {1, 2, 3}, y(3);
        EXPECT_THROW(PERMU(3, x.data(), p.data(), 1, y.data()), StopCalled);
        EXPECT_EQ(
            cap.lines(),
            (Lines{"", " *** TERMINAL ERROR 3 from PERMU.  IPERMU(2) = 5 is not allowed.  It must",
                   " ***          be between 1 and N = 3.", "",
                   " *** TERMINAL ERROR 3 from PERMU.  IPERMU(3) = 0 is not allowed.  It must",
                   " ***          be between 1 and N = 3.", "Stop - Program terminated."}));
        EXPECT_EQ(p, (std::vector<int>{1, 5, 0}));
    }
}

}  // namespace
