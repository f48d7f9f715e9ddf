// Process start: the single-instance rule, the main window and its console,
// the settings they start from, and the message loop.
#include <stdio.h>
#include <string.h>

#include "session/console.h"
#include "session/settings_file.h"
#include "session/startup.h"
#include "platform/popup_menu.h"
#include "text/text.h"
#include "shell/win32/shell_state.h"

ShellState g_shell;

namespace {

const char kClassName[] = "TOLVANE";
const char kHelpName[] = "tolvane.wri";

// The file dialog's filter: three description/pattern pairs, then an empty string.
const char kFileFilter[] = "すべてのﾌｧｲﾙ (*.*)\0*.*\0"
                           "ｽｸﾘﾌﾟﾄﾌｧｲﾙ (*.TVS)\0*.tvs\0"
                           "ﾃｷｽﾄﾌｧｲﾙ (*.TXT)\0*.txt\0";

// The window placement read at start.
struct Placement {
    int x, y, w, h;
};

// Shows the start-up failure message.
void ShowStartFailure() {
    MessageBoxA(nullptr, "起動失敗", "Tolvane", MB_OK | MB_ICONWARNING);
}

// Windows 98 and ME: the 9x family after version 4.0.
bool IsWindows98OrMe() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    return info.dwMajorVersion == 4 && info.dwMinorVersion != 0 &&
           info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

// Makes a window the foreground window, lifting the foreground lock on 98 and ME.
BOOL BringToFront(HWND hwnd) {
    if (!IsWindows98OrMe()) return SetForegroundWindow(hwnd);
    DWORD saved = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (PVOID)0, 0);
    BOOL ok = SetForegroundWindow(hwnd);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, (PVOID)(UINT_PTR)saved, 0);
    SetFocus(hwnd);
    SetActiveWindow(hwnd);
    return ok;
}

// Registers the main window class.
bool RegisterMainClass() {
    WNDCLASSA wc = {};
    wc.style = CS_BYTEALIGNWINDOW | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = g_shell.instance;
    wc.hIcon = LoadIconA(g_shell.instance, kClassName);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

// Another instance is running and the settings ask for one only: bring it up.
bool HandOverToRunningInstance() {
    if (!ReadSettingSwitch(kSettingDup)) return false;
    HWND found = FindWindowA(kClassName, nullptr);
    if (!found) return false;
    MessageBeep(MB_ICONASTERISK);
    ShowWindow(found, SW_RESTORE);
    BringToFront(found);
    return true;
}

// The folder of the executable, a backslash and the help document's name.
// A module path that does not fit its buffer gives the name behind a
// backslash alone, as when the path cannot be had at all.
void BuildHelpPath() {
    char module[kModulePathSize];
    DWORD length = GetModuleFileNameA(g_shell.instance, module, sizeof module);
    if (length == 0 || length >= sizeof module) length = 0;
    module[length] = '\0';
    char* slash = strrchr(module, '\\');
    *(slash ? slash : module) = '\0'; // the folder, or nothing without a backslash
    snprintf(g_shell.helpPath, sizeof g_shell.helpPath, "%s\\%s", module, kHelpName);
}

// The window's place and size, a position beyond the screen put back to
// its default.
Placement ReadPlacement() {
    Placement p = {ReadSettingInt(kSettingX), ReadSettingInt(kSettingY), ReadSettingInt(kSettingW),
                   ReadSettingInt(kSettingH)};
    if (p.x > GetSystemMetrics(SM_CXSCREEN)) p.x = kSettingTable[kSettingX].fallback;
    if (p.y > GetSystemMetrics(SM_CYSCREEN)) p.y = kSettingTable[kSettingY].fallback;
    return p;
}

// The console: a multi-line edit control over the whole client area, its
// key handler installed.
void CreateConsole(const Placement& p) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOHSCROLL;
    if (ReadSettingSwitch(kSettingHscroll)) style |= WS_HSCROLL;
    g_shell.console = CreateWindowExA(0, "Edit", nullptr, style, 0, 0, p.w, p.h, g_shell.main,
                                      (HMENU)(INT_PTR)IDC_CONSOLE, g_shell.instance, nullptr);
    if (!g_shell.console) return;
    // The Unicode view of the same procedure types double-byte characters whole.
    g_shell.editProcW = (WNDPROC)GetWindowLongPtrW(g_shell.console, GWLP_WNDPROC);
    g_shell.editProc = (WNDPROC)GetWindowLongPtrA(g_shell.console, GWLP_WNDPROC);
    SetWindowLongPtrA(g_shell.console, GWLP_WNDPROC, (LONG_PTR)ConsoleSubclassProc);
    ProbeConsoleUnits();
}

