#include "shell/native/terminfo.h"

#include <curses.h>
#include <term.h>

// setupterm on the terminal's type, the entry let go again.
bool TerminalTypeKnown(const char* term) {
    int status = 0;
    if (!term || !*term || setupterm(term, 1, &status) != OK) return false;
    del_curterm(cur_term);
    return true;
}
