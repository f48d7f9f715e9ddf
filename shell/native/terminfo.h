// Whether terminfo describes a terminal type (kept apart: term.h defines
// macros named like common words).
#pragma once

// True when terminfo knows the type and it can put the cursor anywhere on
// the screen (dumb terminals and editors' shell buffers cannot).
bool TerminalAddressesCursor(const char* term);
