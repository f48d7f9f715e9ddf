#include "shell/native/boxes.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include "session/settings_file.h"
#include "platform/key_script.h"
#include "text/text.h"
#include "shell/native/codepage.h"
#include "shell/native/native_paths.h"
#include "shell/native/player.h"

namespace {

const char kNextStart[] = " 次回起動時から有効  ";
const char kYesLabel[] = "[ はい(Y) ]";
const char kNoLabel[] = "[ いいえ(N) ]";

// The rows a box may use: all but the status bar.
int BoxRows(const ScreenGrid& grid) {
    return grid.rows - 1;
}

// Blanks a rectangle and draws its frame, the title in the top edge.
void DrawFrame(ScreenGrid* grid, int top, int left, int width, int height, const char* title) {
    for (int r = top; r < top + height && r < grid->rows; ++r) {
        for (int c = left; c < left + width && c < grid->columns; ++c) {
            if (r < 0 || c < 0) continue;
            bool edgeRow = r == top || r == top + height - 1;
            bool edgeColumn = c == left || c == left + width - 1;
            const char* s = edgeRow && edgeColumn ? "+" : edgeRow ? "-" : edgeColumn ? "|" : " ";
            grid->Set(r, c, Cell{s, kAttrBox});
        }
    }
    if (title && *title) {
        std::string framed = std::string("[ ") + title + " ]";
        int w = TextWidth(framed.c_str());
        int c = left + (width - w) / 2;
        if (c < left + 1) c = left + 1;
        grid->Put(top, c, framed.c_str(), kAttrBox, left + width - 1);
    }
}

// Where a box of this size sits centred in the rows it may use.
void Centre(const ScreenGrid& grid, int width, int height, int* top, int* left) {
    *top = (BoxRows(grid) - height) / 2;
    *left = (grid.columns - width) / 2;
    if (*top < 0) *top = 0;
    if (*left < 0) *left = 0;
}

// Splits code page 932 text at its line ends.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty() || lines.empty()) lines.push_back(line);
    return lines;
}

// A mouse press of the left button.
bool LeftPress(const TermKey& key) {
    return key.code == kTkMouse && !key.release && !key.motion && key.button == kButtonLeft;
}

// Cuts a code page 932 text to a display width, never inside a character.
std::string CutToWidth(const std::string& text, int width) {
    std::vector<Glyph> glyphs;
    LayoutLine(text.data(), (int)text.size(), &glyphs);
    for (const Glyph& g : glyphs)
        if (g.column + g.width > width) return text.substr(0, (size_t)g.offset);
    return text;
}

// Removes the last whole character of a code page 932 text.
void DropLastCharacter(std::string* text) {
    text->resize(LastCharStart(text->c_str(), text->size()));
}

// The help document as the build wrote it for the terminal, beside the
// executable or where it is installed, as code page 932 lines.
std::vector<std::string> HelpLines() {
    std::vector<std::string> candidates;
    std::string folder = ExecutableFolder();
    if (!folder.empty()) {
        candidates.push_back(folder + "/tolvane-help.txt");
        candidates.push_back(folder + "/../share/tolvane/help.txt");
    }
    std::vector<std::string> lines;
    for (const std::string& path : candidates) {
        FILE* f = fopen(path.c_str(), "rb");
        if (!f) continue;
        char buffer[4096];
        while (fgets(buffer, sizeof buffer, f)) {
            std::string utf8(buffer);
            while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r')) utf8.pop_back();
            lines.push_back(Utf8ToCp932(utf8.data(), utf8.size()));
        }
        fclose(f);
        return lines;
    }
    lines.push_back(" ﾍﾙﾌﾟ文書が見あたりません");
    return lines;
}

} // namespace

// The highlight on the first item that is no separator.
MenuBox::MenuBox(int r, int c) : row(r), column(c), current(0) {
    Move(0);
}

