// User-defined functions: the table and its text pool.
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

// Index of the function with this name, -1 when there is none.
int FindFunction(const char* name);
// The three texts of entry i: name, parameter list ("a,b"), body.
const char* FunctionName(int i);
const char* FunctionParameters(int i);
const char* FunctionBody(int i);
// Copies the parameter name that starts at p (up to "," or the end) into
// name (kTokenSize bytes); returns where the next one starts.
const char* NextParameter(const char* p, char* name);
// Whether the three texts of a new definition fit behind the pool's fill.
bool FunctionFits(int nameLength, int parametersLength, int bodyLength);
// Stores a definition in entry index (a new one is the next free entry).
void StoreFunction(int index, const char* name, int nameLength, const char* parameters,
                   int parametersLength, int count, const char* body, int bodyLength);
// Rewrites the pool without the texts of replaced definitions.
void CompactFunctionPool();
