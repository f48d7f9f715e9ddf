// The variable table: up to 100 named doubles, names in a 1024-byte pool.
#pragma once

#include "eval/eval.h"

enum { kMaxVariables = 100, kVariablePoolSize = 1024 };

struct VariableTable {
    int count;
    int used;
    char pool[kVariablePoolSize];
    double values[kMaxVariables];
};

extern VariableTable g_vars;

int FindVariable(const char* name, double* value);
int AddVariable(const char* name);
void SetVariable(const char* name, double value);
void StoreAssignment(EvalState* s, const char* name, double value);
// The name of entry i (walks the pool).
const char* VariableName(int i);
