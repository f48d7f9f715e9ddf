#include "shell/native/player.h"

#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "session/commands.h"
#include "session/script.h"
#include "session/console.h"
#include "session/keys.h"
#include "session/startup.h"
#include "platform/seam.h"
#include "text/text.h"
#include "shell/native/codepage.h"
#include "shell/native/native_paths.h"

NativeShell g_native;

namespace {

// The lParam of a typed key: a repeat count of 1.
const long kTypedKey = 1;
// The most a paste takes from its file: far more than the console holds.
const size_t kPasteLimit = 1 << 20;

// One typed character (one or two bytes): the console's key handler first,
// then the control's own typing.
void TypeCharacter(const char* bytes, int count) {
    if (ConsoleChar((unsigned char)bytes[0], false, kTypedKey)) return;
    g_native.edit.TypeChar(bytes, count);
}

// What the control itself does with a key the console did not take.
void ControlKey(int vk, bool shift, bool ctrl) {
    MemoryEdit& edit = g_native.edit;
    switch (vk) {
    case kVkDelete: edit.Delete(); break;
    case kVkHome: ctrl ? edit.CtrlHome(shift) : edit.Home(shift); break;
    case kVkEnd: ctrl ? edit.CtrlEnd(shift) : edit.End(shift); break;
    case kVkLeft: edit.Left(shift); break;
    case kVkRight: edit.Right(shift); break;
    case kVkUp: edit.Up(shift); break;
    case kVkDown: edit.Down(shift); break;
    default: break; // the no-conversion key types nothing
    }
}

// A named key: Enter, Tab and Backspace arrive as characters, the others as
// key presses; what the console does not take goes on to the control.
void PressKey(int vk, int modifiers) {
    bool shift = (modifiers & kModShift) != 0;
    bool ctrl = (modifiers & kModCtrl) != 0;
    switch (vk) {
    case kVkReturn: ConsoleChar('\r', shift, kTypedKey); return;
    case kVkTab:
        if (!ConsoleChar('\t', shift, kTypedKey)) g_native.edit.TypeChar("\t", 1);
        return;
    case kVkBack:
        if (!ConsoleChar('\b', shift, kTypedKey)) g_native.edit.Backspace();
        return;
    default:
        if (!ConsoleKeyDown(vk, shift, ctrl)) ControlKey(vk, shift, ctrl);
        return;
    }
}

// The text of a paste's file (UTF-8) in code page 932, at most kPasteLimit
// bytes of it; what is no regular file, or cannot be read, pastes nothing,
// as an empty clipboard does.
std::string PasteText(const char* path) {
    std::string bytes;
    int fd = open(path, O_RDONLY | O_NONBLOCK);
    if (fd < 0) return bytes;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char chunk[16384];
        ssize_t n;
        while (bytes.size() < kPasteLimit && (n = read(fd, chunk, sizeof chunk)) > 0)
            bytes.append(chunk, (size_t)n);
    }
    close(fd);
    if (bytes.size() > kPasteLimit) bytes.resize(kPasteLimit);
    return Utf8ToCp932(bytes.data(), bytes.size());
}

} // namespace

// Models emptied, the seam on them, then the start-up of the core.
void StartSession(const char* settingsFile, const char* script) {
    g_native.edit.Reset();
    g_native.desktop.quitting = false;
    g_native.desktop.finalText.clear();
    g_native.settings.Use(settingsFile);
    g_seam = Seam{&g_native.edit,  &g_native.menu,     &g_native.desktop,
                  &g_native.files, &g_native.settings, &g_native.clocks};
    BeginSession();
    // The name the core can take, as Windows hands on the short path.
    std::string name = script && *script ? CoreNameOf(script, true) : "";
    StartConsole(name.empty() ? nullptr : name.c_str());
}

// ASCII needs no converter.
bool LineToCp932(const std::string& utf8, std::string* cp932) {
    if (IsAscii(utf8.data(), utf8.size())) {
        *cp932 = utf8;
        return true;
    }
    return Utf8ToCp932Exactly(utf8.data(), utf8.size(), cp932);
}

// An error message, so a pipe sends it to standard error with the line's number.
void RefuseLine() {
    g_native.edit.SetSel(kEndOfText, kEndOfText);
    Append("\r\n");
    AppendError(" Shift-JIS で表せない文字があります\r\n");
    PrintPrompt();
}

// Routes one action to the console, the control or the desktop.
void PlayAction(const KeyAction& action) {
    NativeDesktop& desktop = g_native.desktop;
    switch (action.kind) {
    case kActionChar: {
        std::string cp932 = CodepointToCp932(action.codepoint);
        TypeText(cp932.data(), cp932.size());
        break;
    }
    case kActionKey: PressKey(action.key, action.modifiers); break;
    case kActionAccelerator:
    case kActionMenu: RunMenuCommand(action.id); break;
    case kActionRightClick: ConsoleRightClick(); break;
    case kActionGoto: g_native.edit.Goto(action.line, action.column); break;
    case kActionClose: CloseButton(); break;
    case kActionMinimize: desktop.HideWindow(); break;
    case kActionTrayLeft: desktop.ShowWindow(); break;
    case kActionTrayRight: desktop.ShowPopupMenu(kMenuAtPointer); break;
    case kActionDrop: AppendInput(CoreNameOf(action.path, false).c_str()); break;
    case kActionPaste: {
        std::string text = PasteText(action.path);
        ConsolePaste(text.data(), (int)text.size());
        break;
    }
    default: break;
    }
}

// Plays a key script as it is read, one action at a time; the script was
// checked beforehand, so an error only ends the play.
void PlayKeyScript(const char* text, size_t size) {
    KeyScriptReader reader;
    StartKeyScript(&reader, text, size);
    KeyAction action;
    char error[8];
    while (!g_native.desktop.quitting && NextKeyAction(&reader, &action, error, sizeof error) > 0)
        PlayAction(action);
}

// Types text character by character; a double-byte character is one.
void TypeText(const char* bytes, size_t size) {
    size_t i = 0;
    while (i < size && !g_native.desktop.quitting) {
        int count = size - i >= 2 ? CharLength(bytes + i) : 1;
        TypeCharacter(bytes + i, count);
        i += (size_t)count;
    }
}

// The text now, or the text at the moment the program quit.
std::string CurrentText() {
    if (g_native.desktop.quitting) return g_native.desktop.finalText;
    return std::string(g_native.edit.Text(), (size_t)g_native.edit.GetTextLength());
}
