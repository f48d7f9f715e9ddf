// Printing results: values, the display-settings report and the errors an
// evaluation recorded.
#pragma once

enum { kRenderSize = 80 };

enum PrintStyle {
    kPrintResult, // a result line: the number, the renderings switched on, "\r\n"
    kPrintTyped,  // the number alone, typed at the caret (Ctrl+A)
};

// Prints a value in the current notation and the style.
void PrintValue(double value, PrintStyle style);
// Engineering rendering into 80 bytes; -1 and nothing written for 0.
int FormatEngineering(double value, char* out);
// Precision, notation and zero threshold, with ans when withAns is set.
void PrintSettingsReport(int withAns);

#include "eval/eval.h"

// Readies an evaluation of a text with the session's ans and angle mode; a
// record that fills up on the way is shown then.
void BeginEvaluation(EvalState* s, const char* text);
// Shows the recorded reports in order (message, and the beep of a code that
// beeps) and empties the record.
void ShowErrors(ErrorRecord* record);
