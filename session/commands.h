// The command table and its actions: the typed commands.
#pragma once

// Runs the first command whose name begins the cleaned statement, with the
// rest of the statement as its argument; false when none does.
bool DispatchCommand(const char* cleaned);
// The argument rule: the text behind the command's name and any blanks.
const char* TakeArgument(const char* statement, int nameLength);
// The typed command that a popup menu item chooses too (exit, help, setup);
// false when no command has the id.
bool RunCommandById(int id);
