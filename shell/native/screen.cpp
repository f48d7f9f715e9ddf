#include "shell/native/screen.h"

#include <curses.h>
#include <errno.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <deque>
#include <string>

#include "session/commands.h"
#include "session/console.h"
#include "session/keys.h"
#include "platform/accelerators.h"
#include "platform/ids.h"
#include "shell/native/boxes.h"
#include "shell/native/codepage.h"
#include "shell/native/player.h"
#include "shell/native/recall.h"
#include "shell/native/screen_view.h"
#include "shell/native/spawn.h"
#include "shell/native/term_keys.h"
#include "shell/native/terminfo.h"

namespace {

// Mouse reports (buttons, drags, SGR coordinates) and bracketed pastes on,
// and off.
const char kReportsOn[] = "\033[?1000h\033[?1002h\033[?1006h\033[?2004h";
const char kReportsOff[] = "\033[?2004l\033[?1006l\033[?1002l\033[?1000l";

enum {
    kEscapeWait = 50, // ms a lone ESC waits for the rest of a sequence
    kWheelLines = 3,  // lines one wheel step scrolls
};

volatile sig_atomic_t g_stopSignal = 0; // SIGTERM or SIGHUP arrived
volatile sig_atomic_t g_resized = 0;    // SIGWINCH arrived

struct ScreenState {
    ScreenView view;
    ScreenGrid grid;
    TermKeyDecoder decoder;
    std::deque<TermKey> keys; // decoded, not yet handled
    Box* box = nullptr;       // the box that shows
    bool curses = false;      // ncurses runs the terminal
    int columns = 80, rows = 24;
    bool clicked = false; // the mouse has been clicked: the pointer is known
    int mouseRow = 0, mouseColumn = 0;
    int dragAnchor = -1;  // where the left button went down, -1 when up
    bool refused = false; // a character without a code page 932 form was typed
};

ScreenState g_screen;

// A console key with modifiers, as the key-script player presses it.
void PlayKey(int vk, int modifiers) {
    KeyAction action = MakeAction(kActionKey);
    action.key = vk;
    action.modifiers = modifiers;
    PlayAction(action);
}

// The rows that show console lines.
int TextRows() {
    return g_screen.rows - 1 > 1 ? g_screen.rows - 1 : 1;
}

// The console, the box, the caret: into the grid, and onto the terminal
// when ncurses runs.
void Draw() {
    ScreenGrid& grid = g_screen.grid;
    grid.Reset(g_screen.columns, g_screen.rows);
    RenderConsole(g_screen.view, &grid);
    if (g_screen.box) g_screen.box->Draw(&grid);
    if (!g_screen.curses) return;
    static const attr_t kAttrs[] = {A_NORMAL, A_REVERSE, A_REVERSE, A_NORMAL, A_REVERSE | A_BOLD};
    erase();
    for (int r = 0; r < grid.rows; ++r) {
        move(r, 0);
        for (int c = 0; c < grid.columns; ++c) {
            const Cell& cell = grid.At(r, c);
            if (cell.text.empty()) continue;
            attrset(kAttrs[cell.attr]);
            if (r == grid.rows - 1 && c == grid.columns - 1)
                mvaddstr(r, c, cell.text.c_str()); // the last cell may not scroll
            else
                addstr(cell.text.c_str());
        }
    }
    attrset(A_NORMAL);
    if (grid.caretRow >= 0) move(grid.caretRow, grid.caretColumn);
    curs_set(grid.caretRow >= 0 ? 1 : 0);
    refresh();
}

// Prints the grid's rows and the caret's cell.
void PrintGrid() {
    std::string text = g_screen.grid.Text();
    fwrite(text.data(), 1, text.size(), stdout);
    if (g_screen.grid.caretRow >= 0)
        printf("-- caret %d,%d\n", g_screen.grid.caretRow, g_screen.grid.caretColumn);
    else
        printf("-- caret hidden\n");
    fflush(stdout);
}

// The terminal's size now, ncurses told of it.
void ReadSize() {
    struct winsize size;
    if (ioctl(1, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 && size.ws_row > 0) {
        g_screen.columns = size.ws_col;
        g_screen.rows = size.ws_row;
    }
    resizeterm(g_screen.rows, g_screen.columns);
}

// A resize: the new size, the view refitted to it.
void Resize() {
    g_resized = 0;
    ReadSize();
    RefitView(&g_screen.view, g_screen.columns, TextRows());
    Draw();
}

// The next key; false when the terminal ends or a stop signal came.
bool NextKey(TermKey* key) {
    for (;;) {
        if (!g_screen.keys.empty()) {
            *key = g_screen.keys.front();
            g_screen.keys.pop_front();
            return true;
        }
        if (g_stopSignal) return false;
        if (g_resized) Resize();
        struct pollfd input = {0, POLLIN, 0};
        int ready = poll(&input, 1, TermKeysPending(g_screen.decoder) ? kEscapeWait : -1);
        if (ready < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        std::vector<TermKey> decoded;
        if (ready == 0) {
            FlushTermKeys(&g_screen.decoder, &decoded);
        } else {
            char bytes[512];
            ssize_t n = read(0, bytes, sizeof bytes);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            DecodeTermKeys(&g_screen.decoder, bytes, (size_t)n, &decoded);
        }
        for (const TermKey& k : decoded) g_screen.keys.push_back(k);
    }
}

// Shows a box and gives it keys until it is done or the program must stop.
void RunBox(Box* box) {
    Box* outer = g_screen.box;
    g_screen.box = box;
    for (;;) {
        Draw();
        TermKey key;
        if (!NextKey(&key) || box->Handle(key)) break;
    }
    g_screen.box = outer;
}

// --screen: the screen with the box as it opens.
void Snapshot(Box* box) {
    g_screen.box = box;
    Draw();
    g_screen.box = nullptr;
    PrintGrid();
}

// Where the popup menu opens: at the mouse for a right click, else one line
// under the caret.
void PlaceMenu(MenuPlace place, int* row, int* column) {
    if (place == kMenuAtPointer && g_screen.clicked) {
        *row = g_screen.mouseRow;
        *column = g_screen.mouseColumn;
        return;
    }
    Draw();
    *row = g_screen.grid.caretRow >= 0 ? g_screen.grid.caretRow + 1 : 0;
    *column = g_screen.grid.caretColumn >= 0 ? g_screen.grid.caretColumn : 0;
}

// The terminal in the full-screen console's modes.
void StartCurses() {
    newterm(nullptr, stdout, stdin);
    raw();
    noecho();
    nonl();
    keypad(stdscr, FALSE);
    g_screen.curses = true;
    fputs(kReportsOn, stdout);
    fflush(stdout);
    ReadSize();
}

// The terminal as it was.
void StopCurses() {
    if (!g_screen.curses) return;
    fputs(kReportsOff, stdout);
    fflush(stdout);
    endwin();
    g_screen.curses = false;
}

// The boxes in the terminal, each with its own keys; with --screen each
// prints the screen as it opens instead and answers as the options say.
struct ScreenBoxes : DesktopBoxes {
    bool snapshot = false;

    // The box until it is done, or its picture.
    void Show(Box* box) {
        if (snapshot)
            Snapshot(box);
        else
            RunBox(box);
    }
    // The question until Yes or No; --answer answers a picture.
    bool AskYesNo(const char* text, const char* caption) override {
        QuestionBox box(text, caption);
        Show(&box);
        return snapshot ? g_native.desktop.options.answerYes : box.yes && !g_stopSignal;
    }
    // The name field until Enter or Escape; --open or --save names a picture's.
    bool AskFileName(bool save, const char* title, std::string* name) override {
        FileNameBox box(save, title);
        box.folderName = snapshot; // the same in every test folder
        Show(&box);
        if (!snapshot) {
            *name = box.name;
            return box.accepted && !g_stopSignal;
        }
        const char* given = save ? g_native.desktop.options.save : g_native.desktop.options.open;
        *name = given ? given : "";
        return given != nullptr;
    }
    // The help viewer until it is closed.
    void ShowHelp() override {
        HelpBox box;
        Show(&box);
    }
    // The setup box; OK stores the switches.
    void Setup() override {
        SetupBox box;
        Show(&box);
        if (box.accepted) box.Store();
    }
    // The menu; the chosen item's command runs after it closed (a script
    // chooses in a picture with {Menu:ID}).
    void PopupMenu(MenuPlace place) override {
        int row, column;
        PlaceMenu(place, &row, &column);
        MenuBox box(row, column);
        Show(&box);
        if (box.chosen) RunMenuCommand(box.chosen);
    }
    // Hiding is the job control's stop: the shell has the terminal until fg.
    void Hide() override {
        if (snapshot) return;
        StopCurses();
        signal(SIGTSTP, SIG_DFL);
        raise(SIGTSTP);
        signal(SIGTSTP, SIG_IGN);
        StartCurses();
    }
    // The program has the terminal until it ends, then Enter comes back; a
    // picture's starts without waiting, as the key-script player's.
    void RunProgram(const char* commandLine) override {
        if (snapshot) {
            const char* argv[] = {"sh", "-c", commandLine, nullptr};
            SpawnDetached(argv, false);
            return;
        }
        StopCurses();
        pid_t child = fork();
        if (child == 0) {
            signal(SIGINT, SIG_DFL);
            signal(SIGQUIT, SIG_DFL);
            signal(SIGTSTP, SIG_DFL);
            execl("/bin/sh", "sh", "-c", commandLine, (char*)nullptr);
            _exit(127);
        }
        if (child > 0) {
            int status = 0;
            while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
        }
        const char kBack[] = "\n[Enter で Tolvane に戻ります]";
        std::string back = Cp932ToUtf8(kBack, strlen(kBack));
        fputs(back.c_str(), stdout);
        fflush(stdout);
        char c = 0;
        while (!g_stopSignal && read(0, &c, 1) == 1 && c != '\n' && c != '\r') {
        }
        StartCurses();
    }
};

ScreenBoxes g_boxes;

// Scrolls the view by lines, within the console's lines.
void Scroll(int lines) {
    int& top = g_screen.view.top;
    top += lines;
    int last = g_native.edit.LineCount() - 1;
    if (top > last) top = last;
    if (top < 0) top = 0;
}

// The view a page up or down, the caret a page of lines with it.
void Page(int direction, bool extend) {
    int lines = TextRows() - 1 > 1 ? TextRows() - 1 : 1;
    for (int i = 0; i < lines; ++i)
        PlayKey(direction < 0 ? kVkUp : kVkDown, extend ? kModShift : 0);
    Scroll(direction * lines);
}

// Ctrl+C: the input line under the caret loses its text; elsewhere the
// caret goes to the end, where the prompt is.
void Interrupt() {
    char line[kLineSize];
    if (ReadCaretLine(line).input)
        RunMenuCommand(ID_CLEAR_INPUT);
    else
        PlayKey(kVkEnd, kModCtrl);
}

// The console line and byte column of the character under a mouse cell.
void CellToText(const TermKey& key, int* line, int* column) {
    MemoryEdit& edit = g_native.edit;
    *line = g_screen.view.top + key.y;
    if (*line >= edit.LineCount()) *line = edit.LineCount() - 1;
    int start = edit.LineIndex(*line);
    std::vector<Glyph> glyphs;
    LayoutLine(edit.Text() + start, edit.LineLength(start), &glyphs);
    *column = OffsetOfColumn(glyphs, g_screen.view.left + key.x);
}

// A click: the caret to the character under it; a drag selects; a right click: the menu at
// the mouse; the wheel scrolls. Returns false when the view must not follow
// the caret.
bool Mouse(const TermKey& key) {
    if (key.button == kWheelUp || key.button == kWheelDown) {
        Scroll(key.button == kWheelUp ? -kWheelLines : kWheelLines);
        return false;
    }
    if (key.release) g_screen.dragAnchor = -1;
    if (key.release || key.y >= TextRows() || key.y < 0) return false;
    if (key.button == kButtonRight && !key.motion) {
        g_screen.clicked = true;
        g_screen.mouseRow = key.y;
        g_screen.mouseColumn = key.x;
        ConsoleRightClick();
        return true;
    }
    if (key.button != kButtonLeft) return false;
    int line, column;
    CellToText(key, &line, &column);
    MemoryEdit& edit = g_native.edit;
    if (key.motion) { // a drag selects from where the button went down
        if (g_screen.dragAnchor < 0) return false;
        edit.SetSel(g_screen.dragAnchor, edit.LineIndex(line) + column);
        return true;
    }
    KeyAction action = MakeAction(kActionGoto);
    action.line = line;
    action.column = column;
    PlayAction(action);
    g_screen.dragAnchor = edit.Caret();
    return false;
}

// A character typed with Ctrl or Alt: an accelerator, Ctrl+C, or nothing.
// Ctrl+0 and Ctrl+9 come also as Alt+0 and Alt+9, which a terminal sends,
// and the no-conversion key's "()" as Alt+P.
void ModifiedCharacter(const TermKey& key) {
    unsigned c = key.codepoint >= 'a' && key.codepoint <= 'z' ? key.codepoint - 32 : key.codepoint;
    int modifiers = key.modifiers & (kModCtrl | kModAlt);
    if (modifiers == kModCtrl && c == 'C') return Interrupt();
    if (modifiers == kModCtrl && c == 'R') return SearchRecall();
    if (modifiers == kModAlt && c == 'P') return PlayKey(kVkNonConvert, 0);
    if (modifiers == kModAlt && (c == '0' || c == '9')) modifiers = kModCtrl;
    for (const Accelerator& a : kAccelerators)
        if (a.key == (int)c && a.modifiers == modifiers) RunMenuCommand(a.id);
}

// A character without a code page 932 form is not typed: it beeps, and the
// line it was typed on is refused at Enter. True when c is one.
bool Refused(unsigned c) {
    if (c < 0x80 || CodepointToCp932(c) != "?") return false;
    g_screen.refused = true;
    g_native.desktop.Beep();
    return true;
}

// A character typed, unless it is refused.
void TypedCharacter(const TermKey& key) {
    if (Refused(key.codepoint)) return;
    KeyAction action = MakeAction(kActionChar);
    action.codepoint = key.codepoint;
    PlayAction(action);
}

// Enter: the input line is remembered for Alt+Up and Ctrl+R, then submitted;
// a line with a refused character is not run.
void EnterKey() {
    char line[kLineSize];
    bool input = ReadCaretLine(line).input;
    if (g_screen.refused) {
        g_screen.refused = false;
        if (input) return RefuseLine();
    }
    MemoryEdit& edit = g_native.edit;
    if (input && edit.LineLength(edit.Caret()) < kLineSize) RememberLine(line + 2);
    PlayKey(kVkReturn, 0);
}

// A key while Ctrl+R searches; false when the search ended and the key goes
// on as usual (Enter then runs the line found).
bool SearchKey(const TermKey& key) {
    int modifiers = key.modifiers & (kModCtrl | kModAlt);
    if (key.code == kTkChar && modifiers == kModCtrl &&
        (key.codepoint == 'r' || key.codepoint == 'g')) {
        if (key.codepoint == 'r')
            SearchRecall();
        else
            EndSearch(false);
        return true;
    }
    if (key.code == kTkChar && modifiers == 0 && key.codepoint >= 0x20) {
        std::string cp932 = CodepointToCp932(key.codepoint);
        SearchType(cp932.c_str());
        return true;
    }
    if (key.code == kTkBackspace) {
        SearchType(nullptr);
        return true;
    }
    if (key.code == kTkEscape) {
        EndSearch(false);
        return true;
    }
    if (key.code == kTkMouse && (key.button == kWheelUp || key.button == kWheelDown)) return false;
    EndSearch(true);
    return false;
}

// A bracketed paste, up to its end: each line typed by the core as a paste
// (tabs and control characters are text) and entered as Enter enters a typed
// line; the last line without a line end stays typed.
void Paste() {
    std::string run; // the line's text not yet typed, code page 932
    bool afterCr = false;
    TermKey key;
    while (NextKey(&key) && key.code != kTkPasteEnd) {
        if (key.code != kTkChar) continue;
        unsigned c = key.codepoint;
        bool lf = c == '\n';
        if (lf && afterCr) { // CR LF is one line end
            afterCr = false;
            continue;
        }
        afterCr = c == '\r';
        if (c == '\r' || lf) {
            ConsolePaste(run.data(), (int)run.size());
            run.clear();
            EnterKey();
            if (g_native.desktop.Quitting()) return;
        } else if (!Refused(c)) {
            run += CodepointToCp932(c);
        }
    }
    ConsolePaste(run.data(), (int)run.size());
}

// Routes one terminal key to the console's key handler, the accelerators,
// the menu or the help; false when the view must not follow the caret.
// Alt+Up, Alt+Down and Ctrl+R, which the Windows program leaves free,
// recall earlier input lines.
bool RouteKey(const TermKey& key) {
    if (g_recall.searching && SearchKey(key)) return true;
    if ((key.code == kTkUp || key.code == kTkDown) && key.modifiers == kModAlt) {
        BrowseRecall(key.code == kTkUp ? -1 : 1);
        return true;
    }
    if (key.code != kTkMouse) EndBrowsing();
    int shiftCtrl = key.modifiers & (kModShift | kModCtrl);
    switch (key.code) {
    case kTkChar:
        if (key.modifiers & (kModCtrl | kModAlt))
            ModifiedCharacter(key);
        else
            TypedCharacter(key);
        return true;
    case kTkEnter: EnterKey(); return true;
    case kTkTab: PlayKey(kVkTab, key.modifiers & kModShift); return true;
    case kTkBackspace: PlayKey(kVkBack, 0); return true;
    case kTkDelete: PlayKey(kVkDelete, 0); return true;
    case kTkUp: PlayKey(kVkUp, shiftCtrl); return true;
    case kTkDown: PlayKey(kVkDown, shiftCtrl); return true;
    case kTkLeft: PlayKey(kVkLeft, shiftCtrl); return true;
    case kTkRight: PlayKey(kVkRight, shiftCtrl); return true;
    case kTkHome: PlayKey(kVkHome, shiftCtrl); return true;
    case kTkEnd: PlayKey(kVkEnd, shiftCtrl); return true;
    case kTkPageUp: Page(-1, key.modifiers & kModShift); return true;
    case kTkPageDown: Page(1, key.modifiers & kModShift); return true;
    case kTkF1: RunMenuCommand(IDM_HELP); return true;
    case kTkF3: RunMenuCommand(ID_RETYPE_F3); return true;
    case kTkF10:
    case kTkMenu: ConsoleMenuKey(); return true;
    case kTkMouse: return Mouse(key);
    case kTkPasteStart: Paste(); return true;
    default: return false;
    }
}

// SIGTERM and SIGHUP end the console; SIGWINCH redraws it.
void OnStop(int signal) {
    g_stopSignal = signal;
}
// SIGWINCH: the next wait redraws at the new size.
void OnResize(int) {
    g_resized = 1;
}

// The handlers, without SA_RESTART so that a wait ends at once.
void InstallSignals() {
    struct sigaction action = {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = OnStop;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    action.sa_handler = OnResize;
    sigaction(SIGWINCH, &action, nullptr);
    signal(SIGINT, SIG_IGN);
    signal(SIGQUIT, SIG_IGN);
    signal(SIGTSTP, SIG_IGN);
}

// The last screenful of the console's lines (as they were when the program
// quit) on the normal screen, so that they stay in the scrollback.
void LeaveLastScreen() {
    std::string text = TranscriptToUtf8(CurrentText().data(), CurrentText().size());
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t lf; (lf = text.find('\n', at)) != std::string::npos; at = lf + 1)
        lines.push_back(text.substr(at, lf - at));
    lines.push_back(text.substr(at));
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    size_t first = lines.size() > (size_t)TextRows() ? lines.size() - (size_t)TextRows() : 0;
    while (first < lines.size() && lines[first].empty()) ++first;
    for (size_t i = first; i < lines.size(); ++i) printf("%s\n", lines[i].c_str());
    fflush(stdout);
}

} // namespace

// A UTF-8 locale.
bool ScreenCanStart(char* error, size_t errorSize) {
    setlocale(LC_ALL, "");
    const char* codeset = nl_langinfo(CODESET);
    if (strcmp(codeset, "UTF-8") != 0) {
        snprintf(error, errorSize,
                 "the full-screen console needs a UTF-8 locale (LANG=C.UTF-8, for example); "
                 "this one is %s. --transcript and a pipe work without one",
                 codeset);
        return false;
    }
    return true;
}

// A type that terminfo knows, with cursor addressing.
bool ScreenTerminal() {
    return TerminalAddressesCursor(getenv("TERM"));
}

// Key after key until the program quits, the terminal ends or a signal
// stops it; the terminal restored and the last screen left behind.
int RunScreen() {
    InstallSignals();
    LoadRecall(g_native.desktop.options.noHistory ? "" : HistoryFilePath());
    StartCurses();
    NativeDesktop& desktop = g_native.desktop;
    desktop.boxes = &g_boxes;
    desktop.bell = true;
    bool follow = true;
    while (!desktop.quitting && !g_stopSignal) {
        if (follow) FollowCaret(&g_screen.view, g_screen.columns, TextRows());
        g_screen.view.status = g_recall.searching ? SearchStatus() : "";
        // Pasted text arrives as many keys at once: one drawing after them.
        if (g_screen.keys.empty()) Draw();
        TermKey key;
        if (!NextKey(&key)) break;
        follow = RouteKey(key);
    }
    desktop.boxes = nullptr;
    StopCurses();
    LeaveLastScreen();
    // A stop signal ends the program as the signal would have: 128 + its number.
    return g_stopSignal ? 128 + g_stopSignal : 0;
}

// A UTF-8 character type for the widths; the boxes print as they open.
void BeginScreenSnapshots(int columns, int rows) {
    if (!setlocale(LC_CTYPE, "C.UTF-8")) setlocale(LC_CTYPE, "en_US.UTF-8");
    g_screen.columns = columns;
    g_screen.rows = rows;
    g_boxes.snapshot = true;
    g_native.desktop.boxes = &g_boxes;
}

// Each action, then the view after the caret.
void PlayScreenActions(const std::vector<KeyAction>& actions) {
    FollowCaret(&g_screen.view, g_screen.columns, TextRows());
    for (const KeyAction& action : actions) {
        if (g_native.desktop.quitting) return;
        PlayAction(action);
        FollowCaret(&g_screen.view, g_screen.columns, TextRows());
    }
}

// The screen now, as --screen prints it.
void PrintScreen() {
    Draw();
    PrintGrid();
}
