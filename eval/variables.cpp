#include "eval/variables.h"

#include <string.h>

#include "eval/eval.h"

VariableTable g_vars;

// The name of entry i: a walk over the pool.
const char* VariableName(int i) {
    const char* p = g_vars.pool;
    while (i-- > 0) p += strlen(p) + 1;
    return p;
}

namespace {

// The index of the entry with this name, -1 when there is none: one walk
// over the pool, each name compared as it is passed.
int VariableIndex(const char* name) {
    const char* p = g_vars.pool;
    for (int i = 0; i < g_vars.count; ++i) {
        const char* q = name;
        while (*p != 0 && *p == *q) ++p, ++q;
        if (*p == *q) return i;
        while (*p != 0) ++p;
        ++p;
    }
    return -1;
}

} // namespace

// Gives the value of the entry with this name; 0 when there is none.
int FindVariable(const char* name, double* value) {
    int i = VariableIndex(name);
    if (i < 0) return 0;
    *value = g_vars.values[i];
    return 1;
}

// Adds a name (its value is set by the caller); 0 when the table or the
// pool is full.
int AddVariable(const char* name) {
    if (g_vars.count >= kMaxVariables) return 0;
    int length = (int)strlen(name);
    if (length + g_vars.used + 1 > kVariablePoolSize) return 0;
    memcpy(g_vars.pool + g_vars.used, name, (size_t)length + 1);
    g_vars.used += length + 1;
    g_vars.count++;
    return 1;
}

// Writes the value into the entry with this name, if there is one.
void SetVariable(const char* name, double value) {
    int i = VariableIndex(name);
    if (i >= 0) g_vars.values[i] = value;
}

// Stores an assignment unless an error is pending; a full table is noted
// in the record and counts as error 5.
void StoreAssignment(EvalState* s, const char* name, double value) {
    if (s->error != kNoError) return;
    int i = VariableIndex(name);
    if (i < 0 && !AddVariable(name)) {
        RecordError(&s->record, kNoteVariableSpace);
        s->error = kErrNoVariable;
        return;
    }
    g_vars.values[i >= 0 ? i : g_vars.count - 1] = value;
}
