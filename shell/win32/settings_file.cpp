// The settings file tolvane.ini: the private-profile functions keep it in the
// Windows folder, because the name carries no folder.
#include <stdio.h>

#include "shell/win32/shell_state.h"

const char kIniName[] = "tolvane.ini";

// Writes an integer as signed decimal text.
void WriteSettingInt(const char* section, const char* key, int value) {
    char text[12];
    snprintf(text, sizeof text, "%d", value);
    WritePrivateProfileStringA(section, key, text, kIniName);
}

// Reads a signed integer; a missing file or key gives the fallback.
int ReadSettingInt(const char* section, const char* key, int fallback) {
    return (int)GetPrivateProfileIntA(section, key, fallback, kIniName);
}
