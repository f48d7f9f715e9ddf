// The core's seam on the real thing: the EDIT control, the popup menu and the
// desktop calls of the Windows API.
#include <stdio.h>
#include <string.h>
#include <time.h>

#include "session/script.h"
#include "session/console.h"
#include "platform/seam.h"
#include "text/text.h"
#include "shell/win32/late_dlls.h"
#include "shell/win32/shell_state.h"

namespace {

// Sends a message to the console.
LRESULT ToConsole(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(g_shell.console, message, wParam, lParam);
}

// Position units of the console. The ANSI edit control of a double-byte
// Windows counts positions in bytes, which is what the core reckons in; some
// implementations (Wine's) count characters instead, while they still hand
// lines and text over as bytes. Then positions are converted on the way.
bool g_countsCharacters = false;

// The console's text for a conversion; the transcript stays far below its size.
char g_positionText[65536];

// Reads the console's text into g_positionText; returns its length.
int FetchText() {
    int length = (int)ToConsole(WM_GETTEXT, sizeof g_positionText, (LPARAM)g_positionText);
    if (length < 0) length = 0;
    if (length >= (int)sizeof g_positionText) length = sizeof g_positionText - 1;
    g_positionText[length] = '\0';
    return length;
}

// The byte offset of a character position.
int CharsToBytes(int chars) {
    if (!g_countsCharacters || chars <= 0) return chars;
    int length = FetchText();
    int bytes = 0;
    for (int c = 0; c < chars && bytes < length; ++c) bytes += CharLength(g_positionText + bytes);
    return bytes;
}

// The character position of a byte offset; offsets at or past the end pass
// unchanged (the control takes them as the end), as does -1.
int BytesToChars(int bytes) {
    if (!g_countsCharacters || bytes <= 0) return bytes;
    // The text's length in bytes is at most what WM_GETTEXTLENGTH tells: the
    // end of the text needs no look at the text (every append addresses it).
    if (bytes >= (int)ToConsole(WM_GETTEXTLENGTH, 0, 0)) return bytes;
    int length = FetchText();
    if (bytes >= length) return bytes;
    int chars = 0;
    for (int b = 0; b < bytes; b += CharLength(g_positionText + b)) ++chars;
    return chars;
}

// Texts appended at the end of the console wait here and go in together: each
// EM_REPLACESEL costs the control a fixed while (tens of milliseconds in
// Wine's, where it is shown), so a script's thousands of lines of output would
// freeze the window for a minute. Every other use of the console, and the end
// of each message, puts them in first.
const int kPendingCapacity = 32768; // bytes; a fuller store goes in first
char g_pendingOutput[kPendingCapacity];
int g_pendingLength = 0;

// Puts the waiting texts into the console, behind what it holds.
void FlushPending() {
    if (g_pendingLength == 0) return;
    ToConsole(EM_SETSEL, kEndOfText, kEndOfText + 1);
    g_pendingOutput[g_pendingLength] = '\0';
    SendMessageA(g_shell.console, EM_REPLACESEL, 0, (LPARAM)g_pendingOutput);
    g_pendingLength = 0;
}

// Adds a text to those waiting for the end of the console; one too large to
// wait goes in at once, behind them.
void AppendPending(const char* text) {
    int length = (int)strlen(text);
    if (g_pendingLength + length >= kPendingCapacity) {
        FlushPending();
        if (length >= kPendingCapacity) {
            ToConsole(EM_SETSEL, kEndOfText, kEndOfText + 1);
            SendMessageA(g_shell.console, EM_REPLACESEL, 0, (LPARAM)text);
            return;
        }
    }
    memcpy(g_pendingOutput + g_pendingLength, text, length);
    g_pendingLength += length;
}

struct Win32Edit : EditControl {
    // Positions are read as 16-bit values, as the console addresses them.
    void GetSel(int* start, int* end) override {
        FlushPending();
        DWORD sel = (DWORD)ToConsole(EM_GETSEL, 0, 0);
        *start = CharsToBytes(LOWORD(sel)) & 0xFFFF;
        *end = CharsToBytes(HIWORD(sel)) & 0xFFFF;
    }
    void SetSel(int start, int end) override {
        FlushPending();
        if (start >= kEndOfText && (end < 0 || end >= start)) {
            ToConsole(EM_SETSEL, kEndOfText, kEndOfText + 1);
            return;
        }
        ToConsole(EM_SETSEL, BytesToChars(start), BytesToChars(end));
    }
    void ReplaceSel(const char* text) override {
        FlushPending();
        ToConsole(EM_REPLACESEL, 0, (LPARAM)text);
    }
    // Waits with the texts that go to the end.
    void AppendAtEnd(const char* text) override { AppendPending(text); }
    int LineFromChar(int pos) override {
        FlushPending();
        return (int)ToConsole(EM_LINEFROMCHAR, BytesToChars(pos), 0);
    }
    int LineIndex(int line) override {
        FlushPending();
        return CharsToBytes((int)ToConsole(EM_LINEINDEX, line, 0));
    }
    // The length in bytes of the line that holds a position.
    int LineLength(int pos) override {
        FlushPending();
        int chars = BytesToChars(pos);
        int length = (int)ToConsole(EM_LINELENGTH, chars, 0);
        if (!g_countsCharacters || pos < 0) return length;
        int start = (int)ToConsole(EM_LINEINDEX, ToConsole(EM_LINEFROMCHAR, chars, 0), 0);
        return CharsToBytes(start + length) - CharsToBytes(start);
    }
    // The control reads the largest count from the buffer's first word.
    int GetLine(int line, char* buffer, int max) override {
        FlushPending();
        if (max <= 0) return 0;
        char scratch[2];
        char* target = max >= 2 ? buffer : scratch;
        *(WORD*)target = (WORD)(max > 0xFFFF ? 0xFFFF : max);
        int count = (int)ToConsole(EM_GETLINE, line, (LPARAM)target);
        if (count < 0) count = 0;
        if (count > max) count = max;
        if (target == scratch && count > 0) buffer[0] = scratch[0];
        return count;
    }
    // The waiting texts count as held.
    int GetTextLength() override {
        return (int)ToConsole(WM_GETTEXTLENGTH, 0, 0) + g_pendingLength;
    }
    int GetText(char* buffer, int size) override {
        FlushPending();
        if (size <= 0) return 0;
        return (int)ToConsole(WM_GETTEXT, size, (LPARAM)buffer);
    }
    void Clear() override {
        FlushPending();
        ToConsole(WM_CLEAR, 0, 0);
    }
    void SetLimitText(int limit) override {
        FlushPending();
        ToConsole(EM_SETLIMITTEXT, limit, 0);
    }
};

struct Win32Menu : PopupMenu {
    void InsertSeparator(int pos) override {
        InsertMenuA(g_shell.popup, pos, MF_SEPARATOR | MF_BYPOSITION, 0, nullptr);
    }
    void InsertString(int pos, int id, const char* text) override {
        InsertMenuA(g_shell.popup, pos, MF_STRING | MF_BYPOSITION, id, text);
    }
    void DeleteAt(int pos) override { DeleteMenu(g_shell.popup, pos, MF_BYPOSITION); }
    int TextAt(int pos, char* buffer, int size) override {
        return MenuText(pos, MF_BYPOSITION, buffer, size);
    }
    int TextOf(int id, char* buffer, int size) override {
        return MenuText(id, MF_BYCOMMAND, buffer, size);
    }
    int Count() override { return GetMenuItemCount(g_shell.popup); }
    int IdAt(int pos) override {
        UINT id = GetMenuItemID(g_shell.popup, pos);
        return id == (UINT)-1 ? 0 : (int)id;
    }

