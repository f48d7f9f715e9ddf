#include "console/keys.h"

#include "console/statement.h"

// WM_KEYDOWN in the console; nothing is consumed yet.
bool ConsoleKeyDown(int, bool, bool) { return false; }

// WM_CHAR in the console: Enter submits the caret line.
bool ConsoleChar(int ch, bool, long) {
    if (ch != kVkReturn) return false;
    SubmitEnter();
    return true;
}

void ConsoleRightClick() {}
bool RunMenuCommand(int) { return false; }
