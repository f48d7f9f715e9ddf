// The settings file tolvane.ini: the private-profile functions keep it in the
// Windows folder, because the name carries no folder.
#include <stdio.h>

#include "shell/win32/shell_state.h"

namespace {

const char kIniName[] = "tolvane.ini";

// The settings store of the core on the private-profile functions.
struct Win32Settings : SettingsStore {
    int ReadInt(const char* section, const char* key, int def) override {
        return (int)GetPrivateProfileIntA(section, key, def, kIniName);
    }
    void ReadText(const char* section, const char* key, const char* def, char* text,
                  int size) override {
        GetPrivateProfileStringA(section, key, def, text, (DWORD)size, kIniName);
    }
    bool WriteText(const char* section, const char* key, const char* text) override {
        return WritePrivateProfileStringA(section, key, text, kIniName) != FALSE;
    }
};

Win32Settings g_settingsStore;

} // namespace

// The one store of the process.
SettingsStore* Win32SettingsStore() {
    return &g_settingsStore;
}
