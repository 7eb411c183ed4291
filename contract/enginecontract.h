// What Nodara and Fitcore agree on. The two programs meet only through three files in the
// working directory; this header is the one place that names them and their limits, and it
// depends on nothing, so both programs include it without linking anything of the other.
//
//   B2F.dat   the points:  " N \r\n", then N records "±0.00000E+00 ±0.00000E+00\r\n"
//   Bor3.dat  the method:  the flag "00" or "01", and for a library method a second record
//                          with its number ("02"), each alone on a CR LF line
//   F2B.dat   the table:   the row count, then one record of X and Y a row
#pragma once

namespace contract {

inline constexpr char kPointFile[] = "B2F.dat";
inline constexpr char kMethodFile[] = "Bor3.dat";
inline constexpr char kTableFile[] = "F2B.dat";

// Points in B2F.dat, and the engine's table: kRowsPerInterval rows for every interval of the
// data, and room for the last point and a few more.
inline constexpr int kMaxPoints = 100;
inline constexpr int kRowsPerInterval = 100;
inline constexpr int kMaxTableRows = 10010;

// The first record of Bor3.dat.
inline constexpr int kCubicSplineFlag = 0;
inline constexpr int kLibraryFlag = 1;  // the B-spline fit, or the method of the second record
// The second record of Bor3.dat: the library's methods besides the engine's own two.
inline constexpr int kAkimaMethod = 2;
inline constexpr int kShapePreservingMethod = 3;
inline constexpr int kSmoothingMethod = 9;
inline constexpr int kMonotoneMethod = 20;

}  // namespace contract
