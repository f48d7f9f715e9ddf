// The main window: keeps the console sized and focused, hides instead of
// minimizing, answers the tray icon, runs the menu and accelerator commands,
// types dropped files' paths, and ends the program.
#include <stdio.h>

#include "session/commands.h"
#include "session/console.h"
#include "session/keys.h"
#include "session/settings.h"
#include "session/settings_file.h"
#include "session/startup.h"
#include "shell/win32/late_dlls.h"
#include "shell/win32/shell_state.h"

namespace {

// The short path of the first dropped file goes to the end of the console;
// a path that cannot be shortened is typed as it came.
void TypeDroppedFile(HDROP drop) {
    char name[kFileBufferSize];
    char shortName[kFileBufferSize];
    UINT length = LateDragQueryFile(drop, 0, name, sizeof name);
    if (length > 0 && length < sizeof name) {
        DWORD shortLength = GetShortPathNameA(name, shortName, sizeof shortName);
        AppendInput((shortLength > 0 && shortLength < sizeof shortName) ? shortName : name);
    }
    LateDragFinish(drop);
}

// Fills the tray icon record from the arguments and hands it to the shell.
BOOL NotifyTray(DWORD operation, HWND hwnd, UINT id, HICON icon, const char* tip) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = hwnd;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = TRAY_CALLBACK;
    data.hIcon = icon;
    if (tip) lstrcpynA(data.szTip, tip, 64);
    return LateShellNotifyIcon(operation, &data);
}

// The tray icon's callback: left button shows the window, right opens the menu.
LRESULT OnTray(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (lParam == WM_LBUTTONDOWN) {
        ShowWindow(hwnd, SW_RESTORE);
        SetForegroundWindow(g_shell.main);
        return 0;
    }
    if (lParam == WM_RBUTTONDOWN) {
        TrackPopupAtCursor();
        return 0;
    }
    return DefWindowProcA(hwnd, TRAY_CALLBACK, wParam, lParam);
}

// Writes the window's place and size to the settings file.
void SavePlacement() {
    RECT rect;
    if (!GetWindowRect(g_shell.main, &rect)) return;
    WriteSettingInt(kSettingX, rect.left);
    WriteSettingInt(kSettingY, rect.top);
    WriteSettingInt(kSettingW, rect.right - rect.left);
    WriteSettingInt(kSettingH, rect.bottom - rect.top);
}

// What start-up leaves until its first prompt stands: the tray icon and
// the dropping of files, the two that need the shell's library.
void FinishStartup() {
    if (!g_shell.main || g_shell.trayIcon) return;
    g_shell.trayIcon = NotifyTray(NIM_ADD, g_shell.main, TRAY_ICON_ID,
                                  LoadIconA(g_shell.instance, "TOLVANE"), "Tolvane32") != FALSE;
    LateDragAcceptFiles(g_shell.main, TRUE);
}

} // namespace

// Opens the popup menu with its top-left corner at the mouse pointer.
void TrackPopupAtCursor() {
    POINT point;
    GetCursorPos(&point);
    TrackPopupMenu(g_shell.popup, 0, point.x, point.y, 0, g_shell.main, nullptr);
}

// The height of the console's lines: its font's.
int ConsoleLineHeight() {
    HDC dc = GetDC(g_shell.console);
    if (!dc) return 0;
    HFONT font = (HFONT)SendMessageA(g_shell.console, WM_GETFONT, 0, 0);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics;
    int height = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight : 0;
    if (old) SelectObject(dc, old);
    ReleaseDC(g_shell.console, dc);
    return height;
}

// Opens the popup menu under the caret's line, the caret scrolled into view
// first, as the right click opens it at the pointer.
void TrackPopupAtCaret() {
    ScrollCaretIntoView();
    POINT point = {0, 0};
    GetCaretPos(&point);
    point.y += ConsoleLineHeight();
    ClientToScreen(g_shell.console, &point);
    TrackPopupMenu(g_shell.popup, 0, point.x, point.y, 0, g_shell.main, nullptr);
}

// The waiting output put in, then the caret's line into view.
void ScrollCaretIntoView() {
    FlushConsoleOutput();
    SendMessageA(g_shell.console, EM_SCROLLCARET, 0, 0);
}

// Makes the main window topmost or not, leaving its place and size.
void ApplyTopmost(bool on) {
    SetWindowPos(g_shell.main, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

// The quit sequence: placement, tray icon, menu, window; the loop then ends.
void QuitProgram(HWND hwnd) {
    if (!IsIconic(g_shell.main)) SavePlacement();
    if (g_shell.trayIcon) NotifyTray(NIM_DELETE, g_shell.main, TRAY_ICON_ID, nullptr, nullptr);
    g_shell.trayIcon = false;
    DestroyMenu(g_shell.popup);
    g_shell.popup = nullptr;
    DestroyWindow(g_shell.main);
    if (hwnd == g_shell.main) PostQuitMessage(0);
}

// A key pressed after an Alt accelerator (Alt pressed anew among them) lets the
// next Alt release open the window's menu again, as it would have.
void NoteKeyMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return;
    bool repeatedAlt = msg.wParam == VK_MENU && (msg.lParam & (1 << 30));
    if (!repeatedAlt) g_shell.altAccelerator = false;
}

// The main window's procedure.
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        if (g_shell.console && g_shell.editProc)
            SetWindowLongPtrA(g_shell.console, GWLP_WNDPROC, (LONG_PTR)g_shell.editProc);
        PostQuitMessage(0);
        return 0;
    // The console fills the client area, its caret's line in view.
    case WM_SIZE:
        if (!IsIconic(hwnd) && g_shell.console) {
            MoveWindow(g_shell.console, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            ScrollCaretIntoView();
        }
        return 0;
    case WM_SETFOCUS: SetFocus(g_shell.console); return 0;
    case WM_CLOSE: CloseButton(); return 0;
    case WM_SYSCOMMAND:
        // The accelerator took the key that came with Alt, so the Alt release
        // looks like Alt pressed alone and asks for the keyboard menu mode,
        // which would swallow the next keys unseen: that one request is dropped.
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && g_shell.altAccelerator) {
            g_shell.altAccelerator = false;
            return 0;
        }
        g_shell.altAccelerator = false;
        if (LOWORD(wParam) == SC_MINIMIZE) {
            ShowWindow(g_shell.main, SW_HIDE);
            return 0;
        }
        break;
    case TRAY_CALLBACK: return OnTray(hwnd, wParam, lParam);
    case kFinishStartup: FinishStartup(); return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 1 && GetKeyState(VK_MENU) < 0) g_shell.altAccelerator = true;
        if (RunMenuCommand(LOWORD(wParam))) return 0;
        break;
    case WM_DROPFILES: TypeDroppedFile((HDROP)wParam); return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
