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
