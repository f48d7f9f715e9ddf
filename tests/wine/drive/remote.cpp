#include "tests/wine/drive/remote.h"

#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

namespace {

const int kSyncKey = VK_F24;      // a key the program takes and ignores
const int kSettleTimeout = 30000; // milliseconds without progress on posted messages
const int kSyncKeyTimeout = 5000; // milliseconds for the sync key to be seen taken
const int kRepostInterval = 100;  // milliseconds before the clearing message is posted again
const int kBusyTimeout = 120000;  // milliseconds a program busy in one message is waited for
const int kMenuTimeout = 20000;   // milliseconds for a menu to open or to close
const int kMenuDrawnWait = 150;   // milliseconds between a menu's opening and the first key
const int kStartTimeout = 60000;  // milliseconds for the first prompt
const int kQuitTimeout = 30000;   // milliseconds for a program that closed its window to end
const int kFileNameCombo = 0x47C; // cmb13: the file name of the newer file dialogs
const int kFileNameEdit = 0x480;  // edt1: the file name of the older ones

// Whether a virtual key sits in the extended block (caret keys and their kin).
bool IsExtendedKey(int vk) {
    switch (vk) {
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_DELETE:
    case VK_INSERT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_APPS: return true;
    }
    return false;
}

// One key-down or key-up event for SendInput.
INPUT KeyEvent(int vk, bool up) {
    INPUT input;
    memset(&input, 0, sizeof input);
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = (WORD)vk;
    input.ki.wScan = (WORD)MapVirtualKeyA(vk, 0);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

// The modifier keys of the key-script modifier bits, in pressing order.
int ModifierKeys(int modifiers, int* keys) {
    int n = 0;
    if (modifiers & kModCtrl) keys[n++] = VK_CONTROL;
    if (modifiers & kModShift) keys[n++] = VK_SHIFT;
    if (modifiers & kModAlt) keys[n++] = VK_MENU;
    return n;
}

struct WindowSearch {
    DWORD pid;
    const char* className;
    HWND found;
};

// EnumWindows callback: a visible window of the process with the class.
BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    WindowSearch* search = (WindowSearch*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
    char name[64];
    if (!GetClassNameA(hwnd, name, sizeof name) || strcmp(name, search->className) != 0)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The main window of the process: class TOLVANE, visible or not.
BOOL CALLBACK MatchMain(HWND hwnd, LPARAM param) {
    WindowSearch* search = (WindowSearch*)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char name[64];
    if (pid == search->pid && GetClassNameA(hwnd, name, sizeof name) &&
        strcmp(name, "TOLVANE") == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The main window of a process, shown or hidden.
HWND FindMainWindow(DWORD pid) {
    WindowSearch search = {pid, "TOLVANE", nullptr};
    EnumWindows(MatchMain, (LPARAM)&search);
    return search.found;
}

// The dialog's file name control, whichever style the dialog has.
HWND FileNameControl(HWND dialog) {
    HWND control = GetDlgItem(dialog, kFileNameCombo);
    return control ? control : GetDlgItem(dialog, kFileNameEdit);
}

// Presses a dialog button as a click would report it.
void ClickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

// Answers the dialog the program shows, if any; true when one was answered.
bool AnswerDialog(RemoteApp* app) {
    HWND dialog = FindProcessWindow(app, "#32770");
    if (!dialog) return false;
    if (GetDlgItem(dialog, IDYES)) {
        ClickButton(dialog, app->answers.yes ? IDYES : IDNO);
        return true;
    }
    HWND fileName = FileNameControl(dialog);
    if (fileName && GetDlgItem(dialog, IDOK)) {
        char title[256] = "";
        GetWindowTextA(dialog, title, sizeof title);
        // The save dialog is the one whose title the save command sets.
        bool save = strstr(title, "保存") != nullptr;
        const std::string& name = save ? app->answers.saveName : app->answers.openName;
        if (name.empty()) {
            ClickButton(dialog, IDCANCEL);
            return true;
        }
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
        const char* text = (length > 0 && length < sizeof full) ? full : name.c_str();
        SendMessageA(fileName, WM_SETTEXT, 0, (LPARAM)text);
        ClickButton(dialog, IDOK);
        return true;
    }
    // Anything else (the setup dialog among them) is cancelled.
    ClickButton(dialog, IDCANCEL);
    return true;
}

bool WaitForPosted(RemoteApp* app);

// Waits until the program has taken the sync key from its input queue: the
// key's state, which the two attached threads share, changes then.
bool WaitForSyncKey(RemoteApp* app) {
    auto gone = [&] { return !AppRunning(app); };
    INPUT down = KeyEvent(kSyncKey, false), up = KeyEvent(kSyncKey, true);
    SendInput(1, &down, sizeof(INPUT));
    bool taken = WaitFor([&] { return GetKeyState(kSyncKey) < 0 || gone(); }, kSyncKeyTimeout);
    SendInput(1, &up, sizeof(INPUT));
    taken = WaitFor([&] { return GetKeyState(kSyncKey) >= 0 || gone(); }, kSyncKeyTimeout) && taken;
    // The shared key state is not always told: then the posted round trip,
    // whose time-out does fail the run, still waits for the program.
    (void)taken;
    return WaitForPosted(app);
}

// UTF-16 text in code page 932.
std::string WideToCp932(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int bytes =
        WideCharToMultiByte(932, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string out(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(932, 0, wide.data(), (int)wide.size(), &out[0], bytes, nullptr,
                            nullptr);
    return out;
}

// Converts UTF-8 text to code page 932.
std::string Utf8ToCp932(const char* text) {
    int wide = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (wide <= 1) return text;
    std::wstring w(wide - 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &w[0], wide);
    std::string out = WideToCp932(w);
    return out.empty() ? text : out;
}

// Types one character as the keyboard's character message would bring it.
void TypeCodepoint(RemoteApp* app, unsigned codepoint) {
    WCHAR units[2];
    int count = 1;
    if (codepoint >= 0x10000) {
        codepoint -= 0x10000;
        units[0] = (WCHAR)(0xD800 + (codepoint >> 10));
        units[1] = (WCHAR)(0xDC00 + (codepoint & 0x3FF));
        count = 2;
    } else {
        units[0] = (WCHAR)codepoint;
    }
    // Posted like the keyboard's characters: a run of them is handled in one go,
    // and the next settling waits for all of them. A full queue is waited on.
    for (int i = 0; i < count; ++i) {
        if (!PostMessageW(app->console, WM_CHAR, units[i], 1)) {
            WaitForPosted(app);
            if (!PostMessageW(app->console, WM_CHAR, units[i], 1))
                Fail(app, "a typed character could not be posted");
        }
    }
}

// The console's whole text in UTF-16.
std::wstring ReadConsoleWide(RemoteApp* app) {
    int length = (int)SendMessageW(app->console, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) length = 0;
    std::vector<WCHAR> buffer(length + 2, 0);
    SendMessageW(app->console, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data());
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), buffer.size()));
}

// Caret to a line and a column in bytes, both clamped, as a click there would
// put it; a column inside a double-byte character stands before it. Where the
// control counts positions in characters (Wine's does), the bytes of the line
// are counted off in characters. The line is cut from the whole text: Wine
// answers EM_GETLINE from another process with a reply of a wrong size.
void GotoLineColumn(RemoteApp* app, int line, int column) {
    int lines = (int)SendMessageA(app->console, EM_GETLINECOUNT, 0, 0);
    if (line >= lines) line = lines - 1;
    if (line < 0) line = 0;
    int start = (int)SendMessageA(app->console, EM_LINEINDEX, line, 0);
    int length = (int)SendMessageA(app->console, EM_LINELENGTH, start, 0);
    int lastStart = (int)SendMessageA(app->console, EM_LINEINDEX, lines - 1, 0);
    int end = lastStart + (int)SendMessageA(app->console, EM_LINELENGTH, lastStart, 0);
    std::wstring wide = ReadConsoleWide(app);
    std::string text = WideToCp932(wide);
    bool countsCharacters = end == (int)wide.size();
    size_t limit = countsCharacters ? wide.size() : text.size();
    if (start < 0 || (size_t)start > limit) start = (int)limit;
    if (length < 0 || (size_t)(start + length) > limit) length = (int)limit - start;
    std::string bytes =
        countsCharacters ? WideToCp932(wide.substr(start, length)) : text.substr(start, length);
    int got = (int)bytes.size();
    if (column > got) column = got;
    if (column < 0) column = 0;
    int offset = 0;
    for (int b = 0; b < column;) {
        int step = IsDBCSLeadByteEx(932, (BYTE)bytes[b]) && b + 1 < got ? 2 : 1;
        if (b + step > column) break;
        b += step;
        offset += countsCharacters ? 1 : step;
    }
    SendMessageA(app->console, EM_SETSEL, start + offset, start + offset);
    SendMessageA(app->console, EM_SCROLLCARET, 0, 0);
}

} // namespace

// A click of a mouse button at a point of the screen: the pointer moves
// there, the button goes down and up.
void ClickAt(int x, int y, bool right) {
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3];
    memset(inputs, 0, sizeof inputs);
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = (x * 65535) / (cx - 1);
    inputs[0].mi.dy = (y * 65535) / (cy - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(3, inputs, sizeof(INPUT));
}

// A right click in the middle of the console.
void RightClickConsole(RemoteApp* app) {
    RECT rect;
    GetWindowRect(app->console, &rect);
    ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2, true);
}

namespace {

// A file dropped on the main window: the drop record is built in the
// program's own memory, where the shell would have put it.
void DropFile(RemoteApp* app, const char* utf8Path) {
    std::string path = Utf8ToCp932(utf8Path);
    std::vector<char> record(sizeof(DROPFILES) + path.size() + 2, '\0');
    DROPFILES* header = (DROPFILES*)record.data();
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    memcpy(record.data() + sizeof(DROPFILES), path.data(), path.size());
    void* remote = VirtualAllocEx(app->process.hProcess, nullptr, record.size(),
                                  MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return;
    WriteProcessMemory(app->process.hProcess, remote, record.data(), record.size(), nullptr);
    if (!PostMessageA(app->main, WM_DROPFILES, (WPARAM)remote, 0)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(app->main, WM_DROPFILES, (WPARAM)remote, 0, SMTO_NORMAL, 2000, &result);
    }
}

// Whether real key presses can reach the program: its main window is shown.
bool TakesKeyPresses(RemoteApp* app) {
    return IsWindowVisible(app->main) && !IsIconic(app->main);
}

// A key as window messages, for a hidden window that no key press reaches:
// key down and up go through the program's message loop, whose translation
// makes the character of Enter, Tab and Backspace.
void PostKey(RemoteApp* app, int vk) {
    UINT scan = MapVirtualKeyA(vk, 0);
    LPARAM down = 1 | (scan << 16) | (IsExtendedKey(vk) ? (1 << 24) : 0);
    PostMessageA(app->console, WM_KEYDOWN, vk, down);
    PostMessageA(app->console, WM_KEYUP, vk, down | (1u << 30) | (1u << 31));
}

// Waits until the program has handled every message posted so far: the
// console's modified flag, which nothing else reads, is cleared by a message
// posted behind them.
// A key press taken after the posted message changes the text and sets the
// flag again, so a flag that stays set is cleared by a message posted anew.
// The wait ends in failure only when the program makes no progress for the
// whole time-out: it answers, yet neither takes the posted message nor
// changes its console's text. A program that does not answer within the
// send's own time-out is busy inside a message (a long script) and is waited for.
bool WaitForPosted(RemoteApp* app) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(app->console, EM_SETMODIFY, TRUE, 0, SMTO_NORMAL, 2000, &result);
    PostMessageA(app->console, EM_SETMODIFY, FALSE, 0);
    DWORD_PTR lastLength = (DWORD_PTR)-1;
    DWORD begun = GetTickCount(), progress = begun, posted = begun;
    for (;;) {
        if (GetTickCount() - posted > (DWORD)kRepostInterval) {
            PostMessageA(app->console, EM_SETMODIFY, FALSE, 0);
            posted = GetTickCount();
        }
        if (!AppRunning(app) || !IsWindow(app->console)) return true;
        if (!SendMessageTimeoutA(app->console, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 1000, &result)) {
            if (getenv("TOLVANE_DRIVE_DEBUG")) fprintf(stderr, "busy %lu\n", GetLastError());
            // Busy inside one message: waited for, up to a limit of its own.
            if (GetTickCount() - begun < (DWORD)kBusyTimeout) progress = GetTickCount();
            result = 1;
        } else if (result == 0) {
            return true;
        }
        DWORD_PTR length = 0;
        if (SendMessageTimeoutA(app->console, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 1000, &length) &&
            length != lastLength) {
            lastLength = length;
            progress = GetTickCount();
        }
        if (GetTickCount() - progress > (DWORD)kSettleTimeout) {
            if (getenv("TOLVANE_DRIVE_DEBUG"))
                fprintf(stderr, "stalled: modify %lu, length %lu\n", (unsigned long)result,
                        (unsigned long)lastLength);
            Fail(app, "the program did not handle the messages sent to it within the time");
            return false;
        }
        Sleep(1);
    }
}

// Whether the foreground window belongs to the program's thread.
bool InForeground(RemoteApp* app) {
    HWND front = GetForegroundWindow();
    return front && GetWindowThreadProcessId(front, nullptr) == app->thread;
}

// Brings the main window to the front so that key presses reach it.
void Activate(RemoteApp* app) {
    if (!IsWindowVisible(app->main) || InForeground(app)) return;
    SetForegroundWindow(app->main);
    WaitFor([&] { return InForeground(app); }, 1000);
}

// The bytes of a file; empty when it cannot be read.
std::string FileBytes(const char* path) {
    std::string bytes;
    FILE* f = fopen(path, "rb");
    if (!f) return bytes;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

// A paste: the UTF-8 text of the file on the clipboard, then Ctrl+V pressed
// as a person presses it; a hidden window, which no key press reaches, is
// sent the paste request itself.
void PasteFile(RemoteApp* app, const char* utf8Path) {
    std::string utf8 = FileBytes(Utf8ToCp932(utf8Path).c_str());
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), nullptr, 0);
    std::wstring text(units > 0 ? units : 0, L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &text[0], units);
    if (!SetClipboardText(text)) Fail(app, "the clipboard could not be filled");
    if (TakesKeyPresses(app)) {
        Activate(app);
        PressKey('V', kModCtrl);
    } else {
        PostMessageA(app->console, WM_PASTE, 0, 0);
    }
}

} // namespace

// Puts text on the clipboard, owned by a window of this process that lives
// as long as it; false when the clipboard cannot be had.
bool SetClipboardText(const std::wstring& text) {
    static HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    // Another program may hold the clipboard for a moment.
    if (!WaitFor([&] { return OpenClipboard(owner) != FALSE; }, 2000)) return false;
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(WCHAR));
    WCHAR* to = data ? (WCHAR*)GlobalLock(data) : nullptr;
    bool set = false;
    if (to) {
        memcpy(to, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
        GlobalUnlock(data);
        set = SetClipboardData(CF_UNICODETEXT, data) != nullptr;
    }
    if (!set && data) GlobalFree(data);
    CloseClipboard();
    return set;
}

// True while the program's process runs.
bool AppRunning(RemoteApp* app) {
    return app->process.hProcess && WaitForSingleObject(app->process.hProcess, 0) == WAIT_TIMEOUT;
}

// A visible top-level window of the program with the class, or null.
HWND FindProcessWindow(RemoteApp* app, const char* className) {
    WindowSearch search = {app->process.dwProcessId, className, nullptr};
    EnumWindows(MatchWindow, (LPARAM)&search);
    return search.found;
}

// Whether the program's thread tracks a menu.
bool InMenuMode(RemoteApp* app) {
    GUITHREADINFO info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(app->thread, &info) &&
        (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE)))
        return true;
    return FindProcessWindow(app, "#32768") != nullptr;
}

