// Statement entry and submission by Enter.
#pragma once

// Runs one line in the form of an input line: two characters in the prompt's
// place, then the statement text.
void EnterStatement(const char* line);
// What Enter does: submits the caret line and prints the next prompt.
void SubmitEnter();

#include "eval/eval.h"

// Readies an evaluation of a text with the session's ans and angle mode; a
// record that fills up on the way is shown then.
void BeginEvaluation(EvalState* s, const char* text);
// Shows the recorded reports in order (message, and the beep of a code that
// beeps) and empties the record.
void ShowErrors(ErrorRecord* record);
