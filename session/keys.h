// Keyboard aids of the console, the accelerator and popup menu commands. The
// front-ends route their key messages here; what is not consumed goes on to
// the edit control's own handling.
#pragma once

#include "platform/virtual_keys.h"

// WM_KEYDOWN in the console; true when consumed.
bool ConsoleKeyDown(int vk, bool shift, bool ctrl);
// WM_CHAR in the console (Tab, Enter, Backspace); lParam as the message has it.
bool ConsoleChar(int ch, bool shift, long lParam);
// Right button down on the console: the popup menu at the mouse pointer.
void ConsoleRightClick();
// The menu key or Shift+F10 on the console: the popup menu at the caret.
void ConsoleMenuKey();
// A paste: the text is typed at the caret as the keys would type it, except
// that every character but a line end is text (a tab, a control character),
// never a key; each line end (CR LF, LF or CR) presses Enter, and what
// follows the last one stays typed. The text ends at size bytes or at a NUL.
// With the caret on a line that is no input line the text goes to the end
// of the console, behind the prompt.
void ConsolePaste(const char* text, int size);

// Ctrl+U: only the prompt stays on the input line.
void ClearInputLine();
// Alt+S, Alt+C, Alt+T, Alt+R, Alt+L: a function template ("sin()") at the
// end of the console, the caret before its ")", when the caret is on an
// input line.
void AppendTemplate(const char* text);
// WM_COMMAND at the main window: accelerators 103-117, menu items 2111-2114,
// history items 3000-3009. False for any other id.
bool RunMenuCommand(int id);
