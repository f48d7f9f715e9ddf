// Whether terminfo describes a terminal type (kept apart: term.h defines
// macros named like common words).
#pragma once

// True when terminfo knows the type.
bool TerminalTypeKnown(const char* term);
