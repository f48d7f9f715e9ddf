#include "session/reset_core.h"

#include "session/script.h"
#include "session/console.h"
#include "session/history.h"
#include "session/settings.h"
#include "session/statement.h"
#include "eval/functions.h"
#include "eval/variables.h"

// Clears every subsystem's state and takes the history out of the menu;
// the seam is left as it is.
void ResetCore() {
    RemoveHistoryItems();
    ResetScripts();
    SetScriptLineRunner(RunStatement);
    g_console = ConsoleState{};
    g_vars = VariableTable{};
    g_funcs = FunctionTable{};
    g_history = HistoryState{};
    ResetSettings();
}
