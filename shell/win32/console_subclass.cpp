// The console's key handler: routes keys and the right button to the core's
// keyboard aids and hands the rest to the edit control's own procedure.
#include "console/keys.h"
#include "shell/win32/shell_state.h"

namespace {

const UINT kConsoleCodePage = 932;

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

} // namespace

// The console's window procedure after subclassing.
LRESULT CALLBACK ConsoleSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_KEYDOWN:
        if (ConsoleKeyDown((int)wParam, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0))
            return 0;
        break;
    case WM_CHAR:
        if (OnChar(hwnd, wParam, lParam, &result)) return result;
        break;
    // A quick second press arrives as a double click and opens the menu too.
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: ConsoleRightClick(); return 0;
    // The release would bring up the edit control's own menu.
    case WM_RBUTTONUP: return 0;
    }
    return CallWindowProcA(g_shell.editProc, hwnd, message, wParam, lParam);
}
