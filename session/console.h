// The logical console: append, formatted append, prompt, caret line, clear.
#pragma once

#include "platform/edit_control.h" // kEndOfText

enum {
    kLineSize = 512,       // a caret line, a script line, the last line
    kStatementSize = 1024, // a cleaned statement
    // Capacity. Output never leaves more than kTranscriptLimit bytes in the
    // transcript: when it would, the oldest lines go, down to kTranscriptLowMark,
    // so that lines are dropped in large steps and seldom. The control takes
    // typed text up to kEditLimit, so a full console still takes thousands of
    // typed characters, and the text stays below the 16-bit positions' reach
    // even where the control counts characters of two bytes each.
    kTranscriptLimit = 30000,
    kTranscriptLowMark = 20000,
    kEditLimit = 32766,
    kFormatSize = 2048, // formatted append composes in this many bytes
};

// What an appended text is: the program's answer, an error message, or what
// stands on the input line (a prompt, a recalled or chosen statement).
enum AppendKind { kAppendOutput, kAppendError, kAppendInput };

struct ConsoleState {
    int suppress;             // output suppression: append prints nothing
    int errors;               // error messages reported since start, shown or not
    AppendKind appending;     // what the text being appended is
    char lastLine[kLineSize]; // statement text of the latest non-empty statement
    double ans;               // the last result
};

extern ConsoleState g_console;

// Sees every text that append adds, with its kind.
typedef void (*AppendObserver)(const char* text, AppendKind kind);
extern AppendObserver g_appendObserver;

void Append(const char* text);
// Appends text that stands on the input line, not an answer of the program.
void AppendInput(const char* text);
void AppendFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Append and formatted append of an error message: counted, and marked for
// the observer (a pipe sends these to standard error).
void AppendError(const char* text);
void AppendErrorFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Appends an error message even while a script has output switched off.
void AppendErrorShown(const char* text);
// The message of a command whose argument is missing or wrong.
void CommandSyntaxError();
void PrintPrompt();
// The caret's line: whether it is an input line, and the caret's column.
struct CaretLine {
    bool input; // the line begins with a prompt
    int column; // the caret's column (the selection's start) on an input line
};

// Reads the caret's line (up to 511 bytes) into line.
CaretLine ReadCaretLine(char* line);
// The position behind the prompt of the console's last line; -1 when the
// last line is no input line.
int InputLineStart();
// The text behind the last line's prompt becomes text, the caret behind it;
// false, and nothing changed, when the last line is no input line.
bool PutInputLine(const char* text);
void ClearConsole();
// Gives the console its capacity; once, when the console exists.
void OpenConsole();
bool IsInputLine(const char* line);
// The two prompt characters for the current angle and display modes.
const char* CurrentPrompt();
