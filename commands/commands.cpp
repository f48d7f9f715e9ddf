#include "commands/commands.h"

#include <string.h>

#include "expr/eval.h"

namespace {

struct Command {
    const char* name;
    void (*action)();
};

// In table order; the first whose name begins the statement wins.
const Command kCommands[] = {
    {"/", nullptr},
};

} // namespace

// Runs the first command whose name begins the cleaned statement.
bool DispatchCommand(const char* cleaned) {
    for (const Command* c = kCommands; strcmp(c->name, "/") != 0; ++c) {
        if (strncmp(cleaned, c->name, strlen(c->name)) == 0) {
            c->action();
            return true;
        }
    }
    return false;
}

// Moves the parse cursor past the command's name and any blanks.
const char* TakeArgument(int nameLength) {
    g_eval.cursor += nameLength;
    while (*g_eval.cursor == ' ' || *g_eval.cursor == '\t') ++g_eval.cursor;
    return g_eval.cursor;
}
