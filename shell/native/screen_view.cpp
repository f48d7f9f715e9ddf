#include "shell/native/screen_view.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <unordered_map>

#include "session/settings.h"
#include "text/text.h"
#include "shell/native/codepage.h"
#include "shell/native/player.h"

namespace {

enum { kTabStop = 8 };

// The UTF-8 form of one code page 932 character, remembered once converted.
const std::string& CharacterUtf8(const char* p, int bytes) {
    static std::unordered_map<unsigned, std::string> known;
    unsigned code =
        bytes == 2 ? ((unsigned char)p[0] << 8 | (unsigned char)p[1]) : (unsigned char)p[0];
    auto found = known.find(code);
    if (found != known.end()) return found->second;
    std::string utf8 = Cp932ToUtf8(p, (size_t)bytes);
    return known.emplace(code, utf8).first->second;
}

// Display width of one UTF-8 character; what cannot show is one "?".
int Utf8Width(const std::string& utf8, bool* printable) {
    wchar_t wc = 0;
    mbstate_t state = {};
    size_t n = mbrtowc(&wc, utf8.data(), utf8.size(), &state);
    int width = (n == (size_t)-1 || n == (size_t)-2 || n == 0) ? -1 : wcwidth(wc);
    *printable = width > 0;
    return width > 0 ? width : 1;
}

// One character into its cells: a wide one fills its right half with "",
// a tab blanks every cell it reaches over.
void PutGlyph(ScreenGrid* grid, int row, int column, const Glyph& g, int attr) {
    for (int k = 0; k < g.width; ++k)
        grid->Set(row, column + k, Cell{k == 0 || g.tab ? " " : "", attr});
    grid->At(row, column).text = g.utf8;
}

// The status bar's text (code page 932): angle mode, notation, decimals,
// the renderings that are on; at the right the keys of the menu and the help.
std::string StatusText(int columns) {
    static const char* const kNotations[] = {"dispf", "dispe", "disp3e"};
    int mode = g_settings.displayMode;
    if (mode < 0 || mode > 2) mode = 0;
    char left[128];
    snprintf(left, sizeof left, " %s  %s  prec %d%s%s",
             g_settings.angleMode == kRadians ? "rad" : "deg", kNotations[mode],
             g_settings.precision, g_settings.hexFlag ? "  hex" : "",
             g_settings.binFlag ? "  bin" : "");
    const char* right = "F10:ﾒﾆｭｰ  F1:ﾍﾙﾌﾟ ";
    int gap = columns - TextWidth(left) - TextWidth(right);
    std::string text = left;
    if (gap >= 1) text += std::string((size_t)gap, ' ') + right;
    return text;
}

} // namespace

// Every cell a blank.
void ScreenGrid::Reset(int c, int r) {
    columns = c;
    rows = r;
    cells.assign((size_t)(c * r), Cell{" ", kAttrNormal});
    caretRow = caretColumn = -1;
}

// The cell, and blanks for the halves of wide characters it overwrites.
void ScreenGrid::Set(int row, int column, const Cell& cell) {
    if (row < 0 || row >= rows || column < 0 || column >= columns) return;
    Cell& here = At(row, column);
    if (here.text.empty() && column > 0) At(row, column - 1).text = " ";
    if (!cell.text.empty() && column + 1 < columns && At(row, column + 1).text.empty())
        At(row, column + 1).text = " ";
    here = cell;
}

// Text laid out from a column; a wide character that does not fit is left out.
int ScreenGrid::Put(int row, int column, const char* cp932, int attr, int maxColumn) {
    if (row < 0 || row >= rows) return column;
    if (maxColumn > columns) maxColumn = columns;
    std::vector<Glyph> glyphs;
    LayoutLine(cp932, (int)strlen(cp932), &glyphs);
    int at = column;
    for (const Glyph& g : glyphs) {
        if (at + g.width > maxColumn) break;
        if (at >= 0) PutGlyph(this, row, at, g, attr);
        at += g.width;
    }
    return at;
}

// Each row's cells joined; blanks at a row's end dropped.
std::string ScreenGrid::Text() const {
    std::string out;
    for (int r = 0; r < rows; ++r) {
        std::string line;
        for (int c = 0; c < columns; ++c) line += cells[(size_t)(r * columns + c)].text;
        line.erase(line.find_last_not_of(' ') + 1); // npos + 1: all blanks
        out += line + '\n';
    }
    return out;
}

