// End-to-end checks of what only the Windows program has: the settings file
// at quit and from the setup dialog, the dialog's controls, the popup menu
// from the mouse, the keyboard and the tray, hiding, closing, topmost, the
// single-instance rule, dropped files, the command-line script, the
// accelerator keys, the paste keys and the caret's line in view. Runs under Wine beside
// tolvane.exe; prints one line per failed check and "N passed, N failed".
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/wine/drive/remote.h"

namespace {

int g_passed = 0;
int g_failed = 0;
const char* g_case = "";
std::string g_exe;

// Records one check.
void Check(bool ok, const char* what, const std::string& detail = "") {
    if (ok) {
        ++g_passed;
        return;
    }
    ++g_failed;
    printf("FAIL %s: %s%s%s\n", g_case, what, detail.empty() ? "" : " -- ", detail.c_str());
}

// The settings file the program uses: tolvane.ini in the Windows folder.
std::string IniPath() {
    char folder[MAX_PATH];
    UINT n = GetWindowsDirectoryA(folder, sizeof folder);
    if (n == 0 || n >= sizeof folder) return "C:\\windows\\tolvane.ini";
    return std::string(folder) + "\\tolvane.ini";
}

// Replaces the settings file with the given lines (none: no file at all).
void WriteIni(const char* text) {
    std::string path = IniPath();
    DeleteFileA(path.c_str());
    if (!text) return;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') fputc('\r', f);
        fputc(*p, f);
    }
    fclose(f);
}

// A key's value in the settings file, read from the file itself; "<none>"
// when the file, the section or the key is missing.
std::string IniValue(const char* section, const char* key) {
    FILE* f = fopen(IniPath().c_str(), "rb");
    if (!f) return "<none>";
    char line[512];
    bool inSection = false;
    std::string value = "<none>";
    while (fgets(line, sizeof line, f)) {
        line[strcspn(line, "\r\n")] = '\0';
        if (line[0] == '[') {
            char* end = strchr(line, ']');
            if (end) *end = '\0';
            inSection = lstrcmpiA(line + 1, section) == 0;
            continue;
        }
        char* eq = strchr(line, '=');
        if (!inSection || !eq) continue;
        *eq = '\0';
        if (lstrcmpiA(line, key) == 0) value = eq + 1;
    }
    fclose(f);
    return value;
}

// Starts the program; false (with a failed check) when it does not come up.
bool Start(RemoteApp* app, const char* argument = nullptr) {
    char error[256];
    if (StartApp(app, g_exe.c_str(), argument, error, sizeof error)) return true;
    Check(false, "start", error);
    return false;
}

// Types text and presses Enter after each line feed, as a key script does.
void Type(RemoteApp* app, const char* utf8) {
    std::vector<KeyAction> actions;
    char error[128];
    if (!ParseKeyScript(utf8, strlen(utf8), &actions, error, sizeof error)) {
        Check(false, "key script", error);
        return;
    }
    for (const KeyAction& a : actions) PerformAction(app, a);
    app->lastText = ReadConsole(app);
    Check(app->failure.empty(), "the program takes what is typed", app->failure);
    app->failure.clear();
}

// Whether text ends with tail.
bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// A number as decimal text.
std::string Num(long value) {
    char text[24];
    snprintf(text, sizeof text, "%ld", value);
    return text;
}

// The caret position (selection start) in the console.
int Caret(RemoteApp* app) {
    DWORD sel = (DWORD)SendMessageA(app->console, EM_GETSEL, 0, 0);
    return LOWORD(sel);
}

// The console's line height: from the first line's top to the second's.
int LineHeight(RemoteApp* app) {
    int second = (int)SendMessageA(app->console, EM_LINEINDEX, 1, 0);
    LRESULT a = SendMessageA(app->console, EM_POSFROMCHAR, 0, 0);
    LRESULT b = SendMessageA(app->console, EM_POSFROMCHAR, second, 0);
    return (short)HIWORD(b) - (short)HIWORD(a);
}

// Whether the caret's line shows whole in the console.
bool CaretLineInView(RemoteApp* app) {
    int first = (int)SendMessageA(app->console, EM_GETFIRSTVISIBLELINE, 0, 0);
    int caret = (int)SendMessageA(app->console, EM_LINEFROMCHAR, (WPARAM)-1, 0);
    RECT rect;
    SendMessageA(app->console, EM_GETRECT, 0, (LPARAM)&rect);
    int height = LineHeight(app);
    int shown = height > 0 ? (rect.bottom - rect.top) / height : 0;
    return caret >= first && caret < first + shown;
}

// Where the caret's line and the console stand, for a failed check.
std::string ViewOf(RemoteApp* app) {
    RECT rect;
    SendMessageA(app->console, EM_GETRECT, 0, (LPARAM)&rect);
    return "first line " + Num((long)SendMessageA(app->console, EM_GETFIRSTVISIBLELINE, 0, 0)) +
           ", caret line " + Num((long)SendMessageA(app->console, EM_LINEFROMCHAR, (WPARAM)-1, 0)) +
           ", " + Num(rect.bottom - rect.top) + " pixels of lines " + Num(LineHeight(app)) +
           " high";
}