// Item texts in a frame, the highlighted one marked; kept inside the rows.
void MenuBox::Draw(ScreenGrid* grid) {
    MemoryMenu& menu = g_native.menu;
    int count = menu.Count();
    width = 8;
    char text[MemoryMenu::kTextSize];
    for (int i = 0; i < count; ++i) {
        if (menu.IsSeparatorAt(i)) continue;
        menu.TextAt(i, text, sizeof text);
        int w = TextWidth(text) + 4;
        if (w > width) width = w;
    }
    if (width > grid->columns) width = grid->columns;
    height = count + 2;
    top = row;
    left = column;
    if (top + height > BoxRows(*grid)) top = BoxRows(*grid) - height;
    if (left + width > grid->columns) left = grid->columns - width;
    if (top < 0) top = 0;
    if (left < 0) left = 0;
    DrawFrame(grid, top, left, width, height, nullptr);
    for (int i = 0; i < count; ++i) {
        int r = top + 1 + i;
        if (r >= BoxRows(*grid)) break;
        if (menu.IsSeparatorAt(i)) {
            for (int c = left + 1; c < left + width - 1; ++c) grid->Set(r, c, Cell{"-", kAttrBox});
            continue;
        }
        menu.TextAt(i, text, sizeof text);
        int attr = i == current ? kAttrBoxChosen : kAttrBox;
        for (int c = left + 1; c < left + width - 1; ++c) grid->Set(r, c, Cell{" ", attr});
        grid->Put(r, left + 2, text, attr, left + width - 2);
    }
}

// Up and Down walk the items, Enter or a click chooses, Escape or a click
// elsewhere closes.
bool MenuBox::Handle(const TermKey& key) {
    MemoryMenu& menu = g_native.menu;
    switch (key.code) {
    case kTkUp: Move(-1); return false;
    case kTkDown: Move(1); return false;
    case kTkHome:
        current = 0;
        Move(0);
        return false;
    case kTkEnd:
        current = menu.Count() - 1;
        Move(0);
        return false;
    case kTkEnter: chosen = menu.IdAt(current); return true;
    case kTkEscape: return true;
    case kTkMouse: {
        if (key.release || key.motion) return false;
        if (key.button != kButtonLeft && key.button != kButtonRight) return false;
        int item = key.y - top - 1;
        bool inside = key.x > left && key.x < left + width - 1 && item >= 0 && item < menu.Count();
        if (!inside) return true;
        if (menu.IsSeparatorAt(item)) return false;
        chosen = menu.IdAt(item);
        return true;
    }
    default: return false;
    }
}

// From the current item on in the step's direction to one that is no
// separator (step 0: the current one or the next).
void MenuBox::Move(int step) {
    MemoryMenu& menu = g_native.menu;
    int count = menu.Count();
    if (count == 0) return;
    int i = current + step;
    int direction = step < 0 ? -1 : 1;
    for (int tries = 0; tries < count; ++tries, i += direction) {
        i = (i % count + count) % count;
        if (!menu.IsSeparatorAt(i)) {
            current = i;
            return;
        }
    }
}

// The texts as the core asks; Yes has the focus.
QuestionBox::QuestionBox(const char* t, const char* c) : text(t ? t : ""), caption(c ? c : "") {}

// The question's lines, then the two buttons, the focused one marked.
void QuestionBox::Draw(ScreenGrid* grid) {
    std::vector<std::string> lines = SplitLines(text);
    int buttons = TextWidth(kYesLabel) + 2 + TextWidth(kNoLabel);
    int width = buttons + 4;
    for (const std::string& l : lines)
        if (TextWidth(l.c_str()) + 4 > width) width = TextWidth(l.c_str()) + 4;
    if (TextWidth(caption.c_str()) + 8 > width) width = TextWidth(caption.c_str()) + 8;
    if (width > grid->columns) width = grid->columns;
    int height = (int)lines.size() + 4;
    int top, left;
    Centre(*grid, width, height, &top, &left);
    DrawFrame(grid, top, left, width, height, caption.c_str());
    for (size_t i = 0; i < lines.size(); ++i)
        grid->Put(top + 1 + (int)i, left + 2, lines[i].c_str(), kAttrBox, left + width - 2);
    buttonRow = top + height - 2;
    yesColumn = left + (width - buttons) / 2;
    noColumn = yesColumn + TextWidth(kYesLabel) + 2;
    grid->Put(buttonRow, yesColumn, kYesLabel, yes ? kAttrBoxChosen : kAttrBox, left + width - 1);
    grid->Put(buttonRow, noColumn, kNoLabel, yes ? kAttrBox : kAttrBoxChosen, left + width - 1);
}

