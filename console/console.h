// The logical console: append, formatted append, prompt, caret line, clear.
#pragma once

enum {
    kLineSize = 512,          // a caret line, a script line, the last line
    kStatementSize = 1024,    // a cleaned statement
    kNotOnInputLine = 10000,  // read caret line: the caret is not on an input line
    kEndOfText = 0xFFFE,      // addresses the end of the transcript
    kTranscriptLimit = 30000, // the oldest lines go before the transcript passes this
    kFormatSize = 2048,       // formatted append composes in this many bytes
};

struct ConsoleState {
    int suppress;             // output suppression: append prints nothing
    int errors;               // error messages reported since start, shown or not
    int errorText;            // set while an error message is being appended
    char lastLine[kLineSize]; // statement text of the latest non-empty statement
    double ans;               // the last result
};

extern ConsoleState g_console;

// Sees every text that append adds; error is set for an error message.
typedef void (*AppendObserver)(const char* text, bool error);
extern AppendObserver g_appendObserver;

void Append(const char* text);
void AppendFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Append and formatted append of an error message: counted, and marked for
// the observer (a pipe sends these to standard error).
void AppendError(const char* text);
void AppendErrorFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
void PrintPrompt();
int ReadCaretLine(char* line);
void ClearConsole();
bool IsInputLine(const char* line);
// The two prompt characters for the current angle and display modes.
const char* CurrentPrompt();