// Types statements that fill many lines of the console.
void FillConsole(RemoteApp* app, int statements) {
    std::string keys;
    for (int i = 0; i < statements; ++i) keys += Num(i) + "\n";
    Type(app, keys.c_str());
}

// Whether a window is always on top.
bool IsTopmost(HWND hwnd) {
    return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Opens the setup dialog through its menu item and waits for it.
HWND OpenSetup(RemoteApp* app) {
    PostToMain(app, WM_COMMAND, 2114, 0);
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindProcessWindow(app, "#32770")) != nullptr; }, 5000);
    return dialog;
}

// Presses a dialog's button and waits until the dialog is gone.
void PressAndWait(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
    WaitFor([&] { return !IsWindow(dialog); }, 5000);
}

// ---- the cases ----

// Without a settings file: place, size, console styles, first prompt, quit writes.
void DefaultsWithoutSettings() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    RECT r;
    GetWindowRect(app.main, &r);
    Check(r.left == 10 && r.top == 10, "window at (10, 10)", Num(r.left) + "," + Num(r.top));
    Check(r.right - r.left == 320 && r.bottom - r.top == 240, "window 320 x 240",
          Num(r.right - r.left) + "x" + Num(r.bottom - r.top));
    char title[64] = "";
    GetWindowTextA(app.main, title, sizeof title);
    Check(strcmp(title, "Tolvane") == 0, "title Tolvane", title);
    LONG style = GetWindowLongA(app.console, GWL_STYLE);
    Check(GetDlgCtrlID(app.console) == 100, "console id 100");
    Check((style & 0x50300084) == 0x50300084, "console styles with both scroll bars", Num(style));
    Check((style & (ES_AUTOVSCROLL | ES_WANTRETURN)) == 0,
          "no auto vertical scroll, no want-return");
    char cls[32] = "";
    GetClassNameA(app.console, cls, sizeof cls);
    Check(lstrcmpiA(cls, "Edit") == 0, "console is an Edit control", cls);
    Check(!IsTopmost(app.main), "not topmost");
    Check(IsWindowVisible(app.main), "window shown");
    Check(app.lastText == "\r\nd>", "first prompt after an empty line", app.lastText);
    StopApp(&app);
    Check(IniValue("window", "x") == "10" && IniValue("window", "w") == "320",
          "placement written at quit");
    Check(IniValue("Setup", "crflag") == "<none>", "quit writes no switch");
}

// Stored placement and flags; top, top off, min; placement of a hidden window.
void PlacementAndFlags() {
    WriteIni("[window]\nx=5000\ny=60\nw=400\nh=300\n[Setup]\nhscroll=0\ncrflag=1\nontopflag=1\n");
    RemoteApp app;
    if (!Start(&app)) return;
    RECT r;
    GetWindowRect(app.main, &r);
    Check(r.left == 10 && r.top == 60, "x beyond the screen becomes 10",
          Num(r.left) + "," + Num(r.top));
    Check(r.right - r.left == 400 && r.bottom - r.top == 300, "stored size");
    Check((GetWindowLongA(app.console, GWL_STYLE) & WS_HSCROLL) == 0,
          "hscroll=0: no horizontal bar");
    Check(IsTopmost(app.main), "ontopflag=1: topmost");
    Check(app.lastText == "d>", "crflag=1: the prompt alone", app.lastText);
    Type(&app, "top off\n");
    Check(!IsTopmost(app.main), "top off");
    Type(&app, "top\n");
    Check(IsTopmost(app.main), "top");
    SetWindowPos(app.main, nullptr, 70, 80, 410, 310, SWP_NOZORDER);
    Type(&app, "min\n");
    Check(!IsWindowVisible(app.main), "min hides");
    StopApp(&app);
    Check(IniValue("window", "x") == "70" && IniValue("window", "y") == "80" &&
              IniValue("window", "w") == "410" && IniValue("window", "h") == "310",
          "placement of a hidden window written at quit",
          IniValue("window", "x") + "," + IniValue("window", "y") + "," + IniValue("window", "w") +
              "," + IniValue("window", "h"));
}

// One control of the dialog as the resource gives it.
struct ControlSpec {
    int id;
    const char* cls;
    DWORD style;
    const char* text; // code page 932, as every literal here
    int x, y, w, h;   // dialog units
};

