// User-defined functions: the table, its text pool, def, calls and listing.
#pragma once

enum {
    kMaxFunctions = 50,
    kFunctionPoolSize = 1024,
    kMaxParameters = 20,
};

struct FunctionEntry {
    int offset;     // name, parameter list and body in the pool, each NUL-ended
    int parameters; // number of parameters
};

struct FunctionTable {
    int count;
    int fill;
    FunctionEntry entries[kMaxFunctions];
    char pool[kFunctionPoolSize];
};

extern FunctionTable g_funcs;

void DefineFunction();
int FindFunction(const char* name);
void CompactFunctionPool();
void ListFunctions();
void UserFunctionCall(double* slot);
void CallUserFunction(int index, const double* args, double* slot);
