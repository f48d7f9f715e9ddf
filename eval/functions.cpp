#include "eval/functions.h"

#include <stdio.h>
#include <string.h>

#include "session/commands.h"
#include "session/console.h"
#include "eval/builtins.h"
#include "eval/eval.h"
#include "eval/parser.h"
#include "eval/variables.h"
#include "platform/seam.h"

FunctionTable g_funcs;

namespace {

const char kCannotDefine[] = " 関数が登録できません\r\n";
const char kNoRoom[] = " 関数登録領域が足りません\r\n";

// The three texts of an entry: name, parameter list, body.
const char* EntryName(int i) {
    return g_funcs.pool + g_funcs.entries[i].offset;
}
const char* EntryParameters(int i) {
    return EntryName(i) + strlen(EntryName(i)) + 1;
}
const char* EntryBody(int i) {
    return EntryParameters(i) + strlen(EntryParameters(i)) + 1;
}

// Copies the parameter name that starts at p (up to "," or the end) into
// name; returns where the next one starts.
const char* NextParameter(const char* p, char* name) {
    int n = 0;
    while (*p && *p != ',') {
        if (n < kTokenSize - 1) name[n++] = *p;
        ++p;
    }
    name[n] = 0;
    return *p == ',' ? p + 1 : p;
}

// params := name { "," name } ")"   Creates missing parameter variables with
// the value 1; returns the count, or -1 when the list is malformed.
int ReadParameters() {
    int count = 0;
    for (;;) {
        NextToken();
        if (g_eval.token.kind != kTokenVariable || g_eval.token.length >= kTokenSize ||
            ++count > kMaxParameters) {
            return -1;
        }
        g_eval.lastError = 0;
        double value;
        if (!FindVariable(g_eval.token.text, &value)) {
            if (!AddVariable(g_eval.token.text)) AppendError(kNoRoom);
            SetVariable(g_eval.token.text, 1.0);
        }
        NextToken();
        if (g_eval.token.kind != kTokenDelimiter) return -1;
        if (TokenIs(')')) return count;
        if (!TokenIs(',')) return -1;
    }
}

// Asks before a function is replaced; true when the user agrees.
bool ConfirmRedefinition(const char* name) {
    char text[512];
    snprintf(text, sizeof text, "関数 %s() は既に定義されています。\n書き換えますか？", name);
    return g_seam.desktop->AskYesNo(text, "Tolvane");
}

// Copies a text of the given length and its zero byte to the pool's end.
void AddToPool(const char* text, int length) {
    memcpy(g_funcs.pool + g_funcs.fill, text, (size_t)length);
    g_funcs.pool[g_funcs.fill + length] = 0;
    g_funcs.fill += length + 1;
}

} // namespace

// def := "def" name "(" params ")" "=" body
void DefineFunction() {
    if (g_funcs.count >= kMaxFunctions) {
        AppendError(kNoRoom);
        return;
    }
    const char* start = TakeArgument(3);
    g_eval.definition = 1;
    NextToken();
    g_eval.definition = 0;
    if (*g_eval.cursor != '(' || g_eval.cursor - start >= kTokenSize) {
        AppendError(kCannotDefine);
        return;
    }
    char name[kTokenSize];
    int nameLength = (int)(g_eval.cursor - start);
    memcpy(name, start, (size_t)nameLength);
    name[nameLength] = 0;
    ++g_eval.cursor;
    if (FindBuiltin(name) >= 0) {
        AppendErrorFormat(" 関数名 %s は予約されています\r\n", name);
        return;
    }
    const char* parameters = g_eval.cursor;
    int count = ReadParameters();
    if (count < 0) {
        AppendError(kCannotDefine);
        return;
    }
    int parametersLength = (int)(g_eval.cursor - 1 - parameters);
    if (*g_eval.cursor != '=') {
        AppendError(kCannotDefine);
        return;
    }
    const char* body = g_eval.cursor + 1;
    int bodyLength = (int)strlen(body);

    double trial = 0.0;
    g_eval.cursor = body;
    g_eval.reset = 1;
    Evaluate(&trial);
    if (g_eval.fatal || g_eval.errorFlags[kErrNoVariable]) {
        AppendError(kCannotDefine);
        return;
    }
    if (nameLength + parametersLength + bodyLength + 3 + g_funcs.fill > kFunctionPoolSize) {
        CompactFunctionPool();
        AppendError(kNoRoom);
        return;
    }
    int index = FindFunction(name);
    if (index < 0) {
        index = g_funcs.count++;
    } else if (!ConfirmRedefinition(name)) {
        return;
    }
    g_funcs.entries[index].offset = g_funcs.fill;
    g_funcs.entries[index].parameters = count;
    AppendFormat(" 関数 %s() を登録しました\r\n", name);
    AddToPool(name, nameLength);
    AddToPool(parameters, parametersLength);
    AddToPool(body, bodyLength);
}