const ControlSpec kSetupControls[] = {
    {1004, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "横ｽｸﾛｰﾙﾊﾞ-を表示する", 11, 62, 96, 10},
    {1006, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "ｱｲｺﾝ状態で起動する(ﾄﾚｲ)", 11, 76, 96, 10},
    {1002, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "ﾌﾟﾛﾝﾌﾟﾄ前に改行を入れない", 11, 96, 108, 10},
    {1003, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "常に手前に表示する", 11, 109, 99, 10},
    {1007, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "ｸﾛｰｽﾞﾎﾞﾀﾝで終了しない", 11, 122, 110, 10},
    {1008, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "重複起動しない", 11, 135, 110, 10},
    {1010, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, "2ﾊﾞｲﾄ分を2進表示する(通常は4ﾊﾞｲﾄ)", 11, 149,
     150, 10},
    {IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, "OK", 125, 53, 40, 15},
    {IDCANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP, "ｷｬﾝｾﾙ", 125, 73, 40, 15},
    {1009, "Button", BS_PUSHBUTTON | WS_TABSTOP, "ﾌｫﾝﾄ", 125, 94, 40, 15},
};

// The setup dialog's controls by id, what they show, and what OK writes.
void SetupDialogControlsAndOk() {
    WriteIni("[Setup]\ncrflag=1\ndup=2\nicon=1\n");
    RemoteApp app;
    if (!Start(&app)) return;
    Check(!IsWindowVisible(app.main), "icon=1: starts hidden");
    POINT cursor;
    GetCursorPos(&cursor);
    Check(cursor.x == 10 + 320 / 2 && cursor.y == 10 + 240 / 2,
          "the pointer moved to the hidden window's centre", Num(cursor.x) + "," + Num(cursor.y));
    PostToMain(&app, 100, 1, WM_LBUTTONDOWN); // the tray's left click shows it
    Settle(&app);
    Check(IsWindowVisible(app.main), "tray left click shows the hidden window");
    HWND dialog = OpenSetup(&app);
    Check(dialog != nullptr, "setup dialog opens");
    if (!dialog) {
        StopApp(&app);
        return;
    }
    char text[256] = "";
    GetWindowTextA(dialog, text, sizeof text);
    Check(std::string("Tolvane の設定") == text, "dialog title", text);
    Check((DWORD)GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, "dialog has a caption");
    for (const ControlSpec& c : kSetupControls) {
        HWND control = GetDlgItem(dialog, c.id);
        std::string name = "control " + Num(c.id);
        Check(control != nullptr, (name + " exists").c_str());
        if (!control) continue;
        char cls[32] = "";
        GetClassNameA(control, cls, sizeof cls);
        Check(lstrcmpiA(cls, c.cls) == 0, (name + " class").c_str(), cls);
        DWORD style = (DWORD)GetWindowLongA(control, GWL_STYLE);
        Check((style & 0xFFFF000F & ~WS_GROUP) == ((WS_CHILD | WS_VISIBLE | c.style) & ~WS_GROUP),
              (name + " style").c_str(), Num((long)style));
        GetWindowTextA(control, text, sizeof text);
        Check(std::string(c.text) == text, (name + " text").c_str(), text);
        // Dialog units to pixels by the client area, which is 171 x 167 units.
        RECT client;
        GetClientRect(dialog, &client);
        RECT actual;
        GetWindowRect(control, &actual);
        MapWindowPoints(nullptr, dialog, (POINT*)&actual, 2);
        double sx = client.right / 171.0, sy = client.bottom / 167.0;
        auto about = [](double want, long got) { return got >= want - 2 && got <= want + 2; };
        Check(about(c.x * sx, actual.left) && about(c.y * sy, actual.top) &&
                  about(c.w * sx, actual.right - actual.left) &&
                  about(c.h * sy, actual.bottom - actual.top),
              (name + " rectangle").c_str(),
              Num(actual.left) + "," + Num(actual.top) + "," + Num(actual.right - actual.left) +
                  "," + Num(actual.bottom - actual.top));
    }
    Check(IsDlgButtonChecked(dialog, 1002) == BST_CHECKED, "crflag in use shows checked");
    Check(IsDlgButtonChecked(dialog, 1004) == BST_CHECKED, "hscroll default shows checked");
    Check(IsDlgButtonChecked(dialog, 1006) == BST_CHECKED, "icon=1 shows checked");
    Check(IsDlgButtonChecked(dialog, 1003) == BST_UNCHECKED, "ontopflag off shows unchecked");
    // Switch on "always on top" and "close button hides", then OK.
    SendMessageA(GetDlgItem(dialog, 1003), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(GetDlgItem(dialog, 1007), BM_SETCHECK, BST_CHECKED, 0);
    PressAndWait(dialog, IDOK);
    Settle(&app);
    const char* keys[] = {"crflag", "ontopflag", "endflag", "byte2", "hscroll", "icon", "dup"};
    const char* want[] = {"1", "1", "1", "0", "1", "1", "0"};
    for (int i = 0; i < 7; ++i)
        Check(IniValue("Setup", keys[i]) == want[i], (std::string("OK writes ") + keys[i]).c_str(),
              IniValue("Setup", keys[i]));
    Check(IsTopmost(app.main), "ontopflag applied after the dialog");
    // endflag now set: the close button hides.
    PostToMain(&app, WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle(&app);
    Check(AppRunning(&app) && !IsWindowVisible(app.main), "close with endflag hides");
    StopApp(&app);
}

// Cancel writes no switch; a confirmed font is applied and stored anyway.
void SetupCancelAndFont() {
    WriteIni("[Setup]\n");
    RemoteApp app;
    if (!Start(&app)) return;
    FillConsole(&app, 20);
    Type(&app, "top\n");
    HWND dialog = OpenSetup(&app);
    if (!dialog) {
        Check(false, "setup dialog opens");
        StopApp(&app);
        return;
    }
    int before = LineHeight(&app);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1009, BN_CLICKED), 0);
    HWND chooser = nullptr;
    WaitFor(
        [&] {
            HWND found = FindProcessWindow(&app, "#32770");
            if (found && found != dialog) chooser = found;
            // The chooser is owned by the setup dialog, which is disabled meanwhile.
            return chooser != nullptr || !IsWindowEnabled(dialog);
        },
        5000);
    if (!chooser) WaitFor([&] { return (chooser = GetLastActivePopup(dialog)) != dialog; }, 3000);
    Check(chooser != nullptr && chooser != dialog, "font chooser opens");
    if (chooser && chooser != dialog) {
        // Once the face list is filled, pick its first face and confirm.
        HWND faces = GetDlgItem(chooser, 0x470);
        WaitFor([&] { return faces && SendMessageA(faces, CB_GETCOUNT, 0, 0) > 0; }, 5000);
        // It opens on the console's own face, not on the first of the list.
        char face[64] = "";
        if (faces) SendMessageA(faces, WM_GETTEXT, sizeof face, (LPARAM)face);
        Check(strcmp(face, "Terminal") == 0, "the chooser opens on the console's face", face);
        SendMessageA(faces, CB_SETCURSEL, 0, 0);
        SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELCHANGE), (LPARAM)faces);
        // and its largest size, so that the console's lines grow.
        HWND sizes = GetDlgItem(chooser, 0x472);
        LRESULT count = sizes ? SendMessageA(sizes, CB_GETCOUNT, 0, 0) : 0;
        if (count > 0) {
            SendMessageA(sizes, CB_SETCURSEL, count - 1, 0);
            SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), (LPARAM)sizes);
        }
        PressAndWait(chooser, IDOK);
        Check(!IsWindow(chooser), "the font chooser closes with OK");
    }
    WaitFor([&] { return IsWindowEnabled(dialog) != FALSE; }, 3000);
    PressAndWait(dialog, IDCANCEL);
    Settle(&app);
    int after = LineHeight(&app);
    Check(after > before, "a confirmed font is applied: taller lines",
          Num(before) + " " + Num(after));
    Check(CaretLineInView(&app), "the caret's line in view after the font change", ViewOf(&app));
    Check(IniValue("Setup", "size") != "<none>" && IniValue("Setup", "weight") != "<none>" &&
              IniValue("Setup", "italic") != "<none>" && IniValue("Setup", "font") != "<none>",
          "a confirmed font is stored even after Cancel");
    Check(IniValue("Setup", "crflag") == "<none>" && IniValue("Setup", "dup") == "<none>",
          "Cancel writes no switch");
    Check(!IsTopmost(app.main), "Cancel re-applies ontopflag (off) after top");
    StopApp(&app);
}

