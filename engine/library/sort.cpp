// Singleton's quicksort (Comm. ACM 12, 1969, Algorithm 347) with a
// pseudo-random central element, median of three and a straight-insertion
// finish for short pieces; in-place permutation of a vector cycle by cycle.
//
// Where the result cannot depend on how the sort proceeds, it is reached by a
// shorter way: input already in order is left as it stands (the quicksort
// makes no exchange on it), and large input with distinct keys goes through a
// radix sort (distinct keys have only one sorted order and one permutation).
// Repeated keys, -0 beside +0 and NaNs are left to the quicksort, whose
// permutation record for them is the one callers see.
#include "sort.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "errors.h"
#include "internal/abscissa_check.h"
#include "internal/views.h"
#include "machine.h"

namespace {

// Exchanges RB(a) and RB(b), and the same two entries of the permutation
// record when there is one.
struct Exchanger {
    Vec1<float> rb;
    Vec1<int> perm;
    bool carry;

    void operator()(int a, int b) const {
        float t = rb(a);
        rb(a) = rb(b);
        rb(b) = t;
        if (carry) {
            int it = perm(a);
            perm(a) = perm(b);
            perm(b) = it;
        }
    }
};

// Sorts RB(1..n) in place, carrying IPERM along when it is not null.
void singletonSort(int n, float* rbFirst, int* iperm) {
    Vec1<float> rb(rbFirst);
    Vec1<int> perm(iperm);
    const bool carry = iperm != nullptr;
    Exchanger exchange{rb, perm, carry};

    // The larger piece is always the one deferred, so each deferral at least
    // halves the piece still being worked on: the stack never holds more than
    // log2(n) entries, and 32 hold any int n.
    int pendingLo[32];
    int pendingHi[32];
    int pending = 0;

    int i = 1;
    int j = n;
    float r = 0.375f;

    enum class Step { Top, Partition, Choose, Pop };
    Step step = Step::Top;
    for (;;) {
        switch (step) {
            case Step::Top:
                if (i == j) {
                    step = Step::Pop;
                    break;
                }
                r = r > 0.5898437f ? r - 0.21875f : r + 0.0390625f;
                step = Step::Partition;
                break;

            case Step::Partition: {
                int k = i;
                int l = j;
                int ij = i + static_cast<int>(static_cast<float>(j - i) * r);
                float t = rb(ij);
                if (rb(i) > t) {
                    exchange(ij, i);
                    t = rb(ij);
                }
                if (rb(j) < t) {
                    exchange(ij, j);
                    t = rb(ij);
                    if (rb(i) > t) {
                        exchange(ij, i);
                        t = rb(ij);
                    }
                }
                // RB(i) and RB(j) now bound both scans.
                for (;;) {
                    do --l;
                    while (rb(l) > t);
                    do ++k;
                    while (rb(k) < t);
                    if (k > l) break;
                    if (rb(k) != rb(l)) exchange(k, l);
                }
                if (l - i > j - k) {
                    pendingLo[pending] = i;
                    pendingHi[pending] = l;
                    i = k;
                } else {
                    pendingLo[pending] = k;
                    pendingHi[pending] = j;
                    j = l;
                }
                ++pending;
                step = Step::Choose;
                break;
            }

            case Step::Choose:
                if (j - i > 10) {
                    step = Step::Partition;
                    break;
                }
                // The insertion below stops its scan at the element left of
                // the piece, so the piece at the start is partitioned further.
                if (i == 1) {
                    step = Step::Top;
                    break;
                }
                for (int p = i; p < j; ++p) {
                    float t = rb(p + 1);
                    if (!(rb(p) > t)) continue;
                    int it = carry ? perm(p + 1) : 0;
                    int k = p;
                    // The bound at 1 only matters for unordered (NaN) data,
                    // where the element left of the piece is no sentinel.
                    do {
                        rb(k + 1) = rb(k);
                        if (carry) perm(k + 1) = perm(k);
                        --k;
                    } while (k >= 1 && t < rb(k));
                    rb(k + 1) = t;
                    if (carry) perm(k + 1) = it;
                }
                step = Step::Pop;
                break;

            case Step::Pop:
                if (pending == 0) return;
                --pending;
                i = pendingLo[pending];
                j = pendingHi[pending];
                step = Step::Choose;
                break;
        }
    }
}

// Keys whose unsigned order is the order of the finite floats and infinities.
std::uint32_t radixKey(float v) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    return (bits & 0x80000000u) != 0 ? ~bits : bits | 0x80000000u;
}