    // GetMenuStringA, always terminated, even when the item is missing.
    static int MenuText(int item, UINT flags, char* buffer, int size) {
        if (size <= 0) return 0;
        buffer[0] = '\0';
        int length = GetMenuStringA(g_shell.popup, item, buffer, size, flags);
        if (length < 0) length = 0;
        if (length >= size) length = size - 1;
        buffer[length] = '\0';
        return length;
    }
};

struct Win32Desktop : Desktop {
    void Beep() override { MessageBeep(MB_ICONASTERISK); }
    bool AskYesNo(const char* text, const char* caption) override {
        FlushPending();
        return MessageBoxA(g_shell.main, text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    bool ChooseFile(bool save, const char* title, int filterIndex, char* fileTitle,
                    int size) override;
    void OpenHelp() override {
        LateShellExecute(g_shell.main, nullptr, g_shell.helpPath, "", "", SW_SHOW);
    }
    void StartProgram(const char* commandLine) override { WinExec(commandLine, SW_SHOW); }
    void OpenFileManager() override { WinExec("explorer.exe", SW_SHOW); }
    void HideWindow() override { ShowWindow(g_shell.main, SW_HIDE); }
    // As the tray icon's left click shows it.
    void ShowHiddenWindow() override {
        if (IsWindowVisible(g_shell.main) && !IsIconic(g_shell.main)) return;
        FlushPending();
        ShowWindow(g_shell.main, SW_RESTORE);
        SetForegroundWindow(g_shell.main);
    }
    void SetTopmost(bool on) override { ApplyTopmost(on); }
    void Quit() override { QuitProgram(g_shell.main); }
    bool Quitting() override { return g_shell.main && !IsWindow(g_shell.main); }
    void SetupDialog() override {
        FlushPending();
        DialogBoxParamA(g_shell.instance, "SETUP", g_shell.main, SetupDlgProc, 0);
    }
    void ShowPopupMenu(MenuPlace place) override {
        FlushPending();
        if (place == kMenuAtCaret)
            TrackPopupAtCaret();
        else
            TrackPopupAtCursor();
    }
};

// The open or save dialog on the shared record, emptied buffers first. On OK
// the chosen file's folder becomes the current folder, so that its name
// without the folder opens relative to it.
bool Win32Desktop::ChooseFile(bool save, const char* title, int filterIndex, char* fileTitle,
                              int size) {
    OPENFILENAMEA& ofn = g_shell.fileDialog;
    ofn.lpstrTitle = title;
    ofn.nFilterIndex = filterIndex;
    g_shell.fileBuffer[0] = '\0';
    g_shell.fileTitle[0] = '\0';
    FlushPending();
    BOOL chosen = save ? LateGetSaveFileName(&ofn) : LateGetOpenFileName(&ofn);
    if (!chosen) return false;

    char folder[kFileBufferSize];
    snprintf(folder, sizeof folder, "%s", g_shell.fileBuffer);
    int offset = ofn.nFileOffset;
    if (offset > 0 && offset < (int)sizeof folder) {
        folder[offset] = '\0';
        SetCurrentDirectoryA(folder);
    }
    const char* name = g_shell.fileTitle[0] ? g_shell.fileTitle : g_shell.fileBuffer + offset;
    if (size > 0) snprintf(fileTitle, size, "%s", name);
    return true;
}

// Script files and transcripts through the kernel's ANSI file functions.
struct Win32Files : Files {
    enum { kOpenFiles = 16 }; // nested scripts and one transcript at a time
    HANDLE open[kOpenFiles] = {};
    char temp[MAX_PATH] = "";              // the new file of the replacement being written
    char target[kFileBufferSize * 4] = ""; // the file it replaces

    // A free slot for a handle, or -1.
    int Keep(HANDLE file) {
        for (int i = 0; i < kOpenFiles; ++i) {
            if (open[i] == nullptr) {
                open[i] = file;
                return i;
            }
        }
        CloseHandle(file);
        return -1;
    }
    HANDLE At(int handle) { return handle >= 0 && handle < kOpenFiles ? open[handle] : nullptr; }
    int OpenRead(const char* name) override {
        HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file == INVALID_HANDLE_VALUE ? -1 : Keep(file);
    }
    int Read(int handle, char* buffer, int size, int) override {
        DWORD got = 0;
        HANDLE file = At(handle);
        if (!file || !ReadFile(file, buffer, (DWORD)size, &got, nullptr)) return -1;
        return (int)got;
    }
    void Close(int handle) override {
        HANDLE file = At(handle);
        if (file) CloseHandle(file);
        if (file) open[handle] = nullptr;
    }
    // A new file from GetTempFileNameA in the folder of name.
    int CreateReplacement(const char* name) override {
        DWORD attributes = GetFileAttributesA(name);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return -1;
        char folder[sizeof target];
        snprintf(folder, sizeof folder, "%s", name);
        int cut = 0; // behind the last separator, double-byte characters kept whole
        for (int i = 0; folder[i]; i += CharLength(folder + i))
            if (folder[i] == '\\' || folder[i] == '/' || folder[i] == ':') cut = i + 1;
        folder[cut] = '\0';
        if (cut == 0) snprintf(folder, sizeof folder, "%s", ".");
        if (!GetTempFileNameA(folder, "tvs", 0, temp)) return -1;
        HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            DeleteFileA(temp);
            return -1;
        }
        snprintf(target, sizeof target, "%s", name);
        return Keep(file);
    }
    bool Write(int handle, const char* bytes, int size) override {
        DWORD written = 0;
        HANDLE file = At(handle);
        return file && WriteFile(file, bytes, (DWORD)size, &written, nullptr) &&
               written == (DWORD)size;
    }
    // Flushed, closed and moved over the old file in one step; else deleted.
    bool FinishReplacement(int handle, bool keep) override {
        HANDLE file = At(handle);
        if (!file) return false;
        bool ok = keep && FlushFileBuffers(file);
        if (!CloseHandle(file)) ok = false;
        open[handle] = nullptr;
        if (ok && !MoveFileExA(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ok = false;
        if (!ok) DeleteFileA(temp);
        return ok;
    }
};

// The clocks: the C library's clock() counts the time since the program
// started, which is steady (the C++ library's clock would bring its exception
// support into the program); the work is the processor time of the process,
// or where the host reports none, the time since the system started.
struct Win32Clocks : Clocks {
    double SteadySeconds() override { return (double)clock() / CLOCKS_PER_SEC; }
    double WorkSeconds() override {
        FILETIME created, exited, kernel, user;
        if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
            ULONGLONG k = ((ULONGLONG)kernel.dwHighDateTime << 32) | kernel.dwLowDateTime;
            ULONGLONG u = ((ULONGLONG)user.dwHighDateTime << 32) | user.dwLowDateTime;
            if (k + u > 0) return (double)(k + u) / 1e7;
        }
        return GetTickCount() / 1000.0;
    }
};

// The settings file tolvane.ini: the private-profile functions keep it in
// the Windows folder, because the name carries no folder.
const char kIniName[] = "tolvane.ini";

// The settings store of the core on the private-profile functions.
struct Win32Settings : SettingsStore {
    int ReadInt(const char* section, const char* key, int def) override {
        return (int)GetPrivateProfileIntA(section, key, def, kIniName);
    }
    void ReadText(const char* section, const char* key, const char* def, char* text,
                  int size) override {
        GetPrivateProfileStringA(section, key, def, text, (DWORD)size, kIniName);
    }
    bool WriteText(const char* section, const char* key, const char* text) override {
        return WritePrivateProfileStringA(section, key, text, kIniName) != FALSE;
    }
};

Win32Settings g_settingsStore;
Win32Clocks g_clocks;

Win32Edit g_edit;
Win32Menu g_menu;
Win32Desktop g_desktop;
Win32Files g_files;

} // namespace

// Finds out whether the empty console counts positions in characters: a
// double-byte character typed into it ends one or two positions further.
void ProbeConsoleUnits() {
    SendMessageA(g_shell.console, WM_SETTEXT, 0, (LPARAM) "字");
    SendMessageA(g_shell.console, EM_SETSEL, 0, -1);
    DWORD sel = (DWORD)SendMessageA(g_shell.console, EM_GETSEL, 0, 0);
    g_countsCharacters = HIWORD(sel) == 1;
    SendMessageA(g_shell.console, WM_SETTEXT, 0, (LPARAM) "");
}

// The texts waiting for the console go in: at the end of every message, and
// before anything else reads or changes the console.
void FlushConsoleOutput() {
    FlushPending();
}

// Points the core's seam at the real edit control, menu and desktop.
void InstallWin32Seam() {
    g_seam = Seam{&g_edit, &g_menu, &g_desktop, &g_files, &g_settingsStore, &g_clocks};
    // The window repaints slowly under some hosts: a statement's scripts get
    // the time that still ends them well within ten seconds.
    SetScriptTimeLimit(4.0, 8.0);
}