// Chooses an item of the open popup menu with the keyboard: Down n times, Enter.
void ChooseWithKeys(RemoteApp* app, int downs) {
    Check(WaitForMenuKeys(app), "menu opens and takes keys");
    for (int i = 0; i < downs; ++i) PressKey(VK_DOWN, 0);
    PressKey(VK_RETURN, 0);
    Settle(app);
}

// The popup menu from the tray and from a right click, with the history.
void PopupMenuAndHistory() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    Type(&app, "1+2\n3*4\n");
    // Tray right click: newest history item first.
    PostToMain(&app, 100, 1, WM_RBUTTONDOWN);
    ChooseWithKeys(&app, 1);
    Check(EndsWith(app.lastText = ReadConsole(&app), "d>3*4"),
          "tray menu item 1 is the newest line", app.lastText);
    Check(Caret(&app) == (int)app.lastText.size(), "history text unsubmitted, caret at the end");
    // Right click on the console: the second item is the older line.
    Type(&app, "{Ctrl+U}");
    RightClickConsole(&app);
    ChooseWithKeys(&app, 2);
    app.lastText = ReadConsole(&app);
    Check(EndsWith(app.lastText, "d>1+2"), "right-click menu item 2 is the older line",
          app.lastText);
    // Escape closes the menu and types nothing.
    std::string before = ReadConsole(&app);
    RightClickConsole(&app);
    Check(WaitFor([&] { return FindProcessWindow(&app, "#32768") != nullptr; }, 3000),
          "menu opens again");
    PressKey(VK_ESCAPE, 0);
    Settle(&app);
    Check(ReadConsole(&app) == before && !InMenuMode(&app), "Escape closes the menu");
    // The two entries answer to two ids of 3000 to 3002, one line each.
    std::string chosen;
    for (int id = 3000; id <= 3002; ++id) {
        Type(&app, ("{Ctrl+U}{Menu:" + Num(id) + "}").c_str());
        std::string text = ReadConsole(&app);
        size_t prompt = text.rfind("d>");
        if (prompt != std::string::npos) chosen += "[" + text.substr(prompt + 2) + "]";
    }
    Check(chosen.find("[1+2]") != std::string::npos && chosen.find("[3*4]") != std::string::npos,
          "history items answer to their ids", chosen);
    StopApp(&app);
}

