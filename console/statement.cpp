#include "console/statement.h"

#include <string.h>

#include "commands/commands.h"
#include "console/console.h"
#include "console/history.h"
#include "display/display.h"
#include "expr/eval.h"
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
void ExpressionStatement() {
    double value = 0.0;
    g_eval.reset = 1;
    Evaluate(&value);
    if (g_eval.lastError != 0) return;
    g_console.ans = value;
    Append(" ");
    PrintValue(value, 1, 0);
}

// The caret line's whole length, its prompt included.
int CaretLineLength() {
    EditControl* edit = g_seam.edit;
    return edit->LineLength(edit->LineIndex(edit->LineFromChar(-1)));
}

} // namespace

// Runs one line: two characters in the prompt's place, then the statement.
void EnterStatement(const char* line) {
    char cleaned[kStatementSize];
    CleanStatement(line, cleaned);
    if (cleaned[0] == 0) return;
    const char* text = line[0] && line[1] ? line + 2 : "";
    // The statement's text as the history keeps it; a script the statement
    // calls puts its own lines in lastLine.
    char entry[kLineSize];
    int length = CopyText(entry, kLineSize, text, (int)strlen(text));
    memcpy(g_console.lastLine, entry, (size_t)length + 1);
    g_eval.cursor = cleaned;
    if (!DispatchCommand(cleaned)) ExpressionStatement();
    AfterStatement(cleaned, entry);
}

// Enter: an input line is run (its prompt blanked), any other line only
// gets a line break; then the next prompt unless a recall stands.
void SubmitEnter() {
    char line[kLineSize];
    if (ReadCaretLine(line) >= kNotOnInputLine) {
        Append("\r\n");
    } else if (CaretLineLength() >= kLineSize) {
        // Never run a line cut to the buffer's size: say why it did not run.
        Append("\r\n");
        AppendError(" 行が長すぎます\r\n");
    } else {
        line[0] = ' ';
        line[1] = ' ';
        Append("\r\n");
        EnterStatement(line);
    }
    if (g_history.state == kHistoryRecall) {
        g_history.state = kHistoryNone;
    } else {
        PrintPrompt();
    }
}
