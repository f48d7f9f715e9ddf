#include "eval/eval.h"

#include <string.h>

#include "eval/parser.h"

EvalState g_eval;

// Opens one more nesting level; past the bound reports error 7 once, and the
// evaluation then unwinds without further reports.
bool EnterNesting() {
    if (!g_eval.overflow && g_eval.nesting < kMaxNesting) {
        ++g_eval.nesting;
        return true;
    }
    if (!g_eval.overflow) {
        ReportError(kErrMemory);
        g_eval.overflow = 1;
    }
    return false;
}

// Closes a level opened by EnterNesting.
void LeaveNesting() {
    --g_eval.nesting;
}

// Evaluates the text at the parse cursor into the slot; -1 for an empty text.
double Evaluate(double* slot) {
    if (g_eval.reset) {
        memset(g_eval.errorFlags, 0, sizeof g_eval.errorFlags);
        g_eval.fatal = 0;
        g_eval.lastError = 0;
        g_eval.overflow = 0;
    }
    NextToken();
    if (g_eval.token.text[0] == 0) {
        ReportError(kErrNoFunction);
        return -1.0;
    }
    AssignmentLevel(slot);
    return *slot;
}

// Evaluates a text with the given reset flag; returns the last error.
int EvaluateText(const char* text, int reset, double* slot) {
    g_eval.cursor = text;
    g_eval.reset = reset;
    Evaluate(slot);
    return g_eval.lastError;
}