// The menu key and Shift+F10 open the program's popup menu, not the edit
// control's own, under the caret's line, as a right click opens it at the
// pointer.
void KeyboardMenu() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    Type(&app, "1+2\n3*4\n");
    const struct {
        int vk, modifiers, downs;
        const char* name;
        const char* typed;
    } kKeys[] = {{VK_F10, kModShift, 1, "Shift+F10", "d>3*4"},
                 {VK_APPS, 0, 2, "the menu key", "d>1+2"}};
    for (const auto& k : kKeys) {
        Type(&app, "{Ctrl+U}");
        PressKey(k.vk, k.modifiers);
        Check(WaitForMenuKeys(&app), (std::string(k.name) + " opens a menu").c_str());
        // The menu's top-left corner stands under the caret's line.
        RECT menu = {};
        GetWindowRect(FindProcessWindow(&app, "#32768"), &menu);
        int lineStart = (int)SendMessageA(app.console, EM_LINEINDEX, (WPARAM)-1, 0);
        LRESULT at = SendMessageA(app.console, EM_POSFROMCHAR, lineStart, 0);
        POINT line = {(short)LOWORD(at), (short)HIWORD(at)};
        ClientToScreen(app.console, &line);
        int height = LineHeight(&app);
        Check(menu.top >= line.y + height / 2 && menu.top <= line.y + 2 * height &&
                  menu.left >= line.x && menu.left <= line.x + 8 * height,
              (std::string(k.name) + ": the menu under the caret").c_str(),
              "menu at " + Num(menu.left) + "," + Num(menu.top) + ", the caret's line at " +
                  Num(line.x) + "," + Num(line.y));
        for (int i = 0; i < k.downs; ++i) PressKey(VK_DOWN, 0);
        PressKey(VK_RETURN, 0);
        Settle(&app);
        app.lastText = ReadConsole(&app);
        Check(EndsWith(app.lastText, k.typed),
              (std::string(k.name) + ": the history item types its line").c_str(), app.lastText);
    }
    StopApp(&app);
}

// With the window hidden in the tray, 画面ｸﾘｱ or a history item chosen in
// the tray icon's menu brings the window up. The menu of a window in the
// background takes no keys: the item is clicked, the menu's first one (画面ｸﾘｱ
// before any statement, then the newest line).
void TrayMenuWhileHidden() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    const char* kItems[] = {"画面ｸﾘｱ", "the history item"};
    for (const char* item : kItems) {
        PostToMain(&app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        Settle(&app);
        Check(!IsWindowVisible(app.main), "minimize hides");
        PostToMain(&app, 100, 1, WM_RBUTTONDOWN);
        Check(WaitForMenuKeys(&app), "the tray menu opens");
        RECT menu = {};
        GetWindowRect(FindProcessWindow(&app, "#32768"), &menu);
        ClickAt((menu.left + menu.right) / 2, menu.top + 8, false);
        // The menu's own loop answers the settling: wait for the menu to end.
        Check(WaitFor([&] { return !InMenuMode(&app); }, 20000), "the click ends the tray menu");
        Settle(&app);
        Check(WaitFor([&] { return IsWindowVisible(app.main) && !IsIconic(app.main); }, 20000),
              (std::string(item) + " shows the window").c_str());
        app.lastText = ReadConsole(&app);
        if (item == kItems[0]) {
            Check(app.lastText == "\r\nd>", "画面ｸﾘｱ clears", app.lastText);
            Type(&app, "6*7\n");
        } else {
            Check(EndsWith(app.lastText, "d>6*7"), "the item is typed behind the prompt",
                  app.lastText);
        }
    }
    StopApp(&app);
}

