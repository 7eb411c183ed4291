// The numerical library in one include.
#pragma once

#include "akima.h"
#include "band_solver.h"
#include "bspline_basis.h"
#include "bspline_eval.h"
#include "bspline_interp.h"
#include "bspline_lsq.h"
#include "cubic_spline.h"
#include "errors.h"
#include "machine.h"
#include "monotone_cubic.h"
#include "pp_eval.h"
#include "shape_cubic.h"
#include "smoothing.h"
#include "sort.h"
#include "splez.h"
#include "varknot_lsq.h"
