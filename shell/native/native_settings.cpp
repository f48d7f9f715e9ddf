#include "shell/native/native_settings.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "console/settings.h"
#include "shell/native/profile.h"

namespace {

std::string g_settingsFile; // the file in use

// Creates every folder on the way to a file (mkdir -p of its folder).
void MakeFolders(const std::string& file) {
    for (size_t i = 1; i < file.size(); ++i) {
        if (file[i] != '/') continue;
        mkdir(file.substr(0, i).c_str(), 0755);
    }
}

} // namespace

// --ini, else the XDG configuration folder.
std::string SettingsFilePath(const char* iniOption) {
    if (iniOption) return iniOption;
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/tolvane/tolvane.ini";
    const char* home = getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/tolvane/tolvane.ini";
}

// A file that is there but cannot be used.
const char* SettingsFileProblem(const char* path) {
    std::string text;
    switch (ReadProfileFile(path, &text)) {
    case kProfileUnreadable: return "cannot read the settings file";
    case kProfileTooLarge: return "the settings file is larger than 64 KiB";
    default: return nullptr;
    }
}

// The four flags of section "Setup"; a missing file or key gives 0.
void LoadSettings(const char* path) {
    g_settingsFile = path ? path : "";
    const char* file = g_settingsFile.c_str();
    g_settings.crflag = GetProfileInt(file, "Setup", "crflag", 0);
    g_settings.ontopflag = GetProfileInt(file, "Setup", "ontopflag", 0);
    g_settings.endflag = GetProfileInt(file, "Setup", "endflag", 0);
    g_settings.byte2 = GetProfileInt(file, "Setup", "byte2", 0);
}

// "%d" of the value into the settings file in use.
bool WriteSettingInt(const char* section, const char* key, int value) {
    if (g_settingsFile.empty()) return false;
    char text[12];
    snprintf(text, sizeof text, "%d", value);
    MakeFolders(g_settingsFile);
    return WriteProfileText(g_settingsFile.c_str(), section, key, text);
}

// The file's value now, not the one read at start.
int ReadSettingInt(const char* section, const char* key, int def) {
    if (g_settingsFile.empty()) return def;
    return GetProfileInt(g_settingsFile.c_str(), section, key, def);
}
