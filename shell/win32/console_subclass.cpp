// The console's key handler: routes keys, the right button, the menu key and
// pastes to the core's keyboard aids and hands the rest to the edit
// control's own procedure.
#include "session/keys.h"
#include "shell/win32/shell_state.h"

namespace {

const UINT kConsoleCodePage = 932;
const WPARAM kCtrlV = 0x16; // the character Ctrl+V types

// Types a double-byte character whole: the control's Unicode procedure gets it
// as one character, so neither half turns into a replacement mark.
LRESULT TypeDoubleByte(HWND hwnd, unsigned char lead, unsigned char trail, LPARAM lParam) {
    char pair[2] = {(char)lead, (char)trail};
    WCHAR wide[2] = {0, 0};
    if (MultiByteToWideChar(kConsoleCodePage, 0, pair, 2, wide, 2) != 1) return 0;
    return CallWindowProcW(g_shell.editProcW, hwnd, WM_CHAR, wide[0], lParam);
}

// WM_CHAR: pairs the halves of double-byte characters, offers the rest to the core.
bool OnChar(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    unsigned char byte = (unsigned char)(wParam & 0xFF);
    if (g_shell.leadByte) {
        unsigned char lead = g_shell.leadByte;
        g_shell.leadByte = 0;
        *result = TypeDoubleByte(hwnd, lead, byte, lParam);
        return true;
    }
    if ((wParam & 0xFF00) && IsDBCSLeadByteEx(kConsoleCodePage, (BYTE)(wParam >> 8))) {
        *result = TypeDoubleByte(hwnd, (unsigned char)(wParam >> 8), byte, lParam);
        return true;
    }
    *result = 0;
    if (IsDBCSLeadByteEx(kConsoleCodePage, byte)) {
        g_shell.leadByte = byte;
        return true;
    }
    return ConsoleChar((int)byte, GetKeyState(VK_SHIFT) < 0, (long)lParam);
}

// The clipboard's text in the console's code page, on the process heap
// (free it with HeapFree); nullptr when the clipboard holds no text.
char* ClipboardText(HWND hwnd, int* size) {
    if (!OpenClipboard(hwnd)) return nullptr;
    char* text = nullptr;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const WCHAR* wide = data ? (const WCHAR*)GlobalLock(data) : nullptr;
    if (wide) {
        int bytes =
            WideCharToMultiByte(kConsoleCodePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text = bytes > 0 ? (char*)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)bytes) : nullptr;
        if (text) WideCharToMultiByte(kConsoleCodePage, 0, wide, -1, text, bytes, nullptr, nullptr);
        *size = text ? bytes - 1 : 0;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

// A paste, however it is asked for: the clipboard's text typed by the core.
void Paste(HWND hwnd) {
    int size = 0;
    char* text = ClipboardText(hwnd, &size);
    if (!text) return;
    ConsolePaste(text, size);
    HeapFree(GetProcessHeap(), 0, text);
}

} // namespace

// The console's window procedure after subclassing.
LRESULT CALLBACK ConsoleSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_KEYDOWN:
        // Shift+Insert pastes without asking for WM_PASTE in some edit controls.
        if (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0) {
            Paste(hwnd);
            return 0;
        }
        if (ConsoleKeyDown((int)wParam, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0))
            return 0;
        break;
    case WM_CHAR:
        if (wParam == kCtrlV && !g_shell.leadByte) {
            Paste(hwnd);
            return 0;
        }
        if (OnChar(hwnd, wParam, lParam, &result)) return result;
        break;
    case WM_PASTE: Paste(hwnd); return 0;
    // The menu key and Shift+F10 ask with no position: the menu at the caret.
    case WM_CONTEXTMENU:
        if (lParam == -1)
            ConsoleMenuKey();
        else
            ConsoleRightClick();
        return 0;
    // A quick second press arrives as a double click and opens the menu too.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: ConsoleRightClick(); return 0;
    // The release would bring up the edit control's own menu.
    case WM_RBUTTONUP: return 0;
    }
    return CallWindowProcA(g_shell.editProc, hwnd, message, wParam, lParam);
}
