// Printing results: values, the display-settings report and the errors an
// evaluation recorded.
#pragma once

#include "eval/eval.h"

enum { kRenderSize = 80 };

enum PrintStyle {
    kPrintResult, // a result line: the number, the renderings switched on, "\r\n"
    kPrintTyped,  // the number alone, typed at the caret (Ctrl+A)
};

// Prints a value in the current notation and the style.
void PrintValue(double value, PrintStyle style);
// Engineering rendering into 80 bytes; -1 and nothing written for 0.
int FormatEngineering(double value, char* out);
// Whether the display-settings report ends with ans.
enum AnsLine { kWithoutAns, kWithAns };

// Precision, notation and zero threshold, then ans when asked for.
void PrintSettingsReport(AnsLine ans);

// Readies an evaluation of a text with the session's ans and angle mode; a
// record that fills up on the way is shown then.
void BeginEvaluation(EvalState* s, const char* text);
// Shows the recorded reports in order (message, and the beep of a code that
// beeps) and empties the record.
void ShowErrors(ErrorRecord* record);
