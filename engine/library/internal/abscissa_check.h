// Internal to the library, not part of its interface: sorted copies of abscissas with their
// permutation, the search for two equal ones, and the data-abscissa check of the interpolation
// and fitting routines built on them.
#pragma once

// XS(1..N) receives X(1..N) in ascending order and IWK(1..N) the permutation, XS(J) =
// X(IWK(J)): SVRGP from the identity record.
void SortWithPermutation(int N, const float X[], float XS[], int IWK[]);

// The first J in 2..N with XS(J) = XS(J - 1) in an ascending XS(1..N), or 0 when there is none.
int FirstEqualNeighbour(const float XS[], int N);

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

// The data-abscissa check: refuses the first abscissa that is not finite (in the given order),
// then writes X(1..N) in ascending order to XS with the permutation in IWK, so that XS(J) =
// X(IWK(J)) (IWK is the identity when X is copied), and reports the first two equal abscissas.
// Nothing is raised here.
AbscissaFault SortDistinctAbscissas(int N, const float X[], float XS[], int IWK[],
                                    AbscissaOrder order);

// Raises the routine's report of a fault with the given type and code: the distinct-abscissa
// message for two equal abscissas, and for one that is not finite a message of the same kind
// naming it.
void RaiseAbscissaFault(const AbscissaFault& fault, int type, int code);
