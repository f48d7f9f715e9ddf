// The setup dialog: seven switches of the settings file and the console font.
#include <string.h>

#include "console/settings.h"
#include "shell/win32/late_dlls.h"
#include "shell/win32/shell_state.h"

namespace {

// A switch that takes effect at once: its session flag, check box and key.
struct LiveSwitch {
    int id;
    const char* key;
    int* flag;
};

// A switch that is only stored: its check box, key, default, and whether only
// the exact value 1 counts as set (otherwise any value but 0 does).
struct StoredSwitch {
    int id;
    const char* key;
    int fallback;
    bool onlyOne;
};

const LiveSwitch kLiveSwitches[] = {
    {IDC_SETUP_CRFLAG, "crflag", &g_settings.crflag},
    {IDC_SETUP_ONTOPFLAG, "ontopflag", &g_settings.ontopflag},
    {IDC_SETUP_ENDFLAG, "endflag", &g_settings.endflag},
    {IDC_SETUP_BYTE2, "byte2", &g_settings.byte2},
};

const StoredSwitch kStoredSwitches[] = {
    {IDC_SETUP_HSCROLL, "hscroll", 1, false},
    {IDC_SETUP_ICON, "icon", 0, true},
    {IDC_SETUP_DUP, "dup", 0, true},
};

// Shows the values in use and, for the stored switches, the file's values,
// each checked when the program would take it as set.
void InitSwitches(HWND dialog) {
    CenterOnScreen(dialog);
    for (const LiveSwitch& s : kLiveSwitches)
        CheckDlgButton(dialog, s.id, *s.flag != 0 ? BST_CHECKED : BST_UNCHECKED);
    for (const StoredSwitch& s : kStoredSwitches) {
        int value = ReadSettingInt("Setup", s.key, s.fallback);
        bool set = s.onlyOne ? value == 1 : value != 0;
        CheckDlgButton(dialog, s.id, set ? BST_CHECKED : BST_UNCHECKED);
    }
}

// OK: the four live switches are taken and written, the other three written.
void StoreSwitches(HWND dialog) {
    for (const LiveSwitch& s : kLiveSwitches) {
        *s.flag = IsDlgButtonChecked(dialog, s.id) == BST_CHECKED ? 1 : 0;
        WriteSettingInt("Setup", s.key, *s.flag);
    }
    for (const StoredSwitch& s : kStoredSwitches)
        WriteSettingInt("Setup", s.key, IsDlgButtonChecked(dialog, s.id) == BST_CHECKED ? 1 : 0);
}

// The font chooser on the console's font record; a confirmed font is applied
// and stored at once, whatever the dialog's own buttons do afterwards.
void ChooseConsoleFont(HWND dialog) {
    CHOOSEFONTA choose;
    memset(&choose, 0, sizeof choose);
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = dialog;
    choose.lpLogFont = &g_shell.logFont;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_FORCEFONTEXIST;
    choose.nFontType = SCREEN_FONTTYPE;
    choose.nSizeMin = 8;
    choose.nSizeMax = 30;
    if (!LateChooseFont(&choose)) return;
    ApplyConsoleFont();
    WriteSettingInt("Setup", "size", g_shell.logFont.lfHeight);
    WriteSettingInt("Setup", "weight", g_shell.logFont.lfWeight);
    WriteSettingInt("Setup", "italic", g_shell.logFont.lfItalic);
    WritePrivateProfileStringA("Setup", "font", g_shell.logFont.lfFaceName, kIniName);
}

} // namespace

// Moves a window to the middle of the screen, keeping its size.
void CenterOnScreen(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(hwnd, x, y, width, height, TRUE);
}

// Creates the console's font from the font record and gives it to the console;
// the font it replaces is released.
void ApplyConsoleFont() {
    HFONT font = CreateFontIndirectA(&g_shell.logFont);
    if (!font) return;
    SendMessageA(g_shell.console, WM_SETFONT, (WPARAM)font, TRUE);
    if (g_shell.font) DeleteObject(g_shell.font);
    g_shell.font = font;
}

// The setup dialog's procedure.
INT_PTR CALLBACK SetupDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: InitSwitches(dialog); return TRUE;
    case WM_CLOSE: PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            StoreSwitches(dialog);
            EndDialog(dialog, IDOK);
            break;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
        case IDC_SETUP_FONT: ChooseConsoleFont(dialog); break;
        }
        return TRUE;
    }
    return FALSE;
}
