// The expression evaluator: its state and its entry points.
#pragma once

#include "eval/errors.h"
#include "eval/tokenizer.h"

enum { kMaxNesting = 200 }; // grammar and call nesting before error 7

struct EvalState {
    const char* cursor;               // parse cursor
    Token token;                      // current token
    int definition;                   // reading the name of a function being defined
    int reset;                        // Evaluate clears the error state first
    bool errorFlags[kErrorFlagCount]; // the codes reported since the reset
    int fatal;                        // class of the latest report
    int lastError;                    // latest code plus 1, 0 when none
    int nesting;                      // grammar levels and calls now open
    int overflow;                     // the nesting bound was hit; no further reports
};

extern EvalState g_eval;

double Evaluate(double* slot);
int EvaluateText(const char* text, int reset, double* slot);
// Bounds the nesting of grammar levels and calls: false (error 7 reported
// once) when no further level may open.
bool EnterNesting();
void LeaveNesting();