// Ctrl+V, Shift+Insert and the paste request type the clipboard's text:
// each line end runs its line, the rest stays typed, a tab is text; a
// paste onto an output line goes behind the prompt at the end.
void PasteKeys() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    SetClipboardText(L"10+1\r\n20+2\r\n30+3");
    Type(&app, "{Ctrl+U}");
    PressKey('V', kModCtrl);
    Settle(&app);
    app.lastText = ReadConsole(&app);
    Check(app.lastText.find("d>10+1\r\n 11\r\n\r\nd>20+2\r\n 22\r\n\r\nd>30+3") !=
                  std::string::npos &&
              EndsWith(app.lastText, "d>30+3"),
          "Ctrl+V runs two lines and types the third", app.lastText);
    Type(&app, "\n{Goto:2,0}");
    SetClipboardText(L"5\t*5\n");
    PressKey(VK_INSERT, kModShift);
    Settle(&app);
    app.lastText = ReadConsole(&app);
    Check(EndsWith(app.lastText, "d>5\t*5\r\n 25\r\n\r\nd>"),
          "Shift+Insert on an output line: at the end, the tab typed", app.lastText);
    SetClipboardText(L"2^10");
    PostMessageA(app.console, WM_PASTE, 0, 0);
    Settle(&app);
    Check(EndsWith(ReadConsole(&app), "d>2^10"), "WM_PASTE types the text", ReadConsole(&app));
    StopApp(&app);
}

// After a restore from maximized and after a resize the caret's line shows.
void CaretInView() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    PostToMain(&app, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    Settle(&app);
    FillConsole(&app, 40);
    PostToMain(&app, WM_SYSCOMMAND, SC_RESTORE, 0);
    Settle(&app);
    Check(!IsZoomed(app.main), "restored");
    Check(CaretLineInView(&app), "the caret's line in view after a restore", ViewOf(&app));
    SetWindowPos(app.main, nullptr, 0, 0, 600, 500, SWP_NOMOVE | SWP_NOZORDER);
    FillConsole(&app, 20);
    SetWindowPos(app.main, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
    Settle(&app);
    Check(CaretLineInView(&app), "the caret's line in view after a resize", ViewOf(&app));
    StopApp(&app);
}

// After twelve statements the menu holds exactly the ten newest, newest
// first, under ids 3000 to 3009, then the separator and the fixed items. A
// menu of another process cannot be read under Wine, so each item is chosen
// with the keys, as a person would, and judged by what it does.
void PopupMenuAfterManyStatements() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    for (int i = 1; i <= 12; ++i) Type(&app, (Num(i) + "+0\n").c_str());
    std::string got, want;
    for (int item = 1; item <= 10; ++item) {
        RightClickConsole(&app);
        ChooseWithKeys(&app, item);
        std::string text = ReadConsole(&app);
        size_t prompt = text.rfind("d>");
        got += "[" + (prompt == std::string::npos ? text : text.substr(prompt + 2)) + "]";
        want += "[" + Num(13 - item) + "+0]";
        Type(&app, "{Ctrl+U}");
    }
    Check(got == want, "ten history items, newest first", got);
    // The 12th statement has sequence number 11: id 3000 + 11 % 10.
    got.clear();
    want.clear();
    for (int i = 12; i >= 3; --i) {
        Type(&app, ("{Ctrl+U}{Menu:" + Num(3000 + (i - 1) % 10) + "}").c_str());
        std::string text = ReadConsole(&app);
        size_t prompt = text.rfind("d>");
        got += "[" + (prompt == std::string::npos ? text : text.substr(prompt + 2)) + "]";
        want += "[" + Num(i) + "+0]";
    }
    Check(got == want, "the ten entries answer to ids 3000 to 3009", got);
    // Past the separator: the setup dialog's item, then clearing the screen.
    Type(&app, "{Ctrl+U}");
    RightClickConsole(&app);
    Check(WaitFor([&] { return FindProcessWindow(&app, "#32768") != nullptr; }, 3000),
          "menu opens");
    Sleep(100);
    for (int i = 0; i < 12; ++i) PressKey(VK_DOWN, 0);
    PressKey(VK_RETURN, 0);
    Check(WaitFor([&] { return FindProcessWindow(&app, "#32770") != nullptr; }, 5000),
          "the twelfth item opens the setup dialog");
    Settle(&app);
    RightClickConsole(&app);
    ChooseWithKeys(&app, 11);
    Check(ReadConsole(&app) == "\r\nd>", "the eleventh item clears the screen", ReadConsole(&app));
    StopApp(&app);
}

// A start-up script handed over as one quoted path, as Explorer does.
void QuotedCommandLine() {
    WriteIni(nullptr);
    CreateDirectoryA("My Scripts", nullptr);
    FILE* f = fopen("My Scripts\\calc.tvs", "wb");
    if (f) {
        fputs("z=7\r\n", f);
        fclose(f);
    }
    char full[MAX_PATH];
    GetFullPathNameA("My Scripts\\calc.tvs", sizeof full, full, nullptr);
    RemoteApp app;
    if (!Start(&app, (std::string("\"") + full + "\"").c_str())) return;
    Check(app.lastText.find("を読み込みました") != std::string::npos &&
              app.lastText.find("見あたりません") == std::string::npos,
          "a quoted path runs its script", app.lastText);
    Type(&app, "z\n");
    Check(EndsWith(app.lastText, " 7\r\n\r\nd>"), "the script's variable is there", app.lastText);
    StopApp(&app);
    DeleteFileA("My Scripts\\calc.tvs");
    RemoveDirectoryA("My Scripts");
}

