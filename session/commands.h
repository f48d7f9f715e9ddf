// The command table and its actions: the typed commands, the popup menu's
// and the accelerator keys' commands.
#pragma once

// Runs the first command whose name begins the cleaned statement, with the
// rest of the statement as its argument; false when none does.
bool DispatchCommand(const char* cleaned);
// The argument rule: the text behind the command's name and any blanks.
const char* TakeArgument(const char* statement, int nameLength);
// WM_COMMAND at the main window: accelerators 103-117, menu items 2111-2114,
// history items 3000-3009. False for any other id.
bool RunMenuCommand(int id);
