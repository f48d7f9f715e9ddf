// The setup dialog: seven switches of the settings file and the console font.

#include "session/settings_file.h"
#include "shell/win32/late_dlls.h"
#include "shell/win32/shell_state.h"

namespace {

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

// Shows the values in use and, for the stored switches, the file's values,
// each checked when the program would take it as set.
void InitSwitches(HWND dialog) {
    CenterOnScreen(dialog);
    for (const SetupCheckBox& box : kSetupCheckBoxes)
        CheckDlgButton(dialog, box.control,
                       SetupSwitchShown(box.key) ? BST_CHECKED : BST_UNCHECKED);
}

// OK: each switch in the order the settings store them.
void StoreSwitches(HWND dialog) {
    for (SettingKey key : kSetupSwitches)
        for (const SetupCheckBox& box : kSetupCheckBoxes)
            if (box.key == key)
                StoreSetupSwitch(key, IsDlgButtonChecked(dialog, box.control) == BST_CHECKED);
}

// The font chooser on the console's font record; a confirmed font is applied
// and stored at once, whatever the dialog's own buttons do afterwards.
void ChooseConsoleFont(HWND dialog) {
    CHOOSEFONTA choose = {};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = dialog;
    choose.lpLogFont = &g_shell.logFont;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE | CF_FORCEFONTEXIST;
    choose.nFontType = SCREEN_FONTTYPE;
    choose.nSizeMin = 8;
    choose.nSizeMax = 30;
    if (!LateChooseFont(&choose)) return;
    ApplyConsoleFont();
    WriteSettingInt(kSettingSize, g_shell.logFont.lfHeight);
    WriteSettingInt(kSettingWeight, g_shell.logFont.lfWeight);
    WriteSettingInt(kSettingItalic, g_shell.logFont.lfItalic);
    WriteSettingText(kSettingFont, g_shell.logFont.lfFaceName);
}

} // namespace

// Creates the console's font from the font record and gives it to the console;
// the font it replaces is released, and the caret's line stays in view.
void ApplyConsoleFont() {
    HFONT font = CreateFontIndirectA(&g_shell.logFont);
    if (!font) return;
    SendMessageA(g_shell.console, WM_SETFONT, (WPARAM)font, TRUE);
    if (g_shell.font) DeleteObject(g_shell.font);
    g_shell.font = font;
    ScrollCaretIntoView();
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
