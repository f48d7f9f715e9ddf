#include "console/session.h"

#include "commands/script.h"
#include "console/console.h"
#include "console/history.h"
#include "console/settings.h"
#include "expr/eval.h"
#include "expr/functions.h"
#include "expr/variables.h"

// Clears every subsystem's state and takes the history out of the menu;
// the seam is left as it is.
void ResetCore() {
    RemoveHistoryItems();
    ResetScripts();
    g_console = ConsoleState{};
    g_eval = EvalState{};
    g_vars = VariableTable{};
    g_funcs = FunctionTable{};
    g_history = HistoryState{};
    ResetSettings();
}