// Index of the function with this name, -1 when there is none.
int FindFunction(const char* name) {
    for (int i = 0; i < g_funcs.count; ++i) {
        if (strcmp(EntryName(i), name) == 0) return i;
    }
    return -1;
}

// Rewrites the pool without the texts of replaced definitions.
void CompactFunctionPool() {
    char pool[kFunctionPoolSize];
    int fill = 0;
    for (int i = 0; i < g_funcs.count; ++i) {
        const char* texts = EntryName(i);
        int length = (int)(EntryBody(i) + strlen(EntryBody(i)) + 1 - texts);
        memcpy(pool + fill, texts, (size_t)length);
        g_funcs.entries[i].offset = fill;
        fill += length;
    }
    memcpy(g_funcs.pool, pool, (size_t)fill);
    g_funcs.fill = fill;
}

// One line a function: name(parameters)=body.
void ListFunctions() {
    if (g_funcs.count == 0) {
        Append(" ユーザ関数なし\r\n");
        return;
    }
    for (int i = 0; i < g_funcs.count; ++i) {
        AppendFormat(" %s(", EntryName(i));
        AppendFormat("%s)=", EntryParameters(i));
        AppendFormat("%s\r\n", EntryBody(i));
    }
}

// call := name "(" assignment { "," assignment } ")"
void UserFunctionCall(double* slot) {
    int index = g_eval.token.function;
    if (index < 0 || index >= g_funcs.count) {
        *slot = 0.0;
        return;
    }
    int n = g_funcs.entries[index].parameters;
    double args[kMaxParameters] = {};
    NextToken();
    for (int i = 0; i < n; ++i) {
        NextToken();
        AssignmentLevel(&args[i]);
        if (!TokenIs(i < n - 1 ? ',' : ')')) ReportError(kErrArguments);
    }
    CallUserFunction(index, args, slot);
    NextToken();
}

// Binds the parameters to the arguments, evaluates the body and puts the
// parameters' values back. The nesting of calls is bounded (error 7).
void CallUserFunction(int index, const double* args, double* slot) {
    if (!EnterNesting()) return;
    const char* saved = g_eval.cursor;
    const char* list = EntryParameters(index);
    int n = g_funcs.entries[index].parameters;
    double remembered[kMaxParameters];
    char name[kTokenSize];

    const char* p = list;
    int bound = 0;
    for (; bound < n; ++bound) {
        p = NextParameter(p, name);
        double value = 0.0;
        if (!FindVariable(name, &value)) {
            value = 0.0;
            if (!AddVariable(name)) {
                ReportError(kErrMemory);
                break;
            }
        }
        remembered[bound] = value;
        SetVariable(name, args[bound]);
    }
    if (bound == n) EvaluateText(EntryBody(index), 0, slot);
    g_eval.cursor = saved;
    p = list;
    for (int i = 0; i < bound; ++i) {
        p = NextParameter(p, name);
        SetVariable(name, remembered[i]);
    }
    LeaveNesting();
}
