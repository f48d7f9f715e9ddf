// The keys of the settings file tolvane.ini: one table of their sections,
// names and defaults, read and written through the seam's settings store,
// and the setup dialog's check boxes that show the switches among them.
#pragma once

#include "session/settings.h"

enum SettingKey {
    kSettingX,       // left edge of the main window
    kSettingY,       // top edge
    kSettingW,       // outer width
    kSettingH,       // outer height
    kSettingDup,     // one instance only
    kSettingCrflag,  // no empty line before the prompt
    kSettingOntop,   // always on top
    kSettingEndflag, // the close button hides
    kSettingByte2,   // 2-byte binary rendering
    kSettingHscroll, // horizontal scroll bar, next start
    kSettingIcon,    // start hidden in the tray, next start
    kSettingSize,    // the font's height
    kSettingWeight,  // the font's weight
    kSettingItalic,  // the font's italic byte
    kSettingFont,    // the font's face name (text)
    kSettingCount
};

struct SettingEntry {
    SettingKey key;
    const char* section;
    const char* name;
    int fallback;               // the default of an integer key
    bool onlyOne;               // only the exact value 1 counts as set, else any but 0
    int SessionSettings::*flag; // the session flag it holds, or nullptr
};

extern const SettingEntry kSettingTable[kSettingCount];

enum { kSetupSwitchCount = 7 };
// The setup dialog's seven switches in the order OK stores them: the four
// that take effect at once first.
extern const SettingKey kSetupSwitches[kSetupSwitchCount];

// One check box of the setup dialog: the key it stores, its control id in
// the resource script's dialog and its label there (code page 932).
struct SetupCheckBox {
    SettingKey key;
    int control;
    const char* label;
};
// In the order the dialog shows them; the first two take effect at the next
// start.
extern const SetupCheckBox kSetupCheckBoxes[kSetupSwitchCount];

// An integer key of the settings file; its default when it is missing.
int ReadSettingInt(SettingKey key);
// Whether the key's value counts as set: exactly 1 for the keys that say
// so, else anything but 0.
bool ReadSettingSwitch(SettingKey key);
// Writes an integer key as "%d" text.
void WriteSettingInt(SettingKey key, int value);
// A text key, at most size - 1 bytes; empty when it is missing.
void ReadSettingText(SettingKey key, char* text, int size);
// Writes a text key.
void WriteSettingText(SettingKey key, const char* text);
// crflag, ontopflag, endflag and byte2 from the settings file into the
// session settings.
void LoadSessionFlags();
// What a setup switch shows as the dialog opens: the flag in use for the
// four that take effect at once, the file's value for the others.
bool SetupSwitchShown(SettingKey key);
// OK of the setup dialog for one switch: its flag in use taken (when it has
// one), its key written as 0 or 1.
void StoreSetupSwitch(SettingKey key, bool on);
