// The command table and its actions.
#pragma once

// Runs the first command whose name begins the cleaned statement; false when
// none does. The parse cursor stands at the start of the statement.
bool DispatchCommand(const char* cleaned);
// The argument rule: moves the parse cursor past the command's name and any
// blanks and returns the argument.
const char* TakeArgument(int nameLength);