// The console font record from the settings file; "Terminal" when no face is stored.
void ReadFontRecord() {
    LOGFONTA& font = g_shell.logFont;
    memset(&font, 0, sizeof font);
    font.lfHeight = ReadSettingInt(kSettingSize);
    font.lfWeight = ReadSettingInt(kSettingWeight);
    font.lfItalic = (BYTE)(ReadSettingInt(kSettingItalic) & 0xFF);
    font.lfCharSet = SHIFTJIS_CHARSET;
    char face[128];
    ReadSettingText(kSettingFont, face, sizeof face);
    if (face[0] == '\0') snprintf(face, sizeof face, "%s", "Terminal");
    CopyText(font.lfFaceName, LF_FACESIZE, face, (int)strlen(face));
}

// The one file-dialog record that call and save share.
void PrepareFileDialog() {
    OPENFILENAMEA& ofn = g_shell.fileDialog;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // the record without the later fields
    ofn.hwndOwner = g_shell.main;
    ofn.lpstrFilter = kFileFilter;
    ofn.lpstrFile = g_shell.fileBuffer;
    ofn.nMaxFile = kFileBufferSize;
    ofn.lpstrFileTitle = g_shell.fileTitle;
    ofn.nMaxFileTitle = kFileBufferSize;
    ofn.Flags = OFN_HIDEREADONLY;
    ofn.lpstrDefExt = "";
    g_shell.fileTitle[0] = '\0';
}

// The popup menu with its five fixed items.
void CreatePopup() {
    g_shell.popup = CreatePopupMenu();
    if (!g_shell.popup) return;
    for (const FixedMenuItem& item : kFixedMenuItems)
        AppendMenuA(g_shell.popup, item.text ? MF_STRING : MF_SEPARATOR, (UINT_PTR)item.id,
                    item.text);
}

// The name of the script on the command line, nullptr when there is none.
// The shell hands a file opened through an association or dropped on the
// program as one quoted path: one pair of enclosing quotes goes first. When
// no short path can be had, the text is used as it was given.
const char* CommandLineScript(const char* commandLine, char (&given)[kStatementSize],
                              char (&path)[kFileBufferSize]) {
    if (!commandLine || commandLine[0] == '\0') return nullptr;
    int n = (int)strlen(commandLine);
    if (n >= 2 && commandLine[0] == '"' && commandLine[n - 1] == '"')
        snprintf(given, sizeof given, "%.*s", n - 2, commandLine + 1);
    else
        snprintf(given, sizeof given, "%s", commandLine);
    DWORD length = GetShortPathNameA(given, path, sizeof path);
    return (length > 0 && length < sizeof path) ? path : given;
}

} // namespace

// Start-up in its fixed order, then the message loop.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    InstallWin32Seam();
    if (HandOverToRunningInstance()) return 0;

    g_shell.instance = instance;
    BeginSession();
    if (!RegisterMainClass()) {
        ShowStartFailure();
        return 0;
    }
    BuildHelpPath();
    Placement p = ReadPlacement();

    g_shell.main = CreateWindowExA(0, kClassName, "Tolvane", WS_OVERLAPPEDWINDOW, p.x, p.y, p.w,
                                   p.h, nullptr, nullptr, instance, nullptr);
    if (!g_shell.main) {
        ShowStartFailure();
        return 0;
    }
    SetCursorPos(p.x + p.w / 2, p.y + p.h / 2);
    CreateConsole(p);
    ReadFontRecord();
    ApplyConsoleFont();
    PrepareFileDialog();
    CreatePopup();
    g_shell.accelerators = LoadAcceleratorsA(instance, kClassName);

    ShowWindow(g_shell.main, ReadSettingSwitch(kSettingIcon) ? SW_HIDE : showCommand);
    ApplyTopmost(g_settings.ontopflag != 0);

    char given[kStatementSize], path[kFileBufferSize];
    StartConsole(CommandLineScript(commandLine, given, path));
    FlushConsoleOutput();
    // The tray icon and file dropping follow as the first message: the
    // prompt does not wait for the shell's library to load.
    PostMessageA(g_shell.main, kFinishStartup, 0, 0);

    MSG msg;
    msg.wParam = 0;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        NoteKeyMessage(msg);
        if (!TranslateAcceleratorA(g_shell.main, g_shell.accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        FlushConsoleOutput();
    }
    UnregisterClassA(kClassName, instance);
    return (int)msg.wParam;
}
