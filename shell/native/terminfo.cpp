#include "shell/native/terminfo.h"

#include <curses.h>
#include <term.h>

// setupterm on the terminal's type, its cursor addressing looked up, the
// entry let go again.
bool TerminalAddressesCursor(const char* term) {
    int status = 0;
    if (!term || !*term || setupterm(term, 1, &status) != OK) return false;
    char* cup = tigetstr("cup");
    bool addresses = cup != nullptr && cup != (char*)-1;
    del_curterm(cur_term);
    return addresses;
}