// {Goto:L,C} counts columns in bytes, also behind double-byte characters.
void GotoColumnsInBytes() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    Type(&app, u8"表表=1{Goto:1,4}9");
    Check(EndsWith(app.lastText, "d>" + std::string("表") + "9" + std::string("表") + "=1"),
          "column 4 stands behind the first double-byte character", app.lastText);
    StopApp(&app);
}

// Minimize hides, the tray shows, close without endflag quits.
void MinimizeAndClose() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    PostToMain(&app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Settle(&app);
    Check(!IsWindowVisible(app.main) && !IsIconic(app.main), "minimize hides, not iconic");
    PostToMain(&app, 100, 1, WM_LBUTTONDOWN);
    Settle(&app);
    Check(IsWindowVisible(app.main), "tray left click shows it again");
    PostToMain(&app, WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitFor([&] { return !AppRunning(&app); }, 5000);
    Check(!AppRunning(&app), "close without endflag quits");
    Check(IniValue("window", "x") != "<none>", "close without endflag saves the placement");
    StopApp(&app);
}

// dup=1 hands over to the running instance, dup=2 does not.
void SingleInstance() {
    for (int dup = 1; dup <= 2; ++dup) {
        std::string ini = "[Setup]\ndup=" + Num(dup) + "\n";
        WriteIni(ini.c_str());
        RemoteApp first;
        if (!Start(&first)) return;
        Type(&first, "min\n");
        RemoteApp second;
        char error[256];
        bool started = StartApp(&second, g_exe.c_str(), nullptr, error, sizeof error);
        if (dup == 1) {
            WaitFor([&] { return !AppRunning(&second); }, 5000);
            DWORD code = 1;
            if (second.process.hProcess) GetExitCodeProcess(second.process.hProcess, &code);
            Check(!AppRunning(&second) && code == 0, "dup=1: the second start exits with 0");
            Check(IsWindowVisible(first.main), "dup=1: the running instance is shown");
        } else {
            Check(started && AppRunning(&second) && second.main != first.main,
                  "dup=2: a second instance runs");
        }
        StopApp(&second);
        StopApp(&first);
    }
}

// A command-line script runs before the first prompt; a drop types a short path.
void DroppedFileAndCommandLine() {
    WriteIni(nullptr);
    const char* longName = "a long script name.tvs";
    FILE* f = fopen(longName, "wb");
    if (f) {
        fputs("x=3\r\ny=x*2\r\n", f);
        fclose(f);
    }
    char full[MAX_PATH], shortPath[MAX_PATH];
    GetFullPathNameA(longName, sizeof full, full, nullptr);
    DWORD n = GetShortPathNameA(full, shortPath, sizeof shortPath);
    Check(n > 0 && strchr(shortPath, ' ') == nullptr, "the test file has a short path", shortPath);

    RemoteApp app;
    if (!Start(&app, full)) return;
    const std::string& text = app.lastText;
    Check(text.find(std::string("を読み込みました")) != std::string::npos,
          "the command-line script ran before the first prompt", text);
    Check(text.find("call") == std::string::npos, "the call statement is not echoed");
    Check(EndsWith(text, "\r\n\r\nd>"), "its messages, a line break, then the first prompt");
    Type(&app, "y\n");
    Check(EndsWith(app.lastText, " 6\r\n\r\nd>"), "the script's variables are there", app.lastText);
    KeyAction drop = {};
    drop.kind = kActionDrop;
    snprintf(drop.path, sizeof drop.path, "%s", full);
    PerformAction(&app, drop);
    Check(EndsWith(app.lastText, std::string("d>") + shortPath),
          "a dropped file types its short path", app.lastText);
    StopApp(&app);
    DeleteFileA(longName);
}

// The accelerator keys through the program's message loop, and typed kanji.
void Accelerators() {
    WriteIni(nullptr);
    RemoteApp app;
    if (!Start(&app)) return;
    Type(&app, "2{Alt+S}");
    Check(EndsWith(app.lastText, "d>2sin()") && Caret(&app) == (int)app.lastText.size() - 1,
          "Alt+S: sin() with the caret before )", app.lastText);
    Type(&app, "{Ctrl+U}{Ctrl+0}ff\n");
    Check(app.lastText.find("d>0xff\r\n 255") != std::string::npos && EndsWith(app.lastText, "d>"),
          "Ctrl+U clears, Ctrl+0 types 0x", app.lastText);
    Type(&app, "{F3}");
    Check(EndsWith(app.lastText, "d>0xff"), "F3 retypes the last line", app.lastText);
    Type(&app, "{Ctrl+U}{Ctrl+A}");
    size_t prompt = app.lastText.rfind("d>");
    Check(prompt != std::string::npos && app.lastText.compare(prompt, 5, "d>255") == 0,
          "Ctrl+A types ans", app.lastText);
    Type(&app, "{Ctrl+U}{Ctrl+9}101");
    Check(EndsWith(app.lastText, "d>0b101"), "Ctrl+9 types 0b", app.lastText);
    Type(&app, "{Ctrl+U}12+34{Ctrl+K}");
    int end = (int)app.lastText.size();
    Check(Caret(&app) == end - 3, "Ctrl+K stops before +");
    Type(&app, "{Ctrl+P}");
    Check(EndsWith(ReadConsole(&app), "d>12()+34"), "Ctrl+P inserts () at the caret");
    Type(&app, u8"{Ctrl+U}あ"); // key scripts are UTF-8
    Check(EndsWith(ReadConsole(&app), "d>" + std::string("あ")),
          "a double-byte character types whole");
    StopApp(&app);
}

// The bytes of a resource of the program's file, language Japanese.
std::string ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
    HRSRC found = FindResourceExA(module, type, name, MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (!found) return std::string();
    HGLOBAL loaded = LoadResource(module, found);
    const char* bytes = loaded ? (const char*)LockResource(loaded) : nullptr;
    return bytes ? std::string(bytes, SizeofResource(module, found)) : std::string();
}

// One accelerator entry as the resource stores it.
struct AccelEntry {
    WORD flags, key, id, pad;
};

// The accelerator table, dialog template and icon as the file holds them.
void Resources() {
    HMODULE module = LoadLibraryExA(g_exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Check(module != nullptr, "the program's file loads as data");
    if (!module) return;
    const AccelEntry kAccelerators[] = {
        {0x0B, 0x30, 116, 0}, {0x0B, 0x39, 117, 0}, {0x0B, 0x41, 103, 0}, {0x13, 0x43, 107, 0},
        {0x0B, 0x44, 112, 0}, {0x0B, 0x4B, 114, 0}, {0x0B, 0x4C, 113, 0}, {0x13, 0x4C, 110, 0},
        {0x0B, 0x50, 115, 0}, {0x13, 0x52, 109, 0}, {0x13, 0x53, 106, 0}, {0x13, 0x54, 108, 0},
        {0x0B, 0x55, 105, 0}, {0x83, 0x72, 104, 0},
    };
    std::string table = ResourceBytes(module, RT_ACCELERATOR, "TOLVANE");
    Check(table.size() == sizeof kAccelerators &&
              memcmp(table.data(), kAccelerators, sizeof kAccelerators) == 0,
          "accelerator table TOLVANE: the 14 entries in order", Num((long)table.size()));
    std::string dialog = ResourceBytes(module, RT_DIALOG, "SETUP");
    bool dialogOk = dialog.size() > sizeof(DLGTEMPLATE);
    if (dialogOk) {
        DLGTEMPLATE head;
        memcpy(&head, dialog.data(), sizeof head);
        dialogOk = head.style == 0x90C800C0 && head.dwExtendedStyle == 0 && head.cdit == 16 &&
                   head.x == 0 && head.y == 0 && head.cx == 171 && head.cy == 167;
    }
    Check(dialogOk, "dialog SETUP: style, 16 controls, 171 x 167 units");
    std::string group = ResourceBytes(module, RT_GROUP_ICON, "TOLVANE");
    // The icon directory: 3 words, then entries of width, height, colours...
    Check(group.size() >= 20 && (unsigned char)group[6] == 32 && (unsigned char)group[7] == 32 &&
              (unsigned char)group[8] == 16 && group[4] == 1,
          "icon TOLVANE: one 32 x 32 image with 16 colours");
    FreeLibrary(module);
}

struct Case {
    const char* name;
    void (*run)();
};

const Case kCases[] = {
    {"resources", Resources},
    {"defaults", DefaultsWithoutSettings},
    {"placement-and-flags", PlacementAndFlags},
    {"setup-ok", SetupDialogControlsAndOk},
    {"setup-cancel-font", SetupCancelAndFont},
    {"popup-menu", PopupMenuAndHistory},
    {"popup-menu-ten", PopupMenuAfterManyStatements},
    {"keyboard-menu", KeyboardMenu},
    {"tray-menu-hidden", TrayMenuWhileHidden},
    {"paste-keys", PasteKeys},
    {"caret-in-view", CaretInView},
    {"quoted-command-line", QuotedCommandLine},
    {"goto-bytes", GotoColumnsInBytes},
    {"minimize-close", MinimizeAndClose},
    {"single-instance", SingleInstance},
    {"drop-and-command-line", DroppedFileAndCommandLine},
    {"accelerators", Accelerators},
};

} // namespace

// Runs every case, or the one named after the program path.
int main(int argc, char** argv) {
    g_exe = argc > 1 ? argv[1] : "tolvane.exe";
    const char* only = argc > 2 ? argv[2] : nullptr;
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    snprintf(folder + strlen(folder), sizeof folder - strlen(folder), "tolvane-e2e");
    CreateDirectoryA(folder, nullptr);
    SetCurrentDirectoryA(folder);
    for (const Case& c : kCases) {
        if (only && strcmp(only, c.name) != 0) continue;
        g_case = c.name;
        c.run();
    }
    WriteIni(nullptr);
    printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
