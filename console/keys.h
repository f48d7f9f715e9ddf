// Keyboard aids of the console and the accelerator and menu commands. The
// front-ends route their key messages here; what is not consumed goes on to
// the edit control's own handling.
#pragma once

#include "platform/virtual_keys.h"

// WM_KEYDOWN in the console; true when consumed.
bool ConsoleKeyDown(int vk, bool shift, bool ctrl);
// WM_CHAR in the console (Tab, Enter, Backspace); lParam as the message has it.
bool ConsoleChar(int ch, bool shift, long lParam);
// Right button down on the console.
void ConsoleRightClick();
// WM_COMMAND at the main window: accelerators 103-117, menu items 2111-2114,
// history items 3000-3009. False for any other id.
bool RunMenuCommand(int id);
