#include "eval/builtins.h"

#include <math.h>
#include <stdint.h>

#include "eval/number_text.h"
#include "mathlib/tolvane_math.h"

namespace {

const double kDegreesPerRadian = 57.29577951308232;

// Factorial: x! of the integer part, a range error outside 0 to 170.
int FactorialBuiltin(const double* a, double* r) {
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

// Combinations: the permutations / y!.
int Comb(const double* a, double* r) {
    int error = Perm(a, r);
    if (error != kBuiltinOk) return error;
    double y = Factorial(a[1]);
    if (!(y > 0)) return kErrRange;
    *r /= y;
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

// Complement of the low 32 bits of the integer part (0 when it does not fit
// a signed 64-bit integer), as an unsigned number.
int Not(const double* a, double* r) {
    *r = (double)(uint32_t)~LowWord(a[0]);
    return kBuiltinOk;
}

} // namespace

// The built-ins, each at its index: name, argument count, and either a
// plain function of one argument with its domain and its use of the angle
// mode, or a computation of its own.
constexpr Builtin kBuiltins[kBuiltinCount + 1] = {
    {"exp", 1, tolvane_exp},                                    // 0
    {"ln", 1, tolvane_log, kPositive},                          // 1
    {"log", 1, tolvane_log10, kPositive},                       // 2
    {"sqrt", 1, tolvane_sqrt, kNotNegative},                    // 3
    {"sin", 1, tolvane_sin, kAnyValue, kAngleArgument},         // 4
    {"cos", 1, tolvane_cos, kAnyValue, kAngleArgument},         // 5
    {"tan", 1, tolvane_tan, kAnyValue, kAngleArgument},         // 6
    {"asin", 1, tolvane_asin, kUnitRange, kAngleResult},        // 7
    {"acos", 1, tolvane_acos, kUnitRange, kAngleResult},        // 8
    {"atan", 1, tolvane_atan, kAnyValue, kAngleResult},         // 9
    {"sinh", 1, tolvane_sinh},                                  // 10
    {"cosh", 1, tolvane_cosh},                                  // 11
    {"tanh", 1, tolvane_tanh},                                  // 12
    {"kai", 1, nullptr, kAnyValue, kNoAngle, FactorialBuiltin}, // 13
    {"p", 2, nullptr, kAnyValue, kNoAngle, Perm},               // 14
    {"c", 2, nullptr, kAnyValue, kNoAngle, Comb},               // 15
    {"mod", 2, nullptr, kAnyValue, kNoAngle, Mod},              // 16
    {"int", 1, nullptr, kAnyValue, kNoAngle, Int},              // 17
    {"ceil", 1, tolvane_ceil},                                  // 18
    {"floor", 1, tolvane_floor},                                // 19
    {"not", 1, nullptr, kAnyValue, kNoAngle, Not},              // 20
    {"/", 0},                                                   // end marker
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
double AngleFactor(int angleMode) {
    return angleMode == kRadians ? 1.0 : kDegreesPerRadian;
}

// Factorial of the integer part of x; -1 outside 0 to 170.
double Factorial(double x) {
    double n = tolvane_floor(x);
    if (!(n >= 0) || n > 170) return -1;
    double result = 1;
    for (double factor = n; factor >= 1; factor -= 1) result *= factor;
    return result;
}

// Whether a plain function's argument lies in its domain.
static bool InDomain(int domain, double x) {
    switch (domain) {
    case kPositive: return x > 0;
    case kNotNegative: return x >= 0;
    case kUnitRange: return !(fabs(x) > 1);
    default: return true;
    }
}

// Computes built-in index from its arguments; a domain failure gives 0.
void EvaluateBuiltin(EvalState* s, int index, const double* args, double* slot) {
    const Builtin& row = kBuiltins[index];
    double result = 0.0;
    int error = kBuiltinOk;
    if (!row.function) {
        error = row.compute(args, &result);
    } else if (!InDomain(row.domain, args[0])) {
        error = kErrRange;
    } else if (row.angle == kAngleArgument) {
        result = row.function(args[0] / AngleFactor(s->angleMode));
    } else {
        result = row.function(args[0]);
        if (row.angle == kAngleResult) result *= AngleFactor(s->angleMode);
    }
    if (error != kBuiltinOk) {
        *slot = 0.0;
        ReportError(s, error);
        return;
    }
    *slot = result;
}
