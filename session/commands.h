// The command table and its actions: the typed commands, the popup menu's
// and the accelerator keys' commands.
#pragma once

// Runs the first command whose name begins the cleaned statement; false when
// none does. The parse cursor stands at the start of the statement.
bool DispatchCommand(const char* cleaned);
// The argument rule: moves the parse cursor past the command's name and any
// blanks and returns the argument.
const char* TakeArgument(int nameLength);
// WM_COMMAND at the main window: accelerators 103-117, menu items 2111-2114,
// history items 3000-3009. False for any other id.
bool RunMenuCommand(int id);