// Waits until an open popup menu takes key presses: its window is up and
// holds the program's mouse capture, which the menu's loop takes as it
// starts; then a moment more, as a person waits for the menu to be drawn
// (keys pressed in its first milliseconds are sometimes lost under Wine).
bool WaitForMenuKeys(RemoteApp* app) {
    bool open = WaitFor(
        [&] {
            GUITHREADINFO info;
            memset(&info, 0, sizeof info);
            info.cbSize = sizeof info;
            HWND menu = FindProcessWindow(app, "#32768");
            return !AppRunning(app) ||
                   (menu && GetGUIThreadInfo(app->thread, &info) && info.hwndCapture == menu);
        },
        kMenuTimeout);
    if (open) Sleep(kMenuDrawnWait);
    return open;
}

// Real key presses: modifiers down, the key down and up, modifiers up.
void PressKey(int vk, int modifiers) {
    int mods[3];
    int n = ModifierKeys(modifiers, mods);
    std::vector<INPUT> inputs;
    for (int i = 0; i < n; ++i) inputs.push_back(KeyEvent(mods[i], false));
    inputs.push_back(KeyEvent(vk, false));
    inputs.push_back(KeyEvent(vk, true));
    for (int i = n - 1; i >= 0; --i) inputs.push_back(KeyEvent(mods[i], true));
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

// Posts a message to the main window, as the system would.
void PostToMain(RemoteApp* app, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(app->main, message, wParam, lParam);
}

// Starts the program and waits until it shows its first prompt.
bool StartApp(RemoteApp* app, const char* exe, const char* argument, char* error, int size) {
    std::string commandLine = std::string("\"") + exe + "\"";
    if (argument && argument[0]) commandLine += std::string(" ") + argument;
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &app->process)) {
        snprintf(error, size, "cannot start %s (error %lu)", exe, GetLastError());
        return false;
    }
    WaitForInputIdle(app->process.hProcess, kStartTimeout);
    // The main window comes before its console: wait for both.
    bool shown = WaitFor(
        [&] {
            app->main = FindMainWindow(app->process.dwProcessId);
            app->console = app->main ? GetDlgItem(app->main, IDC_CONSOLE) : nullptr;
            return app->console != nullptr || !AppRunning(app);
        },
        kStartTimeout);
    if (!app->console) {
        DWORD code = 0;
        if (!AppRunning(app) && GetExitCodeProcess(app->process.hProcess, &code))
            snprintf(error, size, "%s ended with exit code 0x%lx before its main window showed",
                     exe, code);
        else
            snprintf(error, size, "%s showed no %s within %d s%s", exe,
                     app->main ? "console in its main window" : "main window",
                     kStartTimeout / 1000, shown ? "" : " (timed out)");
        return false;
    }
    app->thread = GetWindowThreadProcessId(app->main, nullptr);
    // A message queue of our own, then one shared input state with the program.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    app->attached = AttachThreadInput(GetCurrentThreadId(), app->thread, TRUE) != FALSE;
    Activate(app);
    if (TakesKeyPresses(app)) WaitFor([&] { return InForeground(app); }, 2000);
    WaitForPosted(app);
    app->lastText = ReadConsole(app);
    return true;
}

