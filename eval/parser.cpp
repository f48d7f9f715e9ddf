#include "eval/parser.h"

#include <math.h>
#include <stdint.h>
#include <stdlib.h>

#include "eval/builtins.h"
#include "eval/functions.h"
#include "eval/number_text.h"
#include "eval/tokenizer.h"
#include "eval/variables.h"
#include "mathlib/tolvane_math.h"
#include "text/text.h"

namespace {

const double kPi = 3.141592653589793;
const double kDivideByZero = 1e99;

void BinaryLevel(EvalState* s, double* slot, int limit);
void UnaryLevel(EvalState* s, double* slot);
void Primary(EvalState* s, double* slot);
void Operand(EvalState* s, double* slot);

// Opens a nesting level for a slot; a refused level leaves 1 in it.
bool EnterLevel(EvalState* s, double* slot) {
    if (EnterNesting(s)) return true;
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

// arguments := "(" assignment { "," assignment } ")"
// Reads n arguments; a missing "," is error 4, a missing ")" closeError.
void Arguments(EvalState* s, int n, double* args, int closeError) {
    NextToken(s);
    for (int i = 0; i < n; ++i) {
        NextToken(s);
        AssignmentLevel(s, &args[i]);
        if (!TokenIs(s, i < n - 1 ? ',' : ')'))
            ReportError(s, i < n - 1 ? kErrArguments : closeError);
    }
}

// builtin-call := builtin arguments
void BuiltinCall(EvalState* s, double* slot) {
    int index = s->token.builtin;
    double args[2] = {0.0, 0.0};
    Arguments(s, kBuiltins[index].arguments, args, kErrParen);
    EvaluateBuiltin(s, index, args, slot);
    NextToken(s);
}

// Binds the parameters to the arguments, evaluates the body and puts the
// parameters' values back. The nesting of calls is bounded (error 7).
void CallUserFunction(EvalState* s, int index, const double* args, double* slot) {
    if (!EnterNesting(s)) return;
    const char* saved = s->cursor;
    const char* list = FunctionParameters(index);
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
            if (s->error == kNoError && !AddVariable(name)) {
                ReportError(s, kErrMemory);
                break;
            }
        }
        remembered[bound] = value;
        SetVariable(name, args[bound]);
    }
    if (bound == n) {
        s->cursor = FunctionBody(index);
        Evaluate(s, slot);
    }
    s->cursor = saved;
    p = list;
    for (int i = 0; i < bound; ++i) {
        p = NextParameter(p, name);
        SetVariable(name, remembered[i]);
    }
    LeaveNesting(s);
}

// user-call := name arguments
void UserFunctionCall(EvalState* s, double* slot) {
    int index = s->token.function;
    if (index < 0 || index >= g_funcs.count) {
        *slot = 0.0;
        return;
    }
    double args[kMaxParameters] = {};
    Arguments(s, g_funcs.entries[index].parameters, args, kErrArguments);
    CallUserFunction(s, index, args, slot);
    NextToken(s);
}

// binary := unary { operator binary-of-tighter-operators }
// The operators from loosest to tightest: "+" "-", then "*" "/", both
// grouping to the left, then "^" "&" "|" "~", grouping to the right. The
// right operand of an operator takes only the operators that bind tighter
// (of its own set too when they group to the right); the right operand of a
// right-grouping operator opens a nesting level.
void BinaryLevel(EvalState* s, double* slot, int limit) {
    UnaryLevel(s, slot);
    while (s->token.priority > limit) {
        int priority = s->token.priority;
        char op = s->token.text[0];
        NextToken(s);
        double right = 0.0;
        if (priority == kBitwisePriority) {
            if (!EnterLevel(s, &right)) return;
            BinaryLevel(s, &right, priority - 1);
            LeaveNesting(s);
        } else {
            BinaryLevel(s, &right, priority);
        }
        ApplyOperator(s, op, slot, right);
    }
}

// unary := [ "+" | "-" ] primary
void UnaryLevel(EvalState* s, double* slot) {
    char sign = 0;
    if (s->token.priority == kSumPriority) {
        sign = s->token.text[0];
        NextToken(s);
    }
    Primary(s, slot);
    if (sign == '-') *slot = -*slot;
}

// primary := "(" assignment ")" | builtin-call | user-call | operand
void Primary(EvalState* s, double* slot) {
    if (TokenIs(s, '(')) {
        NextToken(s);
        AssignmentLevel(s, slot);
        if (!TokenIs(s, ')')) ReportError(s, kErrParen);
        NextToken(s);
    } else if (s->token.kind == kTokenBuiltin) {
        BuiltinCall(s, slot);
    } else if (s->token.kind == kTokenUserFunction) {
        if (s->errorFlags[kErrUnknownFunction] || s->overflow) {
            *slot = 0.0;
        } else {
            UserFunctionCall(s, slot);
        }
    } else {
        Operand(s, slot);
    }
}

// operand := name | number
void Operand(EvalState* s, double* slot) {
    const Token& t = s->token;
    if (t.kind == kTokenVariable) {
        if (EqualsNoCase(t.text, "PI")) {
            *slot = kPi;
        } else if (EqualsNoCase(t.text, "ans")) {
            *slot = s->ans;
        } else if (!FindVariable(t.text, slot)) {
            ReportError(s, kErrNoVariable);
            *slot = 1.0;
        }
        NextToken(s);
    } else if (t.kind == kTokenNumber) {
        if (!NumberValue(t, slot)) {
            ReportError(s, kErrNumber);
            *slot = 1.0;
        }
        NextToken(s);
    } else {
        ReportError(s, kErrSyntax);
        *slot = 1.0;
    }
}

} // namespace

// statement := assignment   An empty text is error 2 (and -1, the slot
// left as it is).
double Evaluate(EvalState* s, double* slot) {
    NextToken(s);
    if (s->token.text[0] == 0) {
        ReportError(s, kErrNoFunction);
        return -1.0;
    }
    AssignmentLevel(s, slot);
    return *slot;
}

// assignment := name "=" sum | sum
void AssignmentLevel(EvalState* s, double* slot) {
    if (!EnterLevel(s, slot)) return;
    if (s->token.kind == kTokenVariable) {
        Token name = s->token;
        NextToken(s);
        if (TokenIs(s, '=')) {
            NextToken(s);
            BinaryLevel(s, slot, kNotBinary);
            StoreAssignment(s, name.text, *slot);
        } else {
            PushBackToken(s);
            s->token = name;
            BinaryLevel(s, slot, kNotBinary);
        }
    } else {
        BinaryLevel(s, slot, kNotBinary);
    }
    LeaveNesting(s);
}

// Combines the left value in place with the right one.
void ApplyOperator(EvalState* s, char op, double* left, double right) {
    switch (op) {
    case '+': *left += right; break;
    case '-': *left -= right; break;
    case '*': *left *= right; break;
    case '/':
        if (right == 0.0 || isnan(right)) {
            ReportError(s, kErrDivide);
            *left = kDivideByZero;
        } else {
            *left /= right;
        }
        break;
    case '^':
        if ((*left < 0 || isnan(*left)) && !isnan(right) && tolvane_floor(right) != right) {
            *left = 0.0;
            ReportError(s, kErrRange);
        } else {
            *left = tolvane_pow(*left, right);
        }
        break;
    case '&': *left = (double)(LowWord(*left) & LowWord(right)); break;
    case '|': *left = (double)(LowWord(*left) | LowWord(right)); break;
    case '~': *left = (double)(LowWord(*left) ^ LowWord(right)); break;
    }
}
