// The native settings file: where it is, and the store the core reads and
// writes it through.
#pragma once

#include <string>

#include "platform/settings_store.h"

// The --ini path when given, else $XDG_CONFIG_HOME/tolvane/tolvane.ini, else
// ~/.config/tolvane/tolvane.ini; empty (no file) without either.
std::string SettingsFilePath(const char* iniOption);
// What keeps a settings file from being read ("cannot read the settings
// file", "the settings file is larger than 64 KiB"), or nullptr when it can
// be read or is missing.
const char* SettingsFileProblem(const char* path);

// The private-profile file at one path (empty: none, every key its default
// and nothing written); a write creates the file's folder when needed.
class NativeSettings : public SettingsStore {
  public:
    // Uses this file from now on (nullptr: none).
    void Use(const char* path);

    int ReadInt(const char* section, const char* key, int def) override;
    void ReadText(const char* section, const char* key, const char* def, char* text,
                  int size) override;
    bool WriteText(const char* section, const char* key, const char* text) override;

  private:
    std::string file_;
};
