// The built-in functions.
#pragma once

struct Builtin {
    const char* name;
    int arguments;
};

enum { kBuiltinCount = 21 };

// 21 entries and the end marker "/".
extern const Builtin kBuiltins[kBuiltinCount + 1];

int FindBuiltin(const char* name);
void BuiltinCall(double* slot);
void EvaluateBuiltin(int index, const double* args, double* slot);
double Factorial(double x);
double AngleFactor();
