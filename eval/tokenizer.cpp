#include "eval/tokenizer.h"

#include <string.h>

#include "eval/builtins.h"
#include "eval/functions.h"
#include "eval/number_text.h"
#include "text/text.h"

namespace {

// What a byte can be to the tokenizer; a byte may be several of these. The
// two lowest bits hold an operator's Priority.
enum CharClass : unsigned short {
    kPriorityBits = 3,     // the Priority of a binary operator
    kDelimiter = 1 << 3,   // one of the twelve operator and punctuation characters
    kTerminator = 1 << 4,  // ends a name or a number: a delimiter, NUL, tab or CR
    kLetter = 1 << 5,      // begins a name
    kNumberStart = 1 << 6, // begins a number: a digit or the point
    kBlank = 1 << 7,       // the blank, dropped from names
    kLead = 1 << 8,        // the lead byte of a double-byte character
};

// The classes of every byte. Letters are A-Z, a-z, the half-width katakana
// and the lead bytes of double-byte characters, so that Japanese names work.
struct CharClasses {
    unsigned short of[256];
    constexpr CharClasses() : of() {
        for (const char* d = "+-*/^&|~()=,"; *d; ++d)
            of[(unsigned char)*d] = kDelimiter | kTerminator;
        of['+'] |= kSumPriority;
        of['-'] |= kSumPriority;
        of['*'] |= kTermPriority;
        of['/'] |= kTermPriority;
        for (const char* b = "^&|~"; *b; ++b) of[(unsigned char)*b] |= kBitwisePriority;
        of[0] = of['\t'] = of['\r'] = kTerminator;
        of[' '] = kBlank;
        for (int c = 0; c < 256; ++c) {
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xA6 && c <= 0xDF))
                of[c] |= kLetter;
            if (IsLeadByte((unsigned char)c)) of[c] |= kLetter | kLead;
            if ((c >= '0' && c <= '9') || c == '.') of[c] |= kNumberStart;
        }
    }
};

constexpr CharClasses kClasses;

// The classes of a byte.
inline unsigned Classes(char c) {
    return kClasses.of[(unsigned char)c];
}

// The end of a run of characters up to a terminator. A double-byte
// character is passed whole: its trail byte may look like a delimiter.
const char* SkipToTerminator(const char* p) {
    while (!(Classes(*p) & kTerminator)) p += Classes(*p) & kLead ? CharLength(p) : 1;
    return p;
}

// name := letter { byte that is no terminator }   (spaces dropped)
// The token text takes each character while it fits in 79 bytes.
const char* ReadName(Token* t, const char* p) {
    int n = 0;
    for (unsigned classes; !((classes = Classes(*p)) & kTerminator);) {
        int unit = classes & kLead ? CharLength(p) : 1;
        if (!(classes & kBlank) && n + unit <= kTokenSize - 1) {
            t->text[n++] = p[0];
            if (unit == 2) t->text[n++] = p[1];
        }
        p += unit;
    }
    t->text[n] = 0;
    t->kind = kTokenVariable;
    return p;
}

// A name before "(" calls a built-in or a user function; an unknown
// function is reported as the name is read.
void ResolveCall(EvalState* s, Token* t) {
    int builtin = FindBuiltin(t->text);
    if (builtin >= 0) {
        t->kind = kTokenBuiltin;
        t->builtin = builtin;
        return;
    }
    t->kind = kTokenUserFunction;
    int function = FindFunction(t->text);
    if (function >= 0) {
        t->function = function;
    } else {
        ReportError(s, kErrUnknownFunction);
    }
}

// number := (digit | ".") { no terminator } [ "E" sign { no terminator } ]
const char* ReadNumber(Token* t, const char* p) {
    const char* start = p;
    // A run of digits and a terminator may be an integer that a double holds
    // exactly: its value is taken on the way.
    while (*p >= '0' && *p <= '9') ++p;
    t->integer = (Classes(*p) & kTerminator) && ExactInteger(start, (int)(p - start), &t->value);
    if (!t->integer) {
        p = SkipToTerminator(p);
        if ((*p == '+' || *p == '-') && p[-1] == 'E') p = SkipToTerminator(p + 1);
    }
    // The value is read from the whole text the token took; the token text
    // keeps only its first byte.
    t->text[0] = *start;
    t->text[1] = 0;
    t->kind = kTokenNumber;
    return p;
}

} // namespace

// Reads the token at p into t without looking names up; returns its end.
const char* ScanToken(const char* p, Token* t) {
    t->kind = kTokenNone;
    t->priority = kNotBinary;
    t->text[0] = 0;
    while (*p == ' ' || *p == '\t') ++p;
    t->start = p;
    unsigned classes = Classes(*p);
    if (classes & kDelimiter) {
        t->text[0] = *p;
        t->text[1] = 0;
        t->kind = kTokenDelimiter;
        t->priority = classes & kPriorityBits;
        ++p;
    } else if (classes & kLetter) {
        p = ReadName(t, p);
    } else if (classes & kNumberStart) {
        p = ReadNumber(t, p);
    }
    t->length = (int)(p - t->start);
    return p;
}

// Reads the next token at the parse cursor into the current token.
void NextToken(EvalState* s) {
    s->cursor = ScanToken(s->cursor, &s->token);
    if (s->token.kind == kTokenVariable && *s->cursor == '(') ResolveCall(s, &s->token);
}

// Moves the parse cursor back to where the current token began.
void PushBackToken(EvalState* s) {
    if (s->token.text[0] == 0) return;
    s->cursor = s->token.start;
}

// The current token is the delimiter c.
bool TokenIs(const EvalState* s, char c) {
    return s->token.kind == kTokenDelimiter && s->token.text[0] == c;
}
