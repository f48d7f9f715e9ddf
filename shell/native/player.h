// The native console and the routing of keys and actions into it: the same
// routing serves the key-script player and the interactive terminal.
#pragma once

#include <stddef.h>

#include <string>

#include "platform/key_script.h"
#include "platform/model/memory_edit.h"
#include "platform/model/memory_menu.h"
#include "shell/native/native_clocks.h"
#include "shell/native/native_desktop.h"
#include "shell/native/native_files.h"
#include "shell/native/native_settings.h"

struct NativeShell {
    MemoryEdit edit;
    MemoryMenu menu;
    NativeDesktop desktop;
    NativeFiles files;
    NativeSettings settings;
    NativeClocks clocks;
};

extern NativeShell g_native;

// A fresh session: every subsystem reset, the seam on the native console,
// the settings file's flags loaded, a start-up script run when one is named
// (nullptr: none), then the first prompt.
void StartSession(const char* settingsFile, const char* script);
// Plays one action of a key script.
void PlayAction(const KeyAction& action);
// Plays a checked key script as it is read, until it ends or the program quits.
void PlayKeyScript(const char* text, size_t size);
// Types code page 932 text at the caret, one typed character at a time.
void TypeText(const char* bytes, size_t size);
// The console's text now, or as it was when the program quit.
std::string CurrentText();
// A typed line as the console's code page 932; false when a character has
// no form there (or the line is no valid UTF-8).
bool LineToCp932(const std::string& utf8, std::string* cp932);
// Refuses the line that could not be typed: a line break, the message that
// says why, the next prompt.
void RefuseLine();
