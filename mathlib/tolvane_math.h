// The mathematical functions of the calculator, the same implementation in
// every build (see mathlib/CMakeLists.txt), so that every build computes the
// same bits.
#pragma once

extern "C" {
double tolvane_exp(double x);
double tolvane_log(double x);
double tolvane_log10(double x);
double tolvane_sqrt(double x);
double tolvane_sin(double x);
double tolvane_cos(double x);
double tolvane_tan(double x);
double tolvane_asin(double x);
double tolvane_acos(double x);
double tolvane_atan(double x);
double tolvane_sinh(double x);
double tolvane_cosh(double x);
double tolvane_tanh(double x);
double tolvane_pow(double x, double y);
double tolvane_fmod(double x, double y);
double tolvane_ceil(double x);
double tolvane_floor(double x);
}
