#include <string.h>

#include "expr/builtins.h"
#include "expr/eval.h"
#include "expr/functions.h"
#include "platform/text.h"

EvalState g_eval;

namespace {

// One of the twelve delimiter characters; NUL is none of them.
bool IsDelimiter(char c) {
    return c != 0 && strchr("+-*/^&|~()=,", c) != nullptr;
}

// A byte that ends a name or a number.
bool IsTerminator(char c) {
    return c == 0 || c == '\t' || c == '\r' || IsDelimiter(c);
}

// Appends a unit to the token text while it fits; longer tokens are cut.
void AddToText(Token* t, int* n, const char* p, int unit) {
    if (*n + unit > kTokenSize - 1) return;
    memcpy(t->text + *n, p, unit);
    *n += unit;
    t->text[*n] = 0;
}

// name := letter { byte that is no terminator }   (spaces dropped)
const char* ReadName(Token* t, const char* p) {
    int n = 0;
    while (!IsTerminator(*p)) {
        int unit = CharLength(p);
        if (*p != ' ') AddToText(t, &n, p, unit);
        p += unit;
    }
    t->kind = kTokenVariable;
    if (*p != '(') return p;
    int builtin = FindBuiltin(t->text);
    if (builtin >= 0) {
        t->kind = kTokenBuiltin;
        t->builtin = builtin;
        return p;
    }
    t->kind = kTokenUserFunction;
    int function = FindFunction(t->text);
    if (function >= 0) {
        t->function = function;
    } else if (!g_eval.definition) {
        ReportError(kErrUnknownFunction);
    }
    return p;
}

// number := (digit | ".") { no terminator } [ "E" sign { no terminator } ]
const char* ReadNumber(Token* t, const char* p) {
    int n = 0;
    while (!IsTerminator(*p)) {
        int unit = CharLength(p);
        AddToText(t, &n, p, unit);
        p += unit;
    }
    if ((*p == '+' || *p == '-') && p[-1] == 'E') {
        AddToText(t, &n, p, 1);
        ++p;
        while (!IsTerminator(*p)) {
            int unit = CharLength(p);
            AddToText(t, &n, p, unit);
            p += unit;
        }
    }
    t->kind = kTokenNumber;
    return p;
}

} // namespace

// Letters: A-Z, a-z, the half-width katakana and the lead bytes of
// double-byte characters, so that Japanese names work in both builds.
bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xA6 && c <= 0xDF) ||
           IsLeadByte(c);
}

// Reads the next token at the parse cursor into the current token.
void NextToken() {
    Token* t = &g_eval.token;
    t->kind = kTokenNone;
    t->text[0] = 0;
    const char* p = g_eval.cursor;
    while (*p == ' ' || *p == '\t') ++p;
    t->start = p;
    unsigned char c = (unsigned char)*p;
    if (IsDelimiter((char)c)) {
        t->text[0] = (char)c;
        t->text[1] = 0;
        t->kind = kTokenDelimiter;
        ++p;
    } else if (IsLetter(c)) {
        p = ReadName(t, p);
    } else if ((c >= '0' && c <= '9') || c == '.') {
        p = ReadNumber(t, p);
    }
    t->length = (int)(p - t->start);
    g_eval.cursor = p;
}

// Moves the parse cursor back to where the current token began.
void PushBackToken() {
    if (g_eval.token.text[0] == 0) return;
    g_eval.cursor = g_eval.token.start;
}
