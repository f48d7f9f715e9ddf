// The expression evaluator: tokenizer, grammar levels, error state.
#pragma once

#include <stdint.h>

enum TokenKind {
    kTokenNone = 0,
    kTokenDelimiter = 1,
    kTokenVariable = 2,
    kTokenNumber = 3,
    kTokenBuiltin = 4,
    kTokenUserFunction = 5,
};

enum {
    kTokenSize = 80,      // token text: 79 bytes and the terminator
    kErrorFlagCount = 30, // per-code flags
    kMaxNesting = 200,    // grammar and call nesting before error 7
};

enum ErrorCode {
    kErrSyntax = 0,
    kErrParen = 1,
    kErrNoFunction = 2,
    kErrArguments = 4,
    kErrNoVariable = 5,
    kErrUnknownFunction = 6,
    kErrMemory = 7,
    kErrDivide = 8,
    kErrNumber = 9,
    kErrRange = 11,
};

struct Token {
    char text[kTokenSize]; // names are significant to 79 bytes
    int kind;              // TokenKind
    int builtin;           // index in the built-in table (kTokenBuiltin)
    int function;          // index in the function table (kTokenUserFunction)
    const char* start;     // where the token began in the text
    int length;            // bytes the token took from the text
};

struct EvalState {
    const char* cursor; // parse cursor
    Token token;        // current token
    int definition;     // reading the name of a function being defined
    int reset;          // Evaluate clears the error state first
    int errorFlags[kErrorFlagCount];
    int fatal;     // class of the latest report
    int lastError; // latest code plus 1, 0 when none
    int nesting;   // grammar levels and calls now open
    int overflow;  // the nesting bound was hit; no further reports
};

extern EvalState g_eval;

double Evaluate(double* slot);
int EvaluateText(const char* text, int reset, double* slot);
// The value of a decimal literal's n bytes; false when it is malformed.
bool DecimalLiteral(const char* p, int n, double* value);
void NextToken();
void PushBackToken();
int ReportError(int code);
void ApplyOperator(char op, double* left, double right);
void AssignmentLevel(double* slot);
// The current token is the delimiter c.
bool TokenIs(char c);
// Bounds the nesting of grammar levels and calls: false (error 7 reported
// once) when no further level may open.
bool EnterNesting();
void LeaveNesting();
// The platform's letter test, the same in every build.
bool IsLetter(unsigned char c);
// The low 32 bits of a value truncated toward zero to a signed 64-bit
// integer; out of range (and not-a-number) gives 0x8000000000000000's 0.
uint32_t LowWord(double v);
