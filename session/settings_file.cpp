#include "session/settings_file.h"

#include <stdio.h>

#include "platform/ids.h"
#include "platform/seam.h"

// Each row at the place of its key (a unit test checks).
const SettingEntry kSettingTable[kSettingCount] = {
    {kSettingX, "window", "x", 10, false, nullptr},
    {kSettingY, "window", "y", 10, false, nullptr},
    {kSettingW, "window", "w", 320, false, nullptr},
    {kSettingH, "window", "h", 240, false, nullptr},
    {kSettingDup, "Setup", "dup", 0, true, nullptr},
    {kSettingCrflag, "Setup", "crflag", 0, false, &SessionSettings::crflag},
    {kSettingOntop, "Setup", "ontopflag", 0, false, &SessionSettings::ontopflag},
    {kSettingEndflag, "Setup", "endflag", 0, false, &SessionSettings::endflag},
    {kSettingByte2, "Setup", "byte2", 0, false, &SessionSettings::byte2},
    {kSettingHscroll, "Setup", "hscroll", 1, false, nullptr},
    {kSettingIcon, "Setup", "icon", 0, true, nullptr},
    {kSettingSize, "Setup", "size", -13, false, nullptr},
    {kSettingWeight, "Setup", "weight", 400, false, nullptr},
    {kSettingItalic, "Setup", "italic", 0, false, nullptr},
    {kSettingFont, "Setup", "font", 0, false, nullptr},
};

const SettingKey kSetupSwitches[kSetupSwitchCount] = {
    kSettingCrflag,  kSettingOntop, kSettingEndflag, kSettingByte2,
    kSettingHscroll, kSettingIcon,  kSettingDup,
};

const SetupCheckBox kSetupCheckBoxes[kSetupSwitchCount] = {
    {kSettingHscroll, IDC_SETUP_HSCROLL, "横ｽｸﾛｰﾙﾊﾞ-を表示する"},
    {kSettingIcon, IDC_SETUP_ICON, "ｱｲｺﾝ状態で起動する(ﾄﾚｲ)"},
    {kSettingCrflag, IDC_SETUP_CRFLAG, "ﾌﾟﾛﾝﾌﾟﾄ前に改行を入れない"},
    {kSettingOntop, IDC_SETUP_ONTOPFLAG, "常に手前に表示する"},
    {kSettingEndflag, IDC_SETUP_ENDFLAG, "ｸﾛｰｽﾞﾎﾞﾀﾝで終了しない"},
    {kSettingDup, IDC_SETUP_DUP, "重複起動しない"},
    {kSettingByte2, IDC_SETUP_BYTE2, "2ﾊﾞｲﾄ分を2進表示する(通常は4ﾊﾞｲﾄ)"},
};

// The key's value from the store, its default without one.
int ReadSettingInt(SettingKey key) {
    const SettingEntry& e = kSettingTable[key];
    if (!g_seam.settings) return e.fallback;
    return g_seam.settings->ReadInt(e.section, e.name, e.fallback);
}

// Exactly 1 for the keys that say so, else anything but 0.
bool ReadSettingSwitch(SettingKey key) {
    int value = ReadSettingInt(key);
    return kSettingTable[key].onlyOne ? value == 1 : value != 0;
}

// "%d" into twelve characters, then the store.
void WriteSettingInt(SettingKey key, int value) {
    char text[12];
    snprintf(text, sizeof text, "%d", value);
    WriteSettingText(key, text);
}

// The key's text from the store, empty without one.
void ReadSettingText(SettingKey key, char* text, int size) {
    if (size <= 0) return;
    text[0] = '\0';
    const SettingEntry& e = kSettingTable[key];
    if (g_seam.settings) g_seam.settings->ReadText(e.section, e.name, "", text, size);
}

// The text into the store; a failed write is not reported.
void WriteSettingText(SettingKey key, const char* text) {
    const SettingEntry& e = kSettingTable[key];
    if (g_seam.settings) g_seam.settings->WriteText(e.section, e.name, text);
}

// Every key that holds a session flag, read into it.
void LoadSessionFlags() {
    for (int key = 0; key < kSettingCount; ++key) {
        const SettingEntry& e = kSettingTable[key];
        if (e.flag) g_settings.*e.flag = ReadSettingInt((SettingKey)key);
    }
}

// The flag in use, or the file's value as the program takes it.
bool SetupSwitchShown(SettingKey key) {
    const SettingEntry& e = kSettingTable[key];
    if (e.flag) return g_settings.*e.flag != 0;
    return ReadSettingSwitch(key);
}

// The flag in use (when the key has one), then the key as 0 or 1.
void StoreSetupSwitch(SettingKey key, bool on) {
    const SettingEntry& e = kSettingTable[key];
    if (e.flag) g_settings.*e.flag = on ? 1 : 0;
    WriteSettingInt(key, on ? 1 : 0);
}