// Sorts RB(1..n) with IPERM carried along by an LSD radix sort of (key,
// position) pairs, when no key is NaN and no two are equal; otherwise, or
// when its storage cannot be had, leaves both untouched and returns false.
bool radixSortDistinct(int n, float* rb, int* iperm) {
    for (int i = 0; i < n; ++i) {
        if (std::isnan(rb[i])) return false;
    }
    Workspace<std::uint64_t> work(2 * static_cast<long long>(n));
    if (!work.ok()) return false;
    std::uint64_t* from = work.get();
    std::uint64_t* to = from + n;
    constexpr int kBits = 11;
    constexpr int kBuckets = 1 << kBits;
    constexpr int kPasses = (32 + kBits - 1) / kBits;
    // The counts of every pass are taken in the one scan that makes the pairs.
    int count[kPasses][kBuckets] = {};
    for (int i = 0; i < n; ++i) {
        const std::uint32_t key = radixKey(rb[i]);
        from[i] = static_cast<std::uint64_t>(key) << 32 | static_cast<std::uint32_t>(i);
        for (int p = 0; p < kPasses; ++p) ++count[p][(key >> (p * kBits)) & (kBuckets - 1)];
    }
    for (int p = 0; p < kPasses; ++p) {
        int* start = count[p];
        int sum = 0;
        for (int b = 0; b < kBuckets; ++b) {
            const int c = start[b];
            start[b] = sum;
            sum += c;
        }
        const int shift = 32 + p * kBits;
        for (int i = 0; i < n; ++i) to[start[(from[i] >> shift) & (kBuckets - 1)]++] = from[i];
        std::swap(from, to);
    }
    // Equal values now stand side by side: equal keys, or the keys of -0 and
    // +0, which are neighbours.
    const std::uint32_t minusZero = radixKey(-0.0f), plusZero = radixKey(0.0f);
    for (int j = 1; j < n; ++j) {
        const auto a = static_cast<std::uint32_t>(from[j - 1] >> 32);
        const auto b = static_cast<std::uint32_t>(from[j] >> 32);
        if (a == b || (a == minusZero && b == plusZero)) return false;
    }
    // The permutation record is gathered by position unless it is the
    // identity, when the position itself is the entry.
    bool identity = iperm != nullptr;
    for (int i = 0; identity && i < n; ++i) identity = iperm[i] == i + 1;
    if (iperm && !identity) {
        for (int j = 0; j < n; ++j) {
            to[j] = static_cast<std::uint32_t>(iperm[static_cast<std::uint32_t>(from[j])]);
        }
    }
    for (int j = 0; j < n; ++j) {
        const auto key = static_cast<std::uint32_t>(from[j] >> 32);
        rb[j] = std::bit_cast<float>((key & 0x80000000u) != 0 ? key & 0x7fffffffu : ~key);
        if (identity) {
            iperm[j] = static_cast<int>(static_cast<std::uint32_t>(from[j])) + 1;
        } else if (iperm) {
            iperm[j] = static_cast<int>(static_cast<std::uint32_t>(to[j]));
        }
    }
    return true;
}

// Below this length the quicksort is as quick as the radix sort.
constexpr int kRadixLength = 256;

// RB(1..n) in ascending order with IPERM carried along (when not null),
// exactly as singletonSort leaves them.
void sortAscending(int n, float* rb, int* iperm) {
    int i = 1;
    while (i < n && rb[i - 1] <= rb[i]) ++i;
    if (i >= n) return;
    if (n >= kRadixLength && radixSortDistinct(n, rb, iperm)) return;
    singletonSort(n, rb, iperm);
}

}  // namespace

void SVRGP(const int& N, const float RA[], float RB[], int IPERM[]) {
    RoutineScope scope("SVRGP");
    RCOPY(N, RA, 1, RB, 1);
    if (N <= 0) {
        E1VALI(1, N);
        E1MES(kTerminal, 1,
              "The length of vectors RA, RB and IPERM must be greater than or equal to one.  On "
              "input the length, N, is given as %(I1).");
    }
    if (N1RTY(0) < kFatal) sortAscending(N, RB, IPERM);
}

void SVRGN(const int& N, const float RA[], float RB[]) {
    RoutineScope scope("SVRGN");
    RCOPY(N, RA, 1, RB, 1);
    if (N <= 0) {
        E1VALI(1, N);
        E1MES(kTerminal, 1,
              "N = %(I1).  The length of RA and RB, N, must be greater than or equal to one.");
    }
    if (N1RTY(0) < kFatal) sortAscending(N, RB, nullptr);
}

