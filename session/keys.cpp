#include "session/keys.h"

#include <string.h>

#include "platform/ids.h"
#include "session/commands.h"
#include "session/console.h"
#include "session/history.h"
#include "session/print.h"
#include "session/script.h"
#include "session/statement.h"
#include "platform/seam.h"
#include "text/text.h"

namespace {

// The caret position: the start of the selection.
int CaretPosition() {
    int start = 0, end = 0;
    g_seam.edit->GetSel(&start, &end);
    return start;
}

// Puts the caret at a position, dropping any selection.
void SetCaret(int pos) {
    g_seam.edit->SetSel(pos, pos);
}

// Moves the caret one character back, between a pair of parentheses.
void CaretOneBack() {
    SetCaret(CaretPosition() - 1);
}

// The characters at which the operator jumps stop.
bool IsOperatorStop(char c) {
    return c == '(' || c == ')' || c == '*' || c == '+' || c == '-' || c == '/';
}

// Caret right behind the next operator of the input line, else at its end.
void NextOperatorJump(const char* line, int column) {
    int n = (int)strlen(line);
    int p = CaretPosition();
    for (int k = column; k < n; ++k) {
        if (IsOperatorStop(line[k])) {
            SetCaret(p + (k - column) + 1);
            return;
        }
    }
    if (column < n) SetCaret(p + (n - column));
}

// Caret right before the previous operator, else right behind the prompt.
void PreviousOperatorJump(const char* line, int column) {
    if (column <= 2) {
        DesktopBeep();
        return;
    }
    int n = (int)strlen(line);
    int p = CaretPosition();
    // Characters past the copied part of a very long line are not known.
    int k = column - 1 < n - 1 ? column - 1 : n - 1;
    for (; k > 2; --k) {
        if (IsOperatorStop(line[k])) {
            SetCaret(p - (column - k));
            return;
        }
    }
    SetCaret(p - (column - 2));
}

// Types the text up to its next line end or NUL at the caret, in pieces of
// whole characters; returns the bytes typed.
int TypeRun(const char* text, int size) {
    char piece[kLineSize];
    int n = 0, filled = 0;
    while (n < size && text[n] != '\0' && text[n] != '\r' && text[n] != '\n') {
        int length = n + 1 < size ? CharLength(text + n) : 1;
        if (filled + length >= kLineSize) {
            piece[filled] = '\0';
            g_seam.edit->ReplaceSel(piece);
            filled = 0;
        }
        memcpy(piece + filled, text + n, (size_t)length);
        filled += length;
        n += length;
    }
    piece[filled] = '\0';
    if (filled > 0) g_seam.edit->ReplaceSel(piece);
    return n;
}

// Inserts "()" at the caret and puts the caret between them.
void InsertParentheses() {
    g_seam.edit->ReplaceSel("()");
    CaretOneBack();
}

} // namespace

// Appends a function template and leaves the caret before its ")".
void AppendTemplate(const char* text) {
    char line[kLineSize];
    if (!ReadCaretLine(line).input) return;
    AppendInput(text);
    CaretOneBack();
}

// WM_KEYDOWN: the no-conversion key and Home on an input line.
bool ConsoleKeyDown(int vk, bool, bool ctrl) {
    if (vk != kVkNonConvert && !(vk == kVkHome && !ctrl)) return false;
    char line[kLineSize];
    CaretLine caret = ReadCaretLine(line);
    if (!caret.input) return false;
    int column = caret.column;
    if (vk == kVkNonConvert)
        InsertParentheses();
    else
        SetCaret(CaretPosition() - column + 2);
    return true;
}

// WM_CHAR: Tab jumps, Enter submits, Backspace stays out of the prompt.
bool ConsoleChar(int ch, bool shift, long lParam) {
    char line[kLineSize];
    switch (ch) {
    case kVkReturn: SubmitEnter(); return true;
    case kVkTab: {
        CaretLine caret = ReadCaretLine(line);
        if (!caret.input) return false;
        int column = caret.column;
        if (shift)
            PreviousOperatorJump(line, column);
        else
            NextOperatorJump(line, column);
        return true;
    }
    case kVkBack: {
        if (lParam == 0) return false;
        CaretLine caret = ReadCaretLine(line);
        if (!caret.input || caret.column > 2) return false;
        DesktopBeep();
        return true;
    }
    default: return false;
    }
}

