#include "console/keys.h"

#include <string.h>

#include "console/console.h"
#include "console/history.h"
#include "console/settings.h"
#include "console/statement.h"
#include "display/display.h"
#include "platform/seam.h"

namespace {

// Command ids of the accelerator keys.
enum AcceleratorId {
    kCmdAns = 103,
    kCmdRetypeF3 = 104,
    kCmdClearInput = 105,
    kCmdSin = 106,
    kCmdCos = 107,
    kCmdTan = 108,
    kCmdSqrt = 109,
    kCmdLn = 110,
    kCmdRetype = 112,
    kCmdNextOperator = 113,
    kCmdPreviousOperator = 114,
    kCmdParentheses = 115,
    kCmdHexPrefix = 116,
    kCmdBinPrefix = 117,
};

struct MenuCommand {
    int id;
    void (*handler)();
};

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
        g_seam.desktop->Beep();
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

// Inserts "()" at the caret and puts the caret between them.
void InsertParentheses() {
    g_seam.edit->ReplaceSel("()");
    CaretOneBack();
}

// Appends a function template and leaves the caret before its ")".
void AppendTemplate(const char* text) {
    char line[kLineSize];
    if (ReadCaretLine(line) >= kNotOnInputLine) return;
    Append(text);
    CaretOneBack();
}

// Ctrl+A: the last result's number at the end of the console.
void TypeAns() {
    PrintValue(g_console.ans, 0, 1);
}

// F3, Ctrl+D: the last statement again at the end of the console.
void RetypeLastLine() {
    Append(g_console.lastLine);
}

// Ctrl+U: the input line loses everything behind its prompt.
void ClearInputLine() {
    char line[kLineSize];
    if (ReadCaretLine(line) >= kNotOnInputLine) {
        g_seam.desktop->Beep();
        return;
    }
    int start = g_seam.edit->LineIndex(-1);
    int length = g_seam.edit->LineLength(start);
    g_seam.edit->SetSel(start + 2, start + length);
    g_seam.edit->ReplaceSel("");
}

void TypeSin() {
    AppendTemplate("sin()");
}
void TypeCos() {
    AppendTemplate("cos()");
}
void TypeTan() {
    AppendTemplate("tan()");
}
void TypeSqrt() {
    AppendTemplate("sqrt()");
}
void TypeLn() {
    AppendTemplate("ln()");
}

// Ctrl+L: next operator jump on an input line.
void NextOperatorCommand() {
    char line[kLineSize];
    int column = ReadCaretLine(line);
    if (column < kNotOnInputLine) NextOperatorJump(line, column);
}

// Ctrl+K: previous operator jump on an input line.
void PreviousOperatorCommand() {
    char line[kLineSize];
    int column = ReadCaretLine(line);
    if (column < kNotOnInputLine) PreviousOperatorJump(line, column);
}

// Ctrl+P: "()" at the caret of an input line.
void ParenthesesCommand() {
    char line[kLineSize];
    if (ReadCaretLine(line) < kNotOnInputLine) InsertParentheses();
}

void TypeHexPrefix() {
    Append("0x");
}
void TypeBinPrefix() {
    Append("0b");
}

// Popup menu: "常駐終了".
void QuitCommand() {
    g_seam.desktop->Quit();
}

// Popup menu: "画面ｸﾘｱ" leaves only a fresh prompt.
void ClearCommand() {
    ClearConsole();
    PrintPrompt();
}

// Popup menu: "ﾍﾙﾌﾟ".
void HelpCommand() {
    g_seam.desktop->OpenHelp();
}

// Popup menu: "設定...", then the stored always-on-top switch again.
void SetupCommand() {
    g_seam.desktop->SetupDialog();
    g_seam.desktop->SetTopmost(g_settings.ontopflag != 0);
}

// Accelerator and popup menu commands by id; 111 has no action.
const MenuCommand kMenuCommands[] = {
    {kCmdAns, TypeAns},
    {kCmdRetypeF3, RetypeLastLine},
    {kCmdClearInput, ClearInputLine},
    {kCmdSin, TypeSin},
    {kCmdCos, TypeCos},
    {kCmdTan, TypeTan},
    {kCmdSqrt, TypeSqrt},
    {kCmdLn, TypeLn},
    {kCmdRetype, RetypeLastLine},
    {kCmdNextOperator, NextOperatorCommand},
    {kCmdPreviousOperator, PreviousOperatorCommand},
    {kCmdParentheses, ParenthesesCommand},
    {kCmdHexPrefix, TypeHexPrefix},
    {kCmdBinPrefix, TypeBinPrefix},
    {kMenuQuit, QuitCommand},
    {kMenuClear, ClearCommand},
    {kMenuHelp, HelpCommand},
    {kMenuSetup, SetupCommand},
};

} // namespace

// WM_KEYDOWN: the no-conversion key and Home on an input line.
bool ConsoleKeyDown(int vk, bool, bool ctrl) {
    if (vk != kVkNonConvert && !(vk == kVkHome && !ctrl)) return false;
    char line[kLineSize];
    int column = ReadCaretLine(line);
    if (column >= kNotOnInputLine) return false;
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
        int column = ReadCaretLine(line);
        if (column >= kNotOnInputLine) return false;
        if (shift)
            PreviousOperatorJump(line, column);
        else
            NextOperatorJump(line, column);
        return true;
    }
    case kVkBack:
        if (lParam == 0 || ReadCaretLine(line) > 2) return false;
        g_seam.desktop->Beep();
        return true;
    default: return false;
    }
}

// Right button down on the console: the popup menu.
void ConsoleRightClick() {
    g_seam.desktop->ShowPopupMenu();
}

// WM_COMMAND at the main window; false for ids it does not handle.
bool RunMenuCommand(int id) {
    if (id >= kMenuHistoryFirst && id < kMenuHistoryFirst + kHistoryCapacity) {
        ChooseHistoryItem(id);
        return true;
    }
    for (const MenuCommand& command : kMenuCommands) {
        if (command.id == id) {
            command.handler();
            return true;
        }
    }
    return false;
}
