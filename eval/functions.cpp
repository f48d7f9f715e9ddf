#include "eval/functions.h"

#include <string.h>

#include "eval/eval.h"

FunctionTable g_funcs;

namespace {

// Copies a text of the given length and its zero byte to the pool's end.
void AddToPool(const char* text, int length) {
    memcpy(g_funcs.pool + g_funcs.fill, text, (size_t)length);
    g_funcs.pool[g_funcs.fill + length] = 0;
    g_funcs.fill += length + 1;
}

} // namespace

// The name of entry i.
const char* FunctionName(int i) {
    return g_funcs.pool + g_funcs.entries[i].offset;
}

// The parameter list of entry i, behind its name.
const char* FunctionParameters(int i) {
    return FunctionName(i) + strlen(FunctionName(i)) + 1;
}

// The body of entry i, behind its parameter list.
const char* FunctionBody(int i) {
    return FunctionParameters(i) + strlen(FunctionParameters(i)) + 1;
}

// Copies one parameter name of a list and steps past its ",".
const char* NextParameter(const char* p, char* name) {
    int n = 0;
    while (*p && *p != ',') {
        if (n < kTokenSize - 1) name[n++] = *p;
        ++p;
    }
    name[n] = 0;
    return *p == ',' ? p + 1 : p;
}

// Index of the function with this name, -1 when there is none.
int FindFunction(const char* name) {
    for (int i = 0; i < g_funcs.count; ++i) {
        if (strcmp(FunctionName(i), name) == 0) return i;
    }
    return -1;
}

// The three texts and their terminators against the room left.
bool FunctionFits(int nameLength, int parametersLength, int bodyLength) {
    return nameLength + parametersLength + bodyLength + 3 + g_funcs.fill <= kFunctionPoolSize;
}

// Writes the entry and appends its texts to the pool.
void StoreFunction(int index, const char* name, int nameLength, const char* parameters,
                   int parametersLength, int count, const char* body, int bodyLength) {
    if (index == g_funcs.count) ++g_funcs.count;
    g_funcs.entries[index].offset = g_funcs.fill;
    g_funcs.entries[index].parameters = count;
    AddToPool(name, nameLength);
    AddToPool(parameters, parametersLength);
    AddToPool(body, bodyLength);
}

// Rewrites the pool without the texts of replaced definitions.
void CompactFunctionPool() {
    char pool[kFunctionPoolSize];
    int fill = 0;
    for (int i = 0; i < g_funcs.count; ++i) {
        const char* texts = FunctionName(i);
        int length = (int)(FunctionBody(i) + strlen(FunctionBody(i)) + 1 - texts);
        memcpy(pool + fill, texts, (size_t)length);
        g_funcs.entries[i].offset = fill;
        fill += length;
    }
    memcpy(g_funcs.pool, pool, (size_t)fill);
    g_funcs.fill = fill;
}
