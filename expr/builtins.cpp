#include "expr/builtins.h"

#include <math.h>
#include <stdint.h>

#include "console/settings.h"
#include "expr/errors.h"
#include "expr/eval.h"
#include "expr/parser.h"
#include "expr/tokenizer.h"
#include "mathlib/tolvane_math.h"

namespace {

const double kDegreesPerRadian = 57.29577951308232;

int Exp(const double* a, double* r) {
    *r = tolvane_exp(a[0]);
    return kBuiltinOk;
}

int Ln(const double* a, double* r) {
    if (!(a[0] > 0)) return kErrRange;
    *r = tolvane_log(a[0]);
    return kBuiltinOk;
}

int Log(const double* a, double* r) {
    if (!(a[0] > 0)) return kErrRange;
    *r = tolvane_log10(a[0]);
    return kBuiltinOk;
}

int Sqrt(const double* a, double* r) {
    if (!(a[0] >= 0)) return kErrRange;
    *r = tolvane_sqrt(a[0]);
    return kBuiltinOk;
}

int Sin(const double* a, double* r) {
    *r = tolvane_sin(a[0] / AngleFactor());
    return kBuiltinOk;
}
int Cos(const double* a, double* r) {
    *r = tolvane_cos(a[0] / AngleFactor());
    return kBuiltinOk;
}
int Tan(const double* a, double* r) {
    *r = tolvane_tan(a[0] / AngleFactor());
    return kBuiltinOk;
}

int Asin(const double* a, double* r) {
    if (fabs(a[0]) > 1) return kErrRange;
    *r = tolvane_asin(a[0]) * AngleFactor();
    return kBuiltinOk;
}

int Acos(const double* a, double* r) {
    if (fabs(a[0]) > 1) return kErrRange;
    *r = tolvane_acos(a[0]) * AngleFactor();
    return kBuiltinOk;
}

int Atan(const double* a, double* r) {
    *r = tolvane_atan(a[0]) * AngleFactor();
    return kBuiltinOk;
}
int Sinh(const double* a, double* r) {
    *r = tolvane_sinh(a[0]);
    return kBuiltinOk;
}
int Cosh(const double* a, double* r) {
    *r = tolvane_cosh(a[0]);
    return kBuiltinOk;
}
int Tanh(const double* a, double* r) {
    *r = tolvane_tanh(a[0]);
    return kBuiltinOk;
}

int Kai(const double* a, double* r) {
    double f = Factorial(a[0]);
    if (f < 0) return kErrRange;
    *r = f;
    return kBuiltinOk;
}

// Permutations: x! / (x - y)!.
int Perm(const double* a, double* r) {
    double x = Factorial(a[0]);
    if (x < 0) return kErrRange;
    double xy = Factorial(a[0] - a[1]);
    if (!(xy > 0)) return kErrRange;
    *r = x / xy;
    return kBuiltinOk;
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
    return kBuiltinOk;
}

int Mod(const double* a, double* r) {
    if (a[1] == 0 || isnan(a[1])) return kErrDivide;
    *r = tolvane_fmod(a[0], a[1]);
    return kBuiltinOk;
}

// Nearest integer, a half away from zero.
int Int(const double* a, double* r) {
    double t = trunc(a[0]);
    if (fabs(a[0] - t) < 0.5) {
        *r = t;
    } else {
        *r = a[0] > 0 ? t + 1 : t - 1;
    }
    return kBuiltinOk;
}

int Ceil(const double* a, double* r) {
    *r = tolvane_ceil(a[0]);
    return kBuiltinOk;
}
int Floor(const double* a, double* r) {
    *r = tolvane_floor(a[0]);
    return kBuiltinOk;
}

// Complement of the low 32 bits of the integer part (0 when it does not fit
// a signed 64-bit integer), as an unsigned number.
int Not(const double* a, double* r) {
    *r = (double)(uint32_t)~LowWord(a[0]);
    return kBuiltinOk;
}

} // namespace

// The built-ins, each at its index: name, argument count, computation.
constexpr Builtin kBuiltins[kBuiltinCount + 1] = {
    {"exp", 1, Exp},     // 0
    {"ln", 1, Ln},       // 1
    {"log", 1, Log},     // 2
    {"sqrt", 1, Sqrt},   // 3
    {"sin", 1, Sin},     // 4
    {"cos", 1, Cos},     // 5
    {"tan", 1, Tan},     // 6
    {"asin", 1, Asin},   // 7
    {"acos", 1, Acos},   // 8
    {"atan", 1, Atan},   // 9
    {"sinh", 1, Sinh},   // 10
    {"cosh", 1, Cosh},   // 11
    {"tanh", 1, Tanh},   // 12
    {"kai", 1, Kai},     // 13
    {"p", 2, Perm},      // 14
    {"c", 2, Comb},      // 15
    {"mod", 2, Mod},     // 16
    {"int", 1, Int},     // 17
    {"ceil", 1, Ceil},   // 18
    {"floor", 1, Floor}, // 19
    {"not", 1, Not},     // 20
    {"/", 0, nullptr},   // end marker
};
static_assert(kBuiltins[kBuiltinCount].name != nullptr && kBuiltins[kBuiltinCount].name[0] == '/',
              "one row per built-in, then the end marker");

// Position of a name in the built-in table, -1 when it is none.
int FindBuiltin(const char* name) {
    for (int i = 0; i < kBuiltinCount; ++i) {
        const char* row = kBuiltins[i].name;
        int k = 0;
        while (row[k] != 0 && row[k] == name[k]) ++k;
        if (row[k] == name[k]) return i;
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
    int error = kBuiltins[index].compute(args, &result);
    if (error != kBuiltinOk) {
        *slot = 0.0;
        ReportError(error);
        return;
    }
    *slot = result;
}
