// The evaluator's state, passed to every routine of the tokenizer, the
// parser and the calls: the text being read, its current token, what the
// evaluation was given (ans, the angle mode) and what it reported.
#pragma once

#include "eval/errors.h"

enum { kMaxNesting = 200 }; // grammar and call nesting before error 7

enum TokenKind {
    kTokenNone = 0,
    kTokenDelimiter = 1,
    kTokenVariable = 2,
    kTokenNumber = 3,
    kTokenBuiltin = 4,
    kTokenUserFunction = 5,
};

enum { kTokenSize = 80 }; // token text: 79 bytes and the terminator

// How tightly a token binds as a binary operator: the delimiters "+" "-",
// then "*" "/", then "^" "&" "|" "~"; every other token is none.
enum Priority { kNotBinary = 0, kSumPriority = 1, kTermPriority = 2, kBitwisePriority = 3 };

struct Token {
    char text[kTokenSize]; // names are significant to 79 bytes
    int kind;              // TokenKind
    int priority;          // Priority as a binary operator
    bool integer;          // a number token of digits only, its value taken
    double value;          // that value
    int builtin;           // index in the built-in table (kTokenBuiltin)
    int function;          // index in the function table (kTokenUserFunction)
    const char* start;     // where the token began in the text
    int length;            // bytes the token took from the text
};

enum AngleMode { kDegrees = 0, kRadians = 1 };

struct EvalState {
    const char* cursor;               // parse cursor
    Token token;                      // current token
    double ans;                       // the value the name ans reads
    int angleMode;                    // AngleMode of the trigonometric built-ins
    ErrorRecord record;               // the reports, in order, for the caller to show
    bool errorFlags[kErrorFlagCount]; // the codes reported since the start
    int fatal;                        // class of the latest report
    int error;                        // latest ErrorCode, kNoError when none
    int nesting;                      // grammar levels and calls now open
    int overflow;                     // the nesting bound was hit; no further reports
};

// Readies a state to evaluate a text: no reports yet, nothing open.
void StartEvaluation(EvalState* s, const char* text);
// Records an error: its flag, the latest code and the fatal class. After the
// nesting bound was hit nothing more is recorded, so that one deep line gives
// one message.
void ReportError(EvalState* s, int code);
// Bounds the nesting of grammar levels and calls: false (error 7 reported
// once) when no further level may open.
bool EnterNesting(EvalState* s);
void LeaveNesting(EvalState* s);
