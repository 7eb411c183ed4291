// Sorting a real vector into ascending order, with or without a record of
// the permutation, and applying a permutation to a real vector.
#pragma once

// RB receives RA in ascending order (RB may be RA). Every exchange of two
// elements of RB exchanges the same two entries of IPERM, so RB(J) =
// RA(IPERM(J)) when IPERM held 1..N on entry.
void SVRGP(const int& N, const float RA[], float RB[], int IPERM[]);
// RB receives RA in ascending order (RB may be RA).
void SVRGN(const int& N, const float RA[], float RB[]);
// IPATH = 1: XPERMU(I) = X(IPERMU(I)); IPATH = 2: XPERMU(IPERMU(I)) = X(I).
// XPERMU may be X. IPERMU is marked during the call and holds its values
// again on return.
void PERMU(const int& N, const float X[], int IPERMU[], const int& IPATH, float XPERMU[]);

// What SortDistinctAbscissas found wrong with a set of data abscissas.
struct AbscissaFault {
    enum Kind {
        kNone,
        kNotFinite,       // X(first) = value is NaN or infinite
        kEqual,           // X(first) = X(second), neighbours in the given order
        kEqualAfterSort,  // X(first) = X(second), neighbours once sorted
    };
    Kind kind = kNone;
    int first = 0, second = 0;  // positions in the caller's array
    float value = 0.0f;
    explicit operator bool() const { return kind != kNone; }
};

// How SortDistinctAbscissas treats abscissas that already ascend.
enum class AbscissaOrder {
    kCopyIfAscending,  // scanned as given: copied when strictly ascending, sorted otherwise
    kAlwaysSort,       // sorted in any case
};

// The data-abscissa check of the interpolation and fitting routines: refuses
// the first abscissa that is not finite (in the given order), then writes
// X(1..N) in ascending order to XS with the permutation in IWK, so that XS(J)
// = X(IWK(J)) (IWK is the identity when X is copied), and reports the first
// two equal abscissas. Sorting is done by SVRGP. Nothing is raised here.
AbscissaFault SortDistinctAbscissas(int N, const float X[], float XS[], int IWK[],
                                    AbscissaOrder order);

// Raises the routine's report of a fault with the given type and code: the
// distinct-abscissa message for two equal abscissas, and for one that is not
// finite a message of the same kind naming it.
void RaiseAbscissaFault(const AbscissaFault& fault, int type, int code);
