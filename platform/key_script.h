// Key scripts: UTF-8 text that types characters and presses named keys.
// "{NAME}" presses a key or does an action, "{{" types "{", a line feed is
// Enter and a carriage return is ignored.
#pragma once

#include <stddef.h>

#include <vector>

#include "platform/virtual_keys.h"

enum KeyActionKind {
    kActionChar,        // a typed character: codepoint
    kActionKey,         // a console key: key, modifiers
    kActionAccelerator, // an accelerator key: key, modifiers, id
    kActionMenu,        // a popup menu item or command: id
    kActionRightClick,  // right button on the console
    kActionGoto,        // caret to line, column
    kActionClose,       // the title bar's close button
    kActionMinimize,    // the minimize button
    kActionTrayLeft,    // left click on the tray icon
    kActionTrayRight,   // right click on the tray icon
    kActionDrop,        // a file dropped on the window: path (UTF-8)
    kActionPaste,       // a paste of the UTF-8 text in the file at path
};

enum { kKeyPathSize = 260 };

struct KeyAction {
    int kind = kActionChar;   // KeyActionKind
    unsigned codepoint = 0;   // kActionChar
    int key = 0;              // virtual-key code of kActionKey and kActionAccelerator
    int modifiers = 0;        // KeyModifier bits
    int id = 0;               // command id of kActionAccelerator and kActionMenu
    int line = 0, column = 0; // kActionGoto, both from 0
    char path[kKeyPathSize];  // kActionDrop and kActionPaste, terminated (set by MakeAction)
};

// A fresh action of a kind: every field 0, the path empty.
KeyAction MakeAction(int kind);

// A script being read one action at a time.
struct KeyScriptReader {
    const char* text;
    size_t size;
    size_t pos;
    int line; // the script line at pos, from 1
};

// Starts reading a script of size bytes (the text must outlive the reading).
void StartKeyScript(KeyScriptReader* reader, const char* text, size_t size);
// The next action: 1 when one was read, 0 at the end of the script, -1 on an
// error, with error filled as ParseKeyScript fills it.
int NextKeyAction(KeyScriptReader* reader, KeyAction* action, char* error, int errorSize);
// Reads a whole script and keeps nothing: the check before it is played.
bool CheckKeyScript(const char* text, size_t size, char* error, int errorSize);

// Parses a whole script into out (nullptr: only checks it); on error fills
// error with a one-line message that names the script line, and returns false.
bool ParseKeyScript(const char* text, size_t size, std::vector<KeyAction>* out, char* error,
                    int errorSize);

// The script name of a key or accelerator action ("Ctrl+K"), or nullptr.
const char* KeyActionName(const KeyAction& action);