// Y and N answer, Left, Right and Tab move the focus, Enter takes the
// focused button, Escape answers No.
bool QuestionBox::Handle(const TermKey& key) {
    switch (key.code) {
    case kTkLeft:
    case kTkRight:
    case kTkTab: yes = !yes; return false;
    case kTkEnter: return true;
    case kTkEscape: yes = false; return true;
    case kTkChar: {
        bool y = key.codepoint == 'y' || key.codepoint == 'Y';
        if (!y && key.codepoint != 'n' && key.codepoint != 'N') return false;
        yes = y;
        return true;
    }
    case kTkMouse: {
        if (!LeftPress(key) || key.y != buttonRow) return false;
        bool onYes = key.x >= yesColumn && key.x < noColumn - 2;
        if (!onYes && (key.x < noColumn || key.x >= noColumn + TextWidth(kNoLabel))) return false;
        yes = onYes;
        return true;
    }
    default: return false;
    }
}

// An empty field.
FileNameBox::FileNameBox(bool s, const char* t) : title(t ? t : ""), save(s) {}

// The current folder, the name field with its caret, and the keys.
void FileNameBox::Draw(ScreenGrid* grid) {
    int width = grid->columns - 4 < 60 ? grid->columns - 4 : 60;
    if (width < 20) width = grid->columns;
    int height = 6;
    int top, left;
    Centre(*grid, width, height, &top, &left);
    DrawFrame(grid, top, left, width, height, title.c_str());
    char folder[PATH_MAX];
    if (!getcwd(folder, sizeof folder)) snprintf(folder, sizeof folder, "%s", ".");
    const char* shown = folder;
    if (folderName && strrchr(folder, '/') && strrchr(folder, '/')[1])
        shown = strrchr(folder, '/') + 1;
    std::string where = "ﾌｫﾙﾀﾞ: " + Utf8ToCp932(shown, strlen(shown));
    grid->Put(top + 1, left + 2, where.c_str(), kAttrBox, left + width - 2);
    const char* label = "ﾌｧｲﾙ名: ";
    int field = grid->Put(top + 2, left + 2, label, kAttrBox, left + width - 2);
    int room = left + width - 2 - field - 1;
    std::string typed = name;
    while (TextWidth(typed.c_str()) > room && !typed.empty())
        typed.erase(0, (size_t)CharLength(typed.c_str()));
    for (int c = field; c < left + width - 2; ++c) grid->Set(top + 2, c, Cell{" ", kAttrBoxChosen});
    int end = grid->Put(top + 2, field, typed.c_str(), kAttrBoxChosen, left + width - 2);
    grid->caretRow = top + 2;
    grid->caretColumn = end;
    grid->Put(top + 4, left + 2, "Enter:OK  Esc:ｷｬﾝｾﾙ", kAttrBox, left + width - 2);
}

// Typing and Backspace edit the name, Enter takes it, Escape cancels.
bool FileNameBox::Handle(const TermKey& key) {
    switch (key.code) {
    case kTkChar:
        if (key.modifiers & (kModCtrl | kModAlt)) {
            if ((key.modifiers & kModCtrl) && key.codepoint == 'u') name.clear();
            return false;
        }
        if (name.size() < 250) name += CodepointToCp932(key.codepoint);
        return false;
    case kTkBackspace: DropLastCharacter(&name); return false;
    case kTkEnter: accepted = !name.empty(); return accepted;
    case kTkEscape: return true;
    default: return false;
    }
}

// The immediate switches as they are in use, the others as the file has them.
SetupBox::SetupBox() {
    for (int i = 0; i < kSwitches; ++i) values[i] = SetupSwitchShown(kSetupCheckBoxes[i].key);
}

// The two next-start switches under their heading, the others, the buttons.
void SetupBox::Draw(ScreenGrid* grid) {
    int width = 46;
    if (width > grid->columns) width = grid->columns;
    int height = kSwitches + 6;
    Centre(*grid, width, height, &top, &left);
    DrawFrame(grid, top, left, width, height, "Tolvane の設定");
    grid->Put(top + 1, left + 2, kNextStart, kAttrBox, left + width - 1);
    for (int i = 0; i < kSwitches; ++i) {
        int r = top + 2 + i + (i >= 2 ? 1 : 0);
        std::string line = std::string(values[i] ? "[x] " : "[ ] ") + kSetupCheckBoxes[i].label;
        grid->Put(r, left + 3, line.c_str(), i == focus ? kAttrBoxChosen : kAttrBox,
                  left + width - 1);
    }
    int r = top + height - 2;
    int ok = left + width / 2 - 12;
    grid->Put(r, ok, "[ OK ]", focus == kOk ? kAttrBoxChosen : kAttrBox, left + width - 1);
    grid->Put(r, ok + 10, "[ ｷｬﾝｾﾙ ]", focus == kCancel ? kAttrBoxChosen : kAttrBox,
              left + width - 1);
}

