#include "expr/tokenizer.h"

#include <string.h>

#include "expr/builtins.h"
#include "expr/errors.h"
#include "expr/eval.h"
#include "expr/functions.h"
#include "text/text.h"

namespace {

// One of the twelve delimiter characters; NUL is none of them.
bool IsDelimiter(char c) {
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '^':
    case '&':
    case '|':
    case '~':
    case '(':
    case ')':
    case '=':
    case ',': return true;
    default: return false;
    }
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

// Puts the characters from start to end into the token text, blanks
// dropped when dropBlanks; a short text without blanks is copied in one go.
void SetTokenText(Token* t, const char* start, const char* end, bool blanks, bool dropBlanks) {
    int length = (int)(end - start);
    if (length <= kTokenSize - 1 && !(blanks && dropBlanks)) {
        memcpy(t->text, start, (size_t)length);
        t->text[length] = 0;
        return;
    }
    int n = 0;
    for (const char* p = start; p < end;) {
        int unit = CharLength(p);
        if (!(dropBlanks && *p == ' ')) AddToText(t, &n, p, unit);
        p += unit;
    }
}

// The end of a run of characters up to a terminator; notes a blank in it.
const char* SkipToTerminator(const char* p, bool* blanks) {
    while (!IsTerminator(*p)) {
        if (*p == ' ') *blanks = true;
        p += CharLength(p);
    }
    return p;
}

// name := letter { byte that is no terminator }   (spaces dropped)
const char* ReadName(Token* t, const char* p) {
    bool blanks = false;
    const char* start = p;
    p = SkipToTerminator(p, &blanks);
    SetTokenText(t, start, p, blanks, true);
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
    bool blanks = false;
    const char* start = p;
    p = SkipToTerminator(p, &blanks);
    if ((*p == '+' || *p == '-') && p[-1] == 'E') p = SkipToTerminator(p + 1, &blanks);
    SetTokenText(t, start, p, blanks, false);
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
