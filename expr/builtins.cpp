#include "expr/builtins.h"

#include <math.h>
#include <stdint.h>
#include <string.h>

#include "console/settings.h"
#include "expr/eval.h"
#include "mathlib/tolvane_math.h"

const Builtin kBuiltins[kBuiltinCount + 1] = {
    {"exp", 1},  {"ln", 1},    {"log", 1},  {"sqrt", 1}, {"sin", 1},  {"cos", 1},
    {"tan", 1},  {"asin", 1},  {"acos", 1}, {"atan", 1}, {"sinh", 1}, {"cosh", 1},
    {"tanh", 1}, {"kai", 1},   {"p", 2},    {"c", 2},    {"mod", 2},  {"int", 1},
    {"ceil", 1}, {"floor", 1}, {"not", 1},  {"/", 0},
};

namespace {

const int kOk = -1;
const double kDegreesPerRadian = 57.29577951308232;

// Each computes a value from its arguments and returns kOk or an error code.
typedef int (*BuiltinFn)(const double* a, double* r);

int Exp(const double* a, double* r) {
    *r = tolvane_exp(a[0]);
    return kOk;
}

int Ln(const double* a, double* r) {
    if (!(a[0] > 0)) return kErrRange;
    *r = tolvane_log(a[0]);
    return kOk;
}

int Log(const double* a, double* r) {
    if (!(a[0] > 0)) return kErrRange;
    *r = tolvane_log10(a[0]);
    return kOk;
}

int Sqrt(const double* a, double* r) {
    if (!(a[0] >= 0)) return kErrRange;
    *r = tolvane_sqrt(a[0]);
    return kOk;
}

int Sin(const double* a, double* r) {
    *r = tolvane_sin(a[0] / AngleFactor());
    return kOk;
}
int Cos(const double* a, double* r) {
    *r = tolvane_cos(a[0] / AngleFactor());
    return kOk;
}
int Tan(const double* a, double* r) {
    *r = tolvane_tan(a[0] / AngleFactor());
    return kOk;
}

int Asin(const double* a, double* r) {
    if (fabs(a[0]) > 1) return kErrRange;
    *r = tolvane_asin(a[0]) * AngleFactor();
    return kOk;
}

int Acos(const double* a, double* r) {
    if (fabs(a[0]) > 1) return kErrRange;
    *r = tolvane_acos(a[0]) * AngleFactor();
    return kOk;
}

int Atan(const double* a, double* r) {
    *r = tolvane_atan(a[0]) * AngleFactor();
    return kOk;
}
int Sinh(const double* a, double* r) {
    *r = tolvane_sinh(a[0]);
    return kOk;
}
int Cosh(const double* a, double* r) {
    *r = tolvane_cosh(a[0]);
    return kOk;
}
int Tanh(const double* a, double* r) {
    *r = tolvane_tanh(a[0]);
    return kOk;
}

int Kai(const double* a, double* r) {
    double f = Factorial(a[0]);
    if (f < 0) return kErrRange;
    *r = f;
    return kOk;
}

// Permutations: x! / (x - y)!.
int Perm(const double* a, double* r) {
    double x = Factorial(a[0]);
    if (x < 0) return kErrRange;
    double xy = Factorial(a[0] - a[1]);
    if (!(xy > 0)) return kErrRange;
    *r = x / xy;
    return kOk;
}

// Combinations: x! / (x - y)! / y!.
int Comb(const double* a, double* r) {
    double x = Factorial(a[0]);
    if (x < 0) return kErrRange;
    double xy = Factorial(a[0] - a[1]);
    if (!(xy > 0)) return kErrRange;
    double y = Factorial(a[1]);
    if (!(y > 0)) return kErrRange;
    *r = x / xy / y;
    return kOk;
}

int Mod(const double* a, double* r) {
    if (a[1] == 0 || isnan(a[1])) return kErrDivide;
    *r = tolvane_fmod(a[0], a[1]);
    return kOk;
}

// Nearest integer, a half away from zero.
int Int(const double* a, double* r) {
    double t = trunc(a[0]);
    if (fabs(a[0] - t) < 0.5) {
        *r = t;
    } else {
        *r = a[0] > 0 ? t + 1 : t - 1;
    }
    return kOk;
}

int Ceil(const double* a, double* r) {
    *r = tolvane_ceil(a[0]);
    return kOk;
}
int Floor(const double* a, double* r) {
    *r = tolvane_floor(a[0]);
    return kOk;
}

// Complement of the low 32 bits of the integer part (0 when it does not fit
// a signed 64-bit integer), as an unsigned number.
int Not(const double* a, double* r) {
    *r = (double)(uint32_t)~LowWord(a[0]);
    return kOk;
}

// In the order of the built-in table.
const BuiltinFn kCompute[kBuiltinCount] = {
    Exp,  Ln,   Log, Sqrt, Sin,  Cos, Tan, Asin, Acos,  Atan, Sinh,
    Cosh, Tanh, Kai, Perm, Comb, Mod, Int, Ceil, Floor, Not,
};

} // namespace

// Position of a name in the built-in table, -1 when it is none.
int FindBuiltin(const char* name) {
    for (int i = 0; strcmp(kBuiltins[i].name, "/") != 0; ++i) {
        if (kBuiltins[i].name[0] == name[0] && strcmp(kBuiltins[i].name, name) == 0) return i;
    }
    return -1;
}

// Degrees per radian in degrees mode, 1 in radians.
double AngleFactor() {
    return g_settings.angleMode == kRadians ? 1.0 : kDegreesPerRadian;
}

// Factorial of the integer part of x; -1 outside 0 to 170.
double Factorial(double x) {
    double n = tolvane_floor(x);
    if (!(n >= 0) || n > 170) return -1;
    double result = 1;
    for (double factor = n; factor >= 1; factor -= 1) result *= factor;
    return result;
}

// call := name "(" assignment { "," assignment } ")"
void BuiltinCall(double* slot) {
    int index = g_eval.token.builtin;
    int n = kBuiltins[index].arguments;
    double args[2] = {0.0, 0.0};
    NextToken();
    for (int i = 0; i < n; ++i) {
        NextToken();
        AssignmentLevel(&args[i]);
        if (i < n - 1) {
            if (!TokenIs(',')) ReportError(kErrArguments);
        } else if (!TokenIs(')')) {
            ReportError(kErrParen);
        }
    }
    EvaluateBuiltin(index, args, slot);
    NextToken();
}

// Computes built-in index from its arguments; a domain failure gives 0.
void EvaluateBuiltin(int index, const double* args, double* slot) {
    double result = 0.0;
    int error = kCompute[index](args, &result);
    if (error != kOk) {
        *slot = 0.0;
        ReportError(error);
        return;
    }
    *slot = result;
}
