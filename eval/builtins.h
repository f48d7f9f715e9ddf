// The built-in functions.
#pragma once

#include "eval/eval.h"

enum { kBuiltinCount = 21, kBuiltinOk = -1 };

// Computes a value from the arguments; kBuiltinOk or an error code.
typedef int (*BuiltinFn)(const double* args, double* result);

// Where a plain function's argument must lie; outside is a range error.
enum Domain { kAnyValue, kPositive, kNotNegative, kUnitRange };
// How a plain function meets the angle mode: its argument is an angle, or
// its result is.
enum AngleUse { kNoAngle, kAngleArgument, kAngleResult };

struct Builtin {
    const char* name;
    int arguments;                        // 1 or 2
    double (*function)(double) = nullptr; // a plain function of one argument, or none
    int domain = kAnyValue;               // Domain of that function's argument
    int angle = kNoAngle;                 // AngleUse of that function
    BuiltinFn compute = nullptr;          // otherwise the built-in's own computation
};

// One row per built-in and the end marker "/".
extern const Builtin kBuiltins[kBuiltinCount + 1];

int FindBuiltin(const char* name);
// Computes built-in index from its arguments into the slot; a failure is
// reported and leaves 0.
void EvaluateBuiltin(EvalState* s, int index, const double* args, double* slot);
// Factorial of the integer part of x; -1 outside 0 to 170.
double Factorial(double x);
// Degrees per radian in degrees mode, 1 in radians.
double AngleFactor(int angleMode);
