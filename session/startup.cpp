#include "session/startup.h"

#include <stdio.h>

#include "session/console.h"
#include "session/reset_core.h"
#include "session/settings.h"
#include "session/settings_file.h"
#include "session/statement.h"
#include "platform/seam.h"

// A fresh core and the flags of the settings file.
void BeginSession() {
    ResetCore();
    LoadSessionFlags();
}

// The script goes in as the statement "call NAME", so that the history
// records it; a line break follows.
void StartConsole(const char* scriptName) {
    OpenConsole();
    if (scriptName) {
        char line[kStatementSize];
        snprintf(line, sizeof line, "call %s", scriptName);
        RunStatement(line);
        Append("\r\n");
    }
    if (!g_seam.desktop->Quitting()) PrintPrompt();
}

// Hide with endflag, else quit.
void CloseButton() {
    if (g_settings.endflag)
        g_seam.desktop->HideWindow();
    else
        g_seam.desktop->Quit();
}
