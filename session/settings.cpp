#include "session/settings.h"

SessionSettings g_settings;

// Puts the settings back to their start values, the file's flags cleared.
void ResetSettings() {
    g_settings = SessionSettings{};
}
