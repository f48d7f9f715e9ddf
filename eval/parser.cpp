#include "eval/parser.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>

#include <charconv>

#include "session/console.h"
#include "eval/builtins.h"
#include "eval/errors.h"
#include "eval/eval.h"
#include "eval/functions.h"
#include "eval/tokenizer.h"
#include "eval/variables.h"
#include "mathlib/tolvane_math.h"
#include "text/text.h"

namespace {

// A byte a decimal literal may hold: a digit, a sign, the point or "E".
bool IsNumberByte(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E';
}

} // namespace

// decimal := { digit | "+" | "-" | "." | "E" }, its longest leading number.
// A text without any digit to convert is malformed; a value beyond the double
// range is infinity or 0, as the C library reads it.
bool DecimalLiteral(const char* p, int n, double* value) {
    // Up to 15 digits are an integer that a double holds exactly.
    bool digitsOnly = n >= 1 && n <= 15;
    unsigned long long whole = 0;
    for (int i = 0; i < n; ++i) {
        unsigned digit = (unsigned)(unsigned char)p[i] - '0';
        if (digit <= 9) {
            whole = whole * 10 + digit;
        } else if (IsNumberByte(p[i])) {
            digitsOnly = false;
        } else {
            return false;
        }
    }
    if (digitsOnly) {
        *value = (double)whole;
        return true;
    }
#ifdef _WIN32
    // mingw-w64's C99 strtod rounds correctly, as from_chars does, and keeps
    // the C++ library's number tables out of the Windows program. Its one
    // extra, a leading sign, cannot begin a number token.
    char* end = nullptr;
    *value = strtod(p, &end);
    return end != p;
#else
    std::from_chars_result r = std::from_chars(p, p + n, *value, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond the double range: infinity or 0, as the C library reads it.
        // The token ends at a terminator, so strtod cannot read past it.
        *value = strtod(p, nullptr);
    }
    return true;
#endif
}

namespace {

const double kPi = 3.141592653589793;
const double kDivideByZero = 1e99;

void BinaryLevel(double* slot, int limit);
void UnaryLevel(double* slot);
void Primary(double* slot);
void Operand(double* slot);

// Opens a nesting level for a slot; a refused level leaves 1 in it.
bool EnterLevel(double* slot) {
    if (EnterNesting()) return true;
    *slot = 1.0;
    return false;
}

// hex := "0x" hexdigit {hexdigit}   (lower case; low 32 bits, read as signed)
bool HexLiteral(const char* p, int n, double* value) {
    if (n <= 2) return false;
    uint32_t word = 0;
    for (int i = 2; i < n; ++i) {
        char c = p[i];
        int digit = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
        if (digit < 0) return false;
        word = word * 16 + (uint32_t)digit;
    }
    *value = (int32_t)word;
    return true;
}

// binary := "0b" bit {bit}   (accumulated in 32 bits, read as signed)
bool BinaryLiteral(const char* p, int n, double* value) {
    if (n <= 2) return false;
    uint32_t word = 0;
    for (int i = 2; i < n; ++i) {
        if (p[i] != '0' && p[i] != '1') return false;
        word = word * 2 + (uint32_t)(p[i] - '0');
    }
    *value = (int32_t)word;
    return true;
}

// The value of a number token, from the whole text it took; false when malformed.
bool NumberValue(const Token& t, double* value) {
    if (t.integer) {
        *value = t.value;
        return true;
    }
    if (t.length >= 2 && t.start[0] == '0' && t.start[1] == 'x') {
        return HexLiteral(t.start, t.length, value);
    }
    if (t.length >= 2 && t.start[0] == '0' && t.start[1] == 'b') {
        return BinaryLiteral(t.start, t.length, value);
    }
    return DecimalLiteral(t.start, t.length, value);
}

// binary := unary { operator binary-of-tighter-operators }
// The operators from loosest to tightest: "+" "-", then "*" "/", both
// grouping to the left, then "^" "&" "|" "~", grouping to the right. The
// right operand of an operator takes only the operators that bind tighter
// (of its own set too when they group to the right); the right operand of a
// right-grouping operator opens a nesting level.
void BinaryLevel(double* slot, int limit) {
    UnaryLevel(slot);
    while (g_eval.token.priority > limit) {
        int priority = g_eval.token.priority;
        char op = g_eval.token.text[0];
        NextToken();
        double right = 0.0;
        if (priority == kBitwisePriority) {
            if (!EnterLevel(&right)) return;
            BinaryLevel(&right, priority - 1);
            LeaveNesting();
        } else {
            BinaryLevel(&right, priority);
        }
        ApplyOperator(op, slot, right);
    }
}

// unary := [ "+" | "-" ] primary
void UnaryLevel(double* slot) {
    char sign = 0;
    if (g_eval.token.priority == kSumPriority) {
        sign = g_eval.token.text[0];
        NextToken();
    }
    Primary(slot);
    if (sign == '-') *slot = -*slot;
}

// primary := "(" assignment ")" | builtin-call | user-call | operand
void Primary(double* slot) {
    if (TokenIs('(')) {
        NextToken();
        AssignmentLevel(slot);
        if (!TokenIs(')')) ReportError(kErrParen);
        NextToken();
    } else if (g_eval.token.kind == kTokenBuiltin) {
        BuiltinCall(slot);
    } else if (g_eval.token.kind == kTokenUserFunction) {
        if (g_eval.errorFlags[kErrUnknownFunction] || g_eval.overflow) {
            *slot = 0.0;
        } else {
            UserFunctionCall(slot);
        }
    } else {
        Operand(slot);
    }
}

// operand := name | number
void Operand(double* slot) {
    const Token& t = g_eval.token;
    if (t.kind == kTokenVariable) {
        if (EqualsNoCase(t.text, "PI")) {
            *slot = kPi;
        } else if (EqualsNoCase(t.text, "ans")) {
            *slot = g_console.ans;
        } else if (!FindVariable(t.text, slot)) {
            ReportError(kErrNoVariable);
            *slot = 1.0;
        }
        NextToken();
    } else if (t.kind == kTokenNumber) {
        if (!NumberValue(t, slot)) {
            ReportError(kErrNumber);
            *slot = 1.0;
        }
        NextToken();
    } else {
        ReportError(kErrSyntax);
        *slot = 1.0;
    }
}

} // namespace

