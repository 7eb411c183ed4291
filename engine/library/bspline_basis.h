// B-spline basis values by the Cox-de Boor recurrence (de Boor, A Practical Guide to Splines,
// BSPLVB). The recurrence step and the knot checks behind it are in internal/bspline_steps.h.
#pragma once

// B(1..KORDER) receives the values at X of the B-splines B(LEFT-KORDER+1) .. B(LEFT) of order
// KORDER; DL and DR are KORDER-entry scratch vectors. The knot interval
// XKNOT(LEFT) .. XKNOT(LEFT+1) must not be empty.
void BASISVAL(const float XKNOT[], const int& KORDER, const float& X, const int& LEFT, float B[],
              float DL[], float DR[]);
