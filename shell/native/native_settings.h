// The native settings file: where it is, and the flags read at start.
#pragma once

#include <string>

// The --ini path when given, else $XDG_CONFIG_HOME/tolvane/tolvane.ini, else
// ~/.config/tolvane/tolvane.ini.
std::string SettingsFilePath(const char* iniOption);
// What keeps a settings file from being read ("cannot read the settings
// file", "the settings file is larger than 64 KiB"), or nullptr when it can
// be read or is missing.
const char* SettingsFileProblem(const char* path);
// Uses this file from now on and loads crflag, ontopflag, endflag and byte2
// of section "Setup" into the session settings.
void LoadSettings(const char* path);
// Writes one integer to the settings file in use, creating its folder when
// needed; false when it cannot be written.
bool WriteSettingInt(const char* section, const char* key, int value);
// One integer of the settings file in use, def when it is missing.
int ReadSettingInt(const char* section, const char* key, int def);
