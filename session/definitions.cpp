#include "session/definitions.h"

#include <stdio.h>
#include <string.h>

#include "eval/builtins.h"
#include "eval/functions.h"
#include "eval/parser.h"
#include "eval/tokenizer.h"
#include "eval/variables.h"
#include "platform/seam.h"
#include "session/console.h"
#include "session/print.h"
#include "session/script.h"

namespace {

const char kCannotDefine[] = " 関数が登録できません\r\n";
const char kNoRoom[] = " 関数登録領域が足りません\r\n";

// An error message of def, behind the reports the evaluation made so far.
void DefinitionError(EvalState* s, const char* text) {
    ShowErrors(&s->record);
    AppendError(text);
}

// params := name { "," name } ")"   Creates missing parameter variables with
// the value 1; returns the count, or -1 when the list is malformed.
int ReadParameters(EvalState* s) {
    int count = 0;
    for (;;) {
        NextToken(s);
        if (s->token.kind != kTokenVariable || s->token.length >= kTokenSize ||
            ++count > kMaxParameters) {
            return -1;
        }
        double value;
        if (!FindVariable(s->token.text, &value)) {
            if (!AddVariable(s->token.text)) DefinitionError(s, kNoRoom);
            SetVariable(s->token.text, 1.0);
        }
        NextToken(s);
        if (s->token.kind != kTokenDelimiter) return -1;
        if (TokenIs(s, ')')) return count;
        if (!TokenIs(s, ',')) return -1;
    }
}

// Asks before a function is replaced; true when the user agrees.
bool ConfirmRedefinition(const char* name) {
    char text[512];
    snprintf(text, sizeof text, "関数 %s() は既に定義されています。\n書き換えますか？", name);
    return ModalCall([&] { return g_seam.desktop->AskYesNo(text, "Tolvane"); });
}

} // namespace

// Reads the name (up to "("), the parameters and the body, tries the body
// once, and stores the definition, asking before one is replaced.
void DefineFunction(const char* argument) {
    if (g_funcs.count >= kMaxFunctions) {
        AppendError(kNoRoom);
        return;
    }
    Token scanned;
    const char* nameEnd = ScanToken(argument, &scanned);
    if (*nameEnd != '(' || nameEnd - argument >= kTokenSize) {
        AppendError(kCannotDefine);
        return;
    }
    char name[kTokenSize];
    int nameLength = (int)(nameEnd - argument);
    memcpy(name, argument, (size_t)nameLength);
    name[nameLength] = 0;
    if (FindBuiltin(name) >= 0) {
        AppendErrorFormat(" 関数名 %s は予約されています\r\n", name);
        return;
    }
    EvalState s = {};
    BeginEvaluation(&s, nameEnd + 1);
    const char* parameters = s.cursor;
    int count = ReadParameters(&s);
    if (count < 0) {
        DefinitionError(&s, kCannotDefine);
        return;
    }
    int parametersLength = (int)(s.cursor - 1 - parameters);
    if (*s.cursor != '=') {
        DefinitionError(&s, kCannotDefine);
        return;
    }
    const char* body = s.cursor + 1;
    int bodyLength = (int)strlen(body);

    ShowErrors(&s.record);
    double trial = 0.0;
    BeginEvaluation(&s, body);
    Evaluate(&s, &trial);
    ShowErrors(&s.record);
    if (s.fatal || s.errorFlags[kErrNoVariable]) {
        AppendError(kCannotDefine);
        return;
    }
    if (!FunctionFits(nameLength, parametersLength, bodyLength)) {
        CompactFunctionPool();
        AppendError(kNoRoom);
        return;
    }
    int index = FindFunction(name);
    if (index < 0) {
        index = g_funcs.count;
    } else if (!ConfirmRedefinition(name)) {
        return;
    }
    AppendFormat(" 関数 %s() を登録しました\r\n", name);
    StoreFunction(index, name, nameLength, parameters, parametersLength, count, body, bodyLength);
}

// One line a function: name(parameters)=body.
void ListFunctions() {
    if (g_funcs.count == 0) {
        Append(" ユーザ関数なし\r\n");
        return;
    }
    for (int i = 0; i < g_funcs.count; ++i) {
        AppendFormat(" %s(", FunctionName(i));
        AppendFormat("%s)=", FunctionParameters(i));
        AppendFormat("%s\r\n", FunctionBody(i));
    }
}