// Up, Down and Tab move, Space or a click switches, Enter is OK (Cancel
// when it has the focus), Escape is Cancel.
bool SetupBox::Handle(const TermKey& key) {
    const int items = kSwitches + 2;
    switch (key.code) {
    case kTkUp: focus = (focus + items - 1) % items; return false;
    case kTkDown: focus = (focus + 1) % items; return false;
    case kTkTab:
        focus = (focus + ((key.modifiers & kModShift) ? items - 1 : 1)) % items;
        return false;
    case kTkChar:
        if (key.codepoint != ' ' || key.modifiers) return false;
        if (focus < kSwitches) {
            values[focus] = !values[focus];
            return false;
        }
        accepted = focus == kOk;
        return true;
    case kTkEnter: accepted = focus != kCancel; return true;
    case kTkEscape: return true;
    case kTkMouse: {
        if (!LeftPress(key)) return false;
        for (int i = 0; i < kSwitches; ++i) {
            int r = top + 2 + i + (i >= 2 ? 1 : 0);
            if (key.y == r) {
                focus = i;
                values[i] = !values[i];
                return false;
            }
        }
        int ok = left + 46 / 2 - 12; // where OK stands in a box of its full width
        if (key.y != top + kSwitches + 4) return false;
        accepted = key.x >= ok && key.x < ok + 6;
        return accepted || (key.x >= ok + 10 && key.x < ok + 20);
    }
    default: return false;
    }
}

// Each switch in the order the settings store them: the four immediate ones
// into the session and the file, then the three that the next start reads.
void SetupBox::Store() const {
    for (SettingKey key : kSetupSwitches)
        for (int i = 0; i < kSwitches; ++i)
            if (kSetupCheckBoxes[i].key == key) StoreSetupSwitch(key, values[i] != 0);
}

// The document read once as it opens.
HelpBox::HelpBox() : lines(HelpLines()) {}

// The document's lines wrapped to the box, from the first shown line on.
void HelpBox::Draw(ScreenGrid* grid) {
    int width = grid->columns;
    int height = BoxRows(*grid);
    DrawFrame(grid, 0, 0, width, height, "ﾍﾙﾌﾟ  ↑↓ PgUp PgDn  Esc:閉じる");
    int inner = width - 4;
    std::vector<std::string> wrapped;
    for (const std::string& line : lines) {
        std::string rest = line;
        do {
            std::string part = CutToWidth(rest, inner);
            if (part.empty() && !rest.empty())
                part = rest.substr(0, (size_t)CharLength(rest.c_str()));
            wrapped.push_back(part);
            rest.erase(0, part.size());
        } while (!rest.empty());
    }
    page = height - 2 > 1 ? height - 2 : 1;
    int last = (int)wrapped.size() - page;
    if (first > last) first = last;
    if (first < 0) first = 0;
    for (int r = 0; r < page && first + r < (int)wrapped.size(); ++r)
        grid->Put(1 + r, 2, wrapped[(size_t)(first + r)].c_str(), kAttrBox, width - 2);
}

// Lines, pages, the ends, the wheel; Escape, Enter, q or F1 close.
bool HelpBox::Handle(const TermKey& key) {
    switch (key.code) {
    case kTkUp: --first; return false;
    case kTkDown: ++first; return false;
    case kTkPageUp: first -= page; return false;
    case kTkPageDown:
    case kTkChar:
        if (key.code == kTkChar && key.codepoint == 'q') return true;
        if (key.code == kTkChar && key.codepoint != ' ') return false;
        first += page;
        return false;
    case kTkHome: first = 0; return false;
    case kTkEnd: first = INT_MAX / 2; return false;
    case kTkMouse:
        if (key.button == kWheelUp) first -= 3;
        if (key.button == kWheelDown) first += 3;
        return false;
    case kTkEscape:
    case kTkEnter:
    case kTkF1: return true;
    default: return false;
    }
}
