#include "session/statement.h"

#include <string.h>

#include "session/commands.h"
#include "session/console.h"
#include "session/history.h"
#include "session/print.h"
#include "eval/parser.h"
#include "platform/seam.h"
#include "text/text.h"

namespace {

// Drops blanks and tabs and cuts at a quote: the rest is a comment. The
// runs between blanks are copied whole while there is room.
void CleanStatement(const char* line, char* cleaned) {
    size_t n = 0;
    for (const char* p = line; *p && *p != '\'';) {
        size_t run = strcspn(p, " \t'");
        size_t kept = run < kStatementSize - 1 - n ? run : kStatementSize - 1 - n;
        memcpy(cleaned + n, p, kept);
        n += kept;
        p += run;
        while (*p == ' ' || *p == '\t') ++p;
    }
    cleaned[n] = 0;
}

// Evaluates an expression statement; a result becomes ans and is printed.
void ExpressionStatement(const char* cleaned) {
    EvalState s = {};
    BeginEvaluation(&s, cleaned);
    double value = 0.0;
    Evaluate(&s, &value);
    ShowErrors(&s.record);
    if (s.error != kNoError) return;
    g_console.ans = value;
    Append(" ");
    PrintValue(value, kPrintResult);
}

// The caret line's whole length, its prompt included.
int CaretLineLength() {
    EditControl* edit = g_seam.edit;
    return edit->LineLength(edit->LineIndex(edit->LineFromChar(-1)));
}

} // namespace

// Runs a statement's text: a command or an expression, then the history's
// bookkeeping; a text of blanks and a comment does nothing.
void RunStatement(const char* text) {
    char cleaned[kStatementSize];
    CleanStatement(text, cleaned);
    if (cleaned[0] == 0) return;
    // The statement's text as the history keeps it; a script the statement
    // calls puts its own lines in lastLine.
    char entry[kLineSize];
    int length = CopyText(entry, kLineSize, text, (int)strlen(text));
    memcpy(g_console.lastLine, entry, (size_t)length + 1);
    if (!DispatchCommand(cleaned)) ExpressionStatement(cleaned);
    AfterStatement(cleaned, entry);
}

// Enter: the statement behind an input line's prompt is run, any other line
// only gets a line break; then the next prompt unless a recall stands.
void SubmitEnter() {
    char line[kLineSize];
    if (!ReadCaretLine(line).input) {
        Append("\r\n");
    } else if (CaretLineLength() >= kLineSize) {
        // Never run a line cut to the buffer's size: say why it did not run.
        Append("\r\n");
        AppendError(" 行が長すぎます\r\n");
    } else {
        Append("\r\n");
        RunStatement(line + 2);
    }
    if (g_history.state == kHistoryRecall) {
        g_history.state = kHistoryNone;
    } else {
        PrintPrompt();
    }
}