// Waits for the program to take what was sent, answering dialogs and menus.
void Settle(RemoteApp* app) {
    for (int round = 0; round < 20 && AppRunning(app); ++round) {
        if (!IsWindow(app->main)) return;
        DWORD t0 = GetTickCount();
        bool posted = WaitForPosted(app);
        DWORD t1 = GetTickCount();
        // Key presses reach the program only while it holds the foreground.
        bool key = TakesKeyPresses(app) && InForeground(app) ? WaitForSyncKey(app) : true;
        if (getenv("TOLVANE_DRIVE_DEBUG"))
            fprintf(stderr, "settle: posted %d in %lu ms, key %d in %lu ms\n", posted, t1 - t0, key,
                    GetTickCount() - t1);
        if (!posted || !key) return;
        if (AnswerDialog(app)) continue;
        return;
    }
    if (AppRunning(app) && IsWindow(app->main) && FindProcessWindow(app, "#32770"))
        Fail(app, "a dialog of the program stayed open");
}

// Records the first failure of the run.
void Fail(RemoteApp* app, const std::string& what) {
    if (app->failure.empty()) app->failure = what;
}

// A program that ended on its own ended well: its quit returns 0. Anything
// else (a crash, a kill) fails the run, saying so.
void ReportExitCode(RemoteApp* app) {
    WaitForSingleObject(app->process.hProcess, kQuitTimeout);
    DWORD code = 0;
    if (!GetExitCodeProcess(app->process.hProcess, &code) || code == 0) return;
    char what[96];
    if (code == STILL_ACTIVE)
        snprintf(what, sizeof what, "the program closed its window but did not end within %d s",
                 kQuitTimeout / 1000);
    else
        snprintf(what, sizeof what, "the program ended with exit code 0x%lx", code);
    Fail(app, what);
}