// assignment := name "=" sum | sum
void AssignmentLevel(double* slot) {
    if (!EnterLevel(slot)) return;
    if (g_eval.token.kind == kTokenVariable) {
        Token name = g_eval.token;
        NextToken();
        if (TokenIs('=')) {
            NextToken();
            BinaryLevel(slot, kNotBinary);
            StoreAssignment(name.text, *slot);
        } else {
            PushBackToken();
            g_eval.token = name;
            BinaryLevel(slot, kNotBinary);
        }
    } else {
        BinaryLevel(slot, kNotBinary);
    }
    LeaveNesting();
}

// The current token is the delimiter c.
bool TokenIs(char c) {
    return g_eval.token.kind == kTokenDelimiter && g_eval.token.text[0] == c;
}

// The low 32 bits of a value truncated to a signed 64-bit integer; values
// outside that range (and not-a-number) give the pattern 0x8000000000000000.
uint32_t LowWord(double v) {
    if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) return 0;
    return (uint32_t)(uint64_t)(int64_t)v;
}

// Combines the left value in place with the right one.
void ApplyOperator(char op, double* left, double right) {
    switch (op) {
    case '+': *left += right; break;
    case '-': *left -= right; break;
    case '*': *left *= right; break;
    case '/':
        if (right == 0.0 || isnan(right)) {
            ReportError(kErrDivide);
            *left = kDivideByZero;
        } else {
            *left /= right;
        }
        break;
    case '^':
        if ((*left < 0 || isnan(*left)) && !isnan(right) && tolvane_floor(right) != right) {
            *left = 0.0;
            ReportError(kErrRange);
        } else {
            *left = tolvane_pow(*left, right);
        }
        break;
    case '&': *left = (double)(LowWord(*left) & LowWord(right)); break;
    case '|': *left = (double)(LowWord(*left) | LowWord(right)); break;
    case '~': *left = (double)(LowWord(*left) ^ LowWord(right)); break;
    }
}
