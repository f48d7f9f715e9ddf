#include "eval/eval.h"

#include <string.h>

// Readies the state for a text; the inputs and the record's drain are kept.
void StartEvaluation(EvalState* s, const char* text) {
    s->cursor = text;
    s->record.count = 0;
    memset(s->errorFlags, 0, sizeof s->errorFlags);
    s->fatal = 0;
    s->error = kNoError;
    s->nesting = 0;
    s->overflow = 0;
}

// Records the code in order and in the error state.
void ReportError(EvalState* s, int code) {
    if (code < 0 || code >= kErrorCount) code = 3;
    if (s->overflow) return;
    RecordError(&s->record, code);
    s->errorFlags[code] = true;
    s->error = code;
    s->fatal = ErrorFatal(code);
}

// Opens one more nesting level; past the bound reports error 7 once, and the
// evaluation then unwinds without further reports.
bool EnterNesting(EvalState* s) {
    if (!s->overflow && s->nesting < kMaxNesting) {
        ++s->nesting;
        return true;
    }
    if (!s->overflow) {
        ReportError(s, kErrMemory);
        s->overflow = 1;
    }
    return false;
}

// Closes a level opened by EnterNesting.
void LeaveNesting(EvalState* s) {
    --s->nesting;
}
