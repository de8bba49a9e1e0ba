// x^y rounded once to the nearest double, the same on every platform.
//
// The C libraries' pow differ in the last bit (glibc and Windows' runtimes
// round differently in a good share of cases), and a compound growth or a
// grid ladder of large figures carries that bit into the cents. This one is
// computed in double-double arithmetic from plain IEEE operations only and
// rounded once, so every system gives the same bits: the nearest double to
// the exact power, halves to even.
#pragma once

namespace hc {

// For finite x and y. The cases without a finite power follow C's pow: a
// negative x with a y that is not a whole number gives not-a-number, 0 to a
// negative power an infinity, a power beyond the double range an infinity,
// one below the smallest subnormal 0 (each with the sign of the power).
// Non-finite arguments are left to the C library.
double PowerRounded(double x, double y);

}  // namespace hc
