// The built-in functions.
#pragma once

enum { kBuiltinCount = 21, kBuiltinOk = -1 };

// Computes a value from the arguments; kBuiltinOk or an error code.
typedef int (*BuiltinFn)(const double* args, double* result);

struct Builtin {
    const char* name;
    int arguments;     // 1 or 2
    BuiltinFn compute; // none in the end marker
};

// One row per built-in and the end marker "/".
extern const Builtin kBuiltins[kBuiltinCount + 1];

int FindBuiltin(const char* name);
void BuiltinCall(double* slot);
void EvaluateBuiltin(int index, const double* args, double* slot);
double Factorial(double x);
double AngleFactor();