void PERMU(const int& N, const float X[], int IPERMU[], const int& IPATH, float XPERMU[]) {
    RoutineScope scope("PERMU");
    if (N <= 0) {
        E1VALI(1, N);
        E1MES(kTerminal, 1,
              "The length of the arrays X and XPERMU must be positive while N = %(I1) is given.");
    }
    if (IPATH != 1 && IPATH != 2) {
        E1VALI(1, IPATH);
        E1MES(kTerminal, 2, "IPATH must be equal to 1 or 2 while a value of %(I1) is given.");
    }
    if (N1RTY(0) >= kFatal) return;

    RCOPY(N, X, 1, XPERMU, 1);
    if (N == 1) return;

    Vec1<int> p(IPERMU);
    Vec1<float> x(XPERMU);
    // A negative entry marks a position whose cycle has not been followed yet.
    for (int i = 1; i <= N; ++i) {
        if (p(i) < 1 || p(i) > N) {
            E1VALI(1, i);
            E1VALI(2, N);
            E1VALI(3, p(i));
            E1MES(kTerminal, 3,
                  "IPERMU(%(I1)) = %(I3) is not allowed.  It must be between 1 and N = %(I2).");
        } else {
            p(i) = -p(i);
        }
    }
    if (N1RTY(0) >= kFatal) {
        for (int i = 1; i <= N; ++i) {
            if (p(i) < 0) p(i) = -p(i);
        }
        return;
    }

    auto swap = [&x](int a, int b) {
        float t = x(a);
        x(a) = x(b);
        x(b) = t;
    };
    for (int i = 1; i <= N; ++i) {
        if (p(i) > 0) continue;
        p(i) = -p(i);
        if (IPATH == 1) {
            int j = i;
            int k = p(j);
            while (p(k) < 0) {
                swap(j, k);
                p(k) = -p(k);
                j = k;
                k = p(k);
            }
        } else {
            // Each cycle closes at its start, whose entry is already
            // restored; testing the mark rather than the position also ends
            // the walk on an entry list that is not a permutation.
            int j = p(i);
            while (p(j) < 0) {
                swap(i, j);
                p(j) = -p(j);
                j = p(j);
            }
        }
    }
}

void SortWithPermutation(int N, const float X[], float XS[], int IWK[]) {
    Vec1<int> perm(IWK);
#pragma GCC unroll 4
    for (int j = 1; j <= N; ++j) perm(j) = j;
    SVRGP(N, X, XS, IWK);
}

int FirstEqualNeighbour(const float XS[], int N) {
    Vec1<const float> xs(XS);
    for (int j = 2; j <= N; ++j) {
        if (xs(j) == xs(j - 1)) return j;
    }
    return 0;
}

AbscissaFault SortDistinctAbscissas(int N, const float X[], float XS[], int IWK[],
                                    AbscissaOrder order) {
    Vec1<const float> x(X);
    Vec1<float> xs(XS);
    Vec1<int> perm(IWK);
    AbscissaFault fault;
    // A NaN compares false with everything, so it would pass an ordering scan
    // and leave the sort without an order; an infinity passes both and makes
    // every interval it ends infinitely wide. Branch-free scans answer whether
    // all are finite and ascend; only a fault is searched for its position.
    bool allFinite = true;
    bool ascending = true;
#pragma GCC unroll 4
    for (int i = 1; i <= N; ++i) allFinite &= std::isfinite(x(i));
#pragma GCC unroll 4
    for (int i = 2; i <= N; ++i) ascending &= x(i) > x(i - 1);
    if (!allFinite) {
        int i = 1;
        while (std::isfinite(x(i))) ++i;
        fault.kind = AbscissaFault::kNotFinite;
        fault.first = i;
        fault.value = x(i);
        return fault;
    }
    int firstNotAscending = 0;
    if (!ascending) {
        firstNotAscending = 2;
        while (x(firstNotAscending) > x(firstNotAscending - 1)) ++firstNotAscending;
    }
#pragma GCC unroll 4
    for (int j = 1; j <= N; ++j) perm(j) = j;
    if (order == AbscissaOrder::kCopyIfAscending) {
        const int i = firstNotAscending;
        if (i == 0) {
            RCOPY(N, X, 1, XS, 1);
            return fault;
        }
        if (x(i) == x(i - 1)) {
            fault.kind = AbscissaFault::kEqual;
            fault.first = i - 1;
            fault.second = i;
            fault.value = x(i);
            return fault;
        }
    }
    SVRGP(N, X, XS, IWK);
    if (const int j = FirstEqualNeighbour(XS, N)) {
        fault.kind = AbscissaFault::kEqualAfterSort;
        fault.first = perm(j - 1);
        fault.second = perm(j);
        fault.value = xs(j);
    }
    return fault;
}

void RaiseAbscissaFault(const AbscissaFault& fault, int type, int code) {
    if (!fault) return;
    E1VALI(1, fault.first);
    E1VALR(1, fault.value);
    if (fault.kind == AbscissaFault::kNotFinite) {
        E1MES(type, code,
              "Points in the data point abscissas array, XDATA, must be finite, but XDATA(%(I1)) "
              "= %(R1).");
        return;
    }
    E1VALI(2, fault.second);
    E1MES(type, code,
          "Points in the data point abscissas array, XDATA, must be distinct, but XDATA(%(I1)) = "
          "XDATA(%(I2)) = %(R1).");
}