// Right button down on the console: the popup menu at the pointer.
void ConsoleRightClick() {
    ModalCall([] { g_seam.desktop->ShowPopupMenu(kMenuAtPointer); });
}

// The menu key: the popup menu at the caret.
void ConsoleMenuKey() {
    ModalCall([] { g_seam.desktop->ShowPopupMenu(kMenuAtCaret); });
}

// A paste: runs of text typed at the caret, Enter at each line end.
void ConsolePaste(const char* text, int size) {
    char line[kLineSize];
    if (!ReadCaretLine(line).input) SetCaret(kEndOfText);
    int i = 0;
    while (i < size && text[i] != '\0') {
        if (text[i] == '\r' || text[i] == '\n') {
            bool crlf = text[i] == '\r' && i + 1 < size && text[i + 1] == '\n';
            i += crlf ? 2 : 1;
            SubmitEnter();
            if (g_seam.desktop->Quitting()) return;
            continue;
        }
        i += TypeRun(text + i, size - i);
    }
}

// Ctrl+U: the input line loses everything behind its prompt.
void ClearInputLine() {
    char line[kLineSize];
    if (!ReadCaretLine(line).input) {
        DesktopBeep();
        return;
    }
    int start = g_seam.edit->LineIndex(-1);
    int length = g_seam.edit->LineLength(start);
    g_seam.edit->SetSel(start + 2, start + length);
    g_seam.edit->ReplaceSel("");
}

namespace {

// Popup menu "画面ｸﾘｱ": the console cleared, only a fresh prompt left; a
// window hidden in the tray comes up to show it.
void ClearScreen() {
    ClearConsole();
    PrintPrompt();
    g_seam.desktop->ShowHiddenWindow();
}

// A command chosen only by its id: a popup menu item or an accelerator key.
struct KeyCommand {
    int id;
    void (*action)();
};

// Ctrl+L, Ctrl+K and Ctrl+P do on an input line what Tab, Shift+Tab and the
// no-conversion key do.
const KeyCommand kKeyCommands[] = {
    {IDM_CLEAR, ClearScreen},
    {ID_TYPE_ANS, [] { PrintValue(g_console.ans, kPrintTyped); }},
    {ID_RETYPE_F3, [] { AppendInput(g_console.lastLine); }},
    {ID_CLEAR_INPUT, ClearInputLine},
    {ID_TEMPLATE_SIN, [] { AppendTemplate("sin()"); }},
    {ID_TEMPLATE_COS, [] { AppendTemplate("cos()"); }},
    {ID_TEMPLATE_TAN, [] { AppendTemplate("tan()"); }},
    {ID_TEMPLATE_SQRT, [] { AppendTemplate("sqrt()"); }},
    {ID_TEMPLATE_LN, [] { AppendTemplate("ln()"); }},
    {ID_RETYPE_CTRL_D, [] { AppendInput(g_console.lastLine); }},
    {ID_NEXT_OPERATOR, [] { ConsoleChar(kVkTab, false, 0); }},
    {ID_PREVIOUS_OPERATOR, [] { ConsoleChar(kVkTab, true, 0); }},
    {ID_PARENTHESES, [] { ConsoleKeyDown(kVkNonConvert, false, false); }},
    {ID_HEX_PREFIX, [] { AppendInput("0x"); }},
    {ID_BIN_PREFIX, [] { AppendInput("0b"); }},
};

} // namespace

// Runs the command with the id: a history item, an accelerator, a fixed
// item of the popup menu or a typed command's item; false for any other id.
// A history item chosen while the window hides in the tray brings it up
// with the text typed.
bool RunMenuCommand(int id) {
    if (IsHistoryItem(id)) {
        ChooseHistoryItem(id);
        g_seam.desktop->ShowHiddenWindow();
        return true;
    }
    for (const KeyCommand& command : kKeyCommands) {
        if (command.id == id) {
            command.action();
            return true;
        }
    }
    return id != 0 && RunCommandById(id);
}
