// What the full-screen console shows: the console's lines in a window of the
// terminal's size, a status bar, and a box over them. One renderer serves the
// terminal and --screen.
#pragma once

#include <string>
#include <vector>

enum CellAttr { kAttrNormal, kAttrSelected, kAttrStatus, kAttrBox, kAttrBoxChosen };

struct Cell {
    std::string text; // UTF-8 of the character, "" for the right half of a wide one
    int attr;         // CellAttr
};

struct ScreenGrid {
    int columns = 0, rows = 0;
    std::vector<Cell> cells;             // rows * columns
    int caretRow = -1, caretColumn = -1; // -1: the caret is out of sight

    // A blank grid of this size.
    void Reset(int columns, int rows);
    Cell& At(int row, int column) { return cells[(size_t)(row * columns + column)]; }
    const Cell& At(int row, int column) const { return cells[(size_t)(row * columns + column)]; }
    // Puts one cell; a wide character it cuts in half loses its other half.
    void Set(int row, int column, const Cell& cell);
    // Writes code page 932 text from a column on, cut at maxColumn; returns
    // the column behind it.
    int Put(int row, int column, const char* cp932, int attr, int maxColumn);
    // The rows as UTF-8 text, trailing blanks removed.
    std::string Text() const;
};

// The part of the console that shows: its first line and the first display
// column.
struct ScreenView {
    int top = 0;
    int left = 0;
    std::string status; // code page 932 text the status bar shows instead
};

// One character of a console line as it shows.
struct Glyph {
    int offset;       // its first byte in the line
    int bytes;        // 1 or 2
    int column;       // its display column from the line's start
    int width;        // display columns: 1 or 2 (a tab: up to 8)
    bool tab;         // a tab: blanks to the next tab stop
    std::string utf8; // what is drawn
};

// The characters of a code page 932 line with their display columns; the
// width of each is measured on its UTF-8 form.
void LayoutLine(const char* bytes, int size, std::vector<Glyph>* glyphs);
// Display width of code page 932 text.
int TextWidth(const char* cp932);
// The display column of a byte offset in a line, and the byte offset of the
// character that a display column falls on (the end when it lies beyond).
int ColumnOfOffset(const std::vector<Glyph>& glyphs, int offset);
int OffsetOfColumn(const std::vector<Glyph>& glyphs, int column);

// Moves the view so that the console's caret shows in the text rows.
void FollowCaret(ScreenView* view, int columns, int textRows);
// After a resize: the last line at the bottom when the text reaches that far,
// no sideways offset when the caret's line fits, and the caret in view.
void RefitView(ScreenView* view, int columns, int textRows);
// Draws the console's lines and the status bar into grid.
void RenderConsole(const ScreenView& view, ScreenGrid* grid);