#include "session/console.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include "session/settings.h"
#include "platform/seam.h"
#include "text/text.h"

ConsoleState g_console;
AppendObserver g_appendObserver;

namespace {

// When incoming more bytes would take the transcript past its limit, drops
// the oldest whole lines down to the low mark; a long session keeps working.
void MakeRoom(int incoming) {
    EditControl* edit = g_seam.edit;
    int length = edit->GetTextLength();
    if (length + incoming <= kTranscriptLimit) return;
    int excess = length + incoming - kTranscriptLowMark;
    int line = edit->LineFromChar(excess);
    int cut = edit->LineIndex(line);
    if (cut < excess) cut = edit->LineIndex(line + 1);
    if (cut < 0) cut = length;
    edit->SetSel(0, cut);
    edit->ReplaceSel("");
}

} // namespace

// Adds text at the end of the transcript, caret behind it; nothing while
// output is suppressed.
void Append(const char* text) {
    if (g_console.suppress) return;
    MakeRoom((int)strlen(text));
    g_seam.edit->AppendAtEnd(text);
    if (g_appendObserver) g_appendObserver(text, g_console.appending);
}

namespace {

// Appends text of one kind.
void AppendKindOf(AppendKind kind, const char* text) {
    g_console.appending = kind;
    Append(text);
    g_console.appending = kAppendOutput;
}

// Composes with printf conventions and appends as its kind; a text longer
// than the buffer is cut at a whole character, and one whose format cannot
// be composed is left out.
void AppendComposed(AppendKind kind, const char* format, va_list args) {
    char composed[kFormatSize], whole[kFormatSize];
    int n = vsnprintf(composed, sizeof composed, format, args);
    if (n < 0) return;
    CopyText(whole, sizeof whole, composed,
             n < (int)sizeof composed ? n : (int)sizeof composed - 1);
    AppendKindOf(kind, whole);
}

} // namespace

// Appends text that stands on the input line.
void AppendInput(const char* text) {
    AppendKindOf(kAppendInput, text);
}

// Composes with printf conventions and appends.
void AppendFormat(const char* format, ...) {
    if (g_console.suppress) return;
    va_list args;
    va_start(args, format);
    AppendComposed(kAppendOutput, format, args);
    va_end(args);
}

// Appends an error message: counted even while output is suppressed.
void AppendError(const char* text) {
    ++g_console.errors;
    AppendKindOf(kAppendError, text);
}

// Composes an error message with printf conventions and appends it.
void AppendErrorFormat(const char* format, ...) {
    ++g_console.errors;
    if (g_console.suppress) return;
    va_list args;
    va_start(args, format);
    AppendComposed(kAppendError, format, args);
    va_end(args);
}

// Appends an error message even while a script has output switched off.
void AppendErrorShown(const char* text) {
    int suppress = g_console.suppress;
    g_console.suppress = 0;
    AppendError(text);
    g_console.suppress = suppress;
}

// A command's argument that is missing or wrong.
void CommandSyntaxError() {
    AppendError(" Syntax Error\r\n");
}

// The two prompt characters for the current modes.
const char* CurrentPrompt() {
    static const char* const kPrompts[2][2] = {{"d>", "D>"}, {"r>", "R>"}};
    int angle = g_settings.angleMode == kRadians ? 1 : 0;
    int exponent = g_settings.displayMode == kFixed ? 0 : 1;
    return kPrompts[angle][exponent];
}

// An empty line unless crflag is set, then the prompt.
void PrintPrompt() {
    if (!g_settings.crflag) AppendInput("\r\n");
    AppendInput(CurrentPrompt());
}

// A line that begins with a prompt.
bool IsInputLine(const char* line) {
    return line[0] && strchr("DRdr", line[0]) && line[1] == '>';
}

// Copies the caret line (at most 511 bytes) into line; returns the caret
// column when it is an input line.
CaretLine ReadCaretLine(char* line) {
    EditControl* edit = g_seam.edit;
    int number = edit->LineFromChar(-1);
    int n = edit->GetLine(number, line, kLineSize - 1);
    if (n < 0) n = 0;
    if (n > kLineSize - 1) n = kLineSize - 1;
    line[n] = 0;
    if (!IsInputLine(line)) return CaretLine{false, 0};
    int start, end;
    edit->GetSel(&start, &end);
    return CaretLine{true, (start & 0xFFFF) - edit->LineIndex(number)};
}

// The position behind the prompt of the last line, -1 without one.
int InputLineStart() {
    EditControl* edit = g_seam.edit;
    int number = edit->LineFromChar(kEndOfText);
    char line[kLineSize];
    int n = edit->GetLine(number, line, kLineSize - 1);
    line[n > 0 ? (n < kLineSize - 1 ? n : kLineSize - 1) : 0] = '\0';
    return IsInputLine(line) ? edit->LineIndex(number) + 2 : -1;
}

// Replaces what stands behind the last prompt.
bool PutInputLine(const char* text) {
    int start = InputLineStart();
    if (start < 0) return false;
    g_seam.edit->SetSel(start, kEndOfText);
    g_seam.edit->ReplaceSel(text);
    return true;
}

// The control takes typed text up to the console's capacity.
void OpenConsole() {
    g_seam.edit->SetLimitText(kEditLimit);
}

// Deletes the whole transcript, also while output is suppressed.
void ClearConsole() {
    g_seam.edit->SetSel(0, -1);
    g_seam.edit->Clear();
}