// Characters with their columns: a tab reaches the next tab stop, a control
// character shows as "?".
void LayoutLine(const char* bytes, int size, std::vector<Glyph>* glyphs) {
    glyphs->clear();
    int column = 0;
    for (int i = 0; i < size;) {
        int n = (i + 1 < size) ? CharLength(bytes + i) : 1;
        Glyph g;
        g.offset = i;
        g.bytes = n;
        g.column = column;
        g.tab = bytes[i] == '\t';
        if (g.tab) {
            g.width = kTabStop - column % kTabStop;
            g.utf8 = " ";
        } else {
            bool printable = false;
            g.utf8 = CharacterUtf8(bytes + i, n);
            g.width = Utf8Width(g.utf8, &printable);
            if (!printable) g.utf8 = "?";
        }
        column += g.width;
        glyphs->push_back(g);
        i += n;
    }
}

// The width of the whole text.
int TextWidth(const char* cp932) {
    std::vector<Glyph> glyphs;
    LayoutLine(cp932, (int)strlen(cp932), &glyphs);
    return glyphs.empty() ? 0 : glyphs.back().column + glyphs.back().width;
}

// The column where the character at offset begins, or the line's width.
int ColumnOfOffset(const std::vector<Glyph>& glyphs, int offset) {
    for (const Glyph& g : glyphs)
        if (g.offset + g.bytes > offset) return g.column;
    return glyphs.empty() ? 0 : glyphs.back().column + glyphs.back().width;
}

// The character under a column, or the line's end.
int OffsetOfColumn(const std::vector<Glyph>& glyphs, int column) {
    for (const Glyph& g : glyphs)
        if (column < g.column + g.width) return g.offset;
    return glyphs.empty() ? 0 : glyphs.back().offset + glyphs.back().bytes;
}

// The caret's line and column into the view: the least scrolling down and
// up; sideways the caret lands a quarter in from the edge it crossed.
void FollowCaret(ScreenView* view, int columns, int textRows) {
    MemoryEdit& edit = g_native.edit;
    int caret = edit.Caret();
    int line = edit.LineFromChar(caret);
    if (line < view->top) view->top = line;
    if (line >= view->top + textRows) view->top = line - textRows + 1;
    int start = edit.LineIndex(line);
    std::vector<Glyph> glyphs;
    LayoutLine(edit.Text() + start, edit.LineLength(start), &glyphs);
    int column = ColumnOfOffset(glyphs, caret - start);
    if (column < view->left) view->left = column < columns ? 0 : column - columns / 4;
    if (column >= view->left + columns) view->left = column - columns * 3 / 4;
}

// No empty rows below the last line while lines lie above the top.
void RefitView(ScreenView* view, int columns, int textRows) {
    MemoryEdit& edit = g_native.edit;
    int lowestTop = edit.LineCount() - textRows;
    if (view->top > lowestTop) view->top = lowestTop > 0 ? lowestTop : 0;
    int start = edit.LineIndex(edit.LineFromChar(edit.Caret()));
    std::vector<Glyph> glyphs;
    LayoutLine(edit.Text() + start, edit.LineLength(start), &glyphs);
    int width = glyphs.empty() ? 0 : glyphs.back().column + glyphs.back().width;
    if (width < columns) view->left = 0;
    FollowCaret(view, columns, textRows);
}

// The text rows from the view's top line, the selection marked, and the
// status bar at the bottom.
void RenderConsole(const ScreenView& view, ScreenGrid* grid) {
    MemoryEdit& edit = g_native.edit;
    int textRows = grid->rows - 1;
    int selStart = 0, selEnd = 0;
    edit.GetSel(&selStart, &selEnd);
    int caret = edit.Caret();
    int lines = edit.LineCount();
    std::vector<Glyph> glyphs;
    for (int r = 0; r < textRows; ++r) {
        int line = view.top + r;
        if (line >= lines) break;
        int start = edit.LineIndex(line);
        int length = edit.LineLength(start);
        LayoutLine(edit.Text() + start, length, &glyphs);
        for (const Glyph& g : glyphs) {
            int x = g.column - view.left;
            if (x < 0 || x + g.width > grid->columns) continue;
            int pos = start + g.offset;
            int attr = pos >= selStart && pos < selEnd ? kAttrSelected : kAttrNormal;
            PutGlyph(grid, r, x, g, attr);
        }
        if (caret >= start && caret <= start + length) {
            int x = ColumnOfOffset(glyphs, caret - start) - view.left;
            if (x >= 0 && x < grid->columns) {
                grid->caretRow = r;
                grid->caretColumn = x;
            }
        }
    }
    std::string status = view.status.empty() ? StatusText(grid->columns) : view.status;
    for (int c = 0; c < grid->columns; ++c) grid->At(textRows, c) = Cell{" ", kAttrStatus};
    grid->Put(textRows, 0, status.c_str(), kAttrStatus, grid->columns);
}
