// The numerical library in one include.
#pragma once

#include "band_solver.h"
#include "cubic_spline.h"
#include "errors.h"
#include "machine.h"
#include "pp_eval.h"
#include "sort.h"
#include "views.h"