// The popup menu that a right click opens is looked at and closed with
// Escape, as the key script's right click leaves nothing chosen.
static void DismissMenu(RemoteApp* app) {
    // Escape pressed before the menu's loop holds the capture can be lost.
    if (!WaitForMenuKeys(app)) {
        Fail(app, InMenuMode(app) ? "the popup menu opened but took no keys within the time"
                                  : "the popup menu did not open within the time");
        return;
    }
    PressKey(VK_ESCAPE, 0);
    if (!WaitFor([&] { return !InMenuMode(app) || !AppRunning(app); }, kMenuTimeout))
        Fail(app, "the popup menu did not close on Escape");
}

// Sends one action to the program without waiting for it.
bool DeliverAction(RemoteApp* app, const KeyAction& action) {
    if (app->quit) return false;
    // A typed character never ends the program: it settles with the next action.
    if (action.kind == kActionChar) {
        TypeCodepoint(app, action.codepoint);
        app->typing = true;
        return false;
    }
    if (app->typing) {
        WaitForPosted(app);
        app->typing = false;
    }
    // The text before an action that may end the program.
    app->lastText = ReadConsole(app);
    app->delivered = true;
    switch (action.kind) {
    case kActionKey:
    case kActionAccelerator:
        if (TakesKeyPresses(app)) {
            Activate(app);
            PressKey(action.key, action.modifiers);
        } else if (action.kind == kActionAccelerator) {
            // What the accelerator table makes of the key.
            PostToMain(app, WM_COMMAND, MAKEWPARAM(action.id, 1), 0);
        } else {
            PostKey(app, action.key);
        }
        break;
    case kActionMenu: PostToMain(app, WM_COMMAND, (WPARAM)action.id, 0); break;
    case kActionRightClick:
        RightClickConsole(app);
        DismissMenu(app);
        break;
    case kActionGoto: GotoLineColumn(app, action.line, action.column); break;
    case kActionClose: PostToMain(app, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case kActionMinimize: PostToMain(app, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case kActionTrayLeft: PostToMain(app, TRAY_CALLBACK, TRAY_ICON_ID, WM_LBUTTONDOWN); break;
    case kActionTrayRight:
        PostToMain(app, TRAY_CALLBACK, TRAY_ICON_ID, WM_RBUTTONDOWN);
        DismissMenu(app);
        break;
    case kActionDrop: DropFile(app, action.path); break;
    case kActionPaste: PasteFile(app, action.path); break;
    }
    return true;
}

// Sends one action, settles, and keeps the text the program ended with.
void PerformAction(RemoteApp* app, const KeyAction& action) {
    if (!app->delivered && !DeliverAction(app, action)) return;
    app->delivered = false;
    Settle(app);
    // A program on its way out may have lost its console before its main
    // window: either one gone is the program quitting.
    if (!IsWindow(app->main) || !IsWindow(app->console) || !AppRunning(app)) {
        // The program quit during this action. Enter had put its line break at
        // the end of the console before the statement that quit ran.
        app->quit = true;
        ReportExitCode(app);
        if (action.kind == kActionKey && action.key == VK_RETURN) app->lastText += "\r\n";
        return;
    }
    app->lastText = ReadConsole(app);
}

// The console's text, after every character typed so far.
std::string ReadConsole(RemoteApp* app) {
    if (!app->console || !IsWindow(app->console)) return app->lastText;
    if (app->typing) {
        WaitForPosted(app);
        app->typing = false;
    }
    int length = (int)SendMessageA(app->console, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) length = 0;
    std::vector<char> buffer(length + 2, '\0');
    int got = (int)SendMessageA(app->console, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data());
    if (got < 0) got = 0;
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

// Quits the program through its own menu item, else ends its process.
void StopApp(RemoteApp* app) {
    if (AppRunning(app) && app->main && IsWindow(app->main)) {
        PostToMain(app, WM_COMMAND, IDM_QUIT, 0);
        // A modal dialog still open would hold the quit back: answer it.
        WaitFor(
            [&] {
                AnswerDialog(app);
                return !AppRunning(app);
            },
            10000);
    }
    if (AppRunning(app)) TerminateProcess(app->process.hProcess, 1);
    if (app->process.hProcess) {
        WaitForSingleObject(app->process.hProcess, 5000);
        CloseHandle(app->process.hProcess);
        CloseHandle(app->process.hThread);
    }
    app->process = PROCESS_INFORMATION();
}
