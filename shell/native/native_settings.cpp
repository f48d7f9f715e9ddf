#include "shell/native/native_settings.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "shell/native/native_paths.h"
#include "shell/native/profile.h"

// --ini, else the XDG configuration folder.
std::string SettingsFilePath(const char* iniOption) {
    if (iniOption) return iniOption;
    return XdgFile("XDG_CONFIG_HOME", ".config", "tolvane.ini");
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

// The file in use from now on.
void NativeSettings::Use(const char* path) {
    file_ = path ? path : "";
}

// The file's value now, def without a file.
int NativeSettings::ReadInt(const char* section, const char* key, int def) {
    if (file_.empty()) return def;
    return GetProfileInt(file_.c_str(), section, key, def);
}

// The file's text now, def without a file.
void NativeSettings::ReadText(const char* section, const char* key, const char* def, char* text,
                              int size) {
    if (file_.empty()) {
        snprintf(text, (size_t)size, "%s", def);
        return;
    }
    GetProfileText(file_.c_str(), section, key, def, text, size);
}

// Into the file in use, its folders made first.
bool NativeSettings::WriteText(const char* section, const char* key, const char* text) {
    if (file_.empty()) return false;
    MakeFolders(file_, 0755);
    return WriteProfileText(file_.c_str(), section, key, text);
}
