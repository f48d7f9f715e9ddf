// The settings file as the core sees it: the private-profile functions of
// Win32, or the native front-end's own file of the same properties.
#pragma once

struct SettingsStore {
    virtual ~SettingsStore() = default;
    // GetPrivateProfileIntA: the signed decimal number at the start of the
    // value; def when the file, the section or the key is missing.
    virtual int ReadInt(const char* section, const char* key, int def) = 0;
    // GetPrivateProfileStringA: the value, at most size - 1 bytes, def when
    // it is missing.
    virtual void ReadText(const char* section, const char* key, const char* def, char* text,
                          int size) = 0;
    // WritePrivateProfileStringA: the file, the section and the key are
    // created as needed; false when it cannot be written.
    virtual bool WriteText(const char* section, const char* key, const char* text) = 0;
};
