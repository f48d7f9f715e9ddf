// The in-memory edit control: positions, lines, selection, user editing.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "platform/model/memory_edit.h"

namespace {

// A control holding text with the caret at pos.
void Load(MemoryEdit* edit, const char* text, int pos) {
    edit->Reset();
    edit->ReplaceSel(text);
    edit->SetSel(pos, pos);
}

// "ab", "cd", "", "xyz": positions 0-3, 4-7, 8-9, 10-13.
const char kFourLines[] = "ab\r\ncd\r\n\r\nxyz";

TEST(MemoryEditLines, LineFromChar) {
    const struct {
        int pos, line;
    } cases[] = {{0, 0}, {2, 0},  {3, 0},  {4, 1},   {7, 1},     {8, 2},
                 {9, 2}, {10, 3}, {13, 3}, {500, 3}, {0xFFFE, 3}};
    MemoryEdit edit;
    Load(&edit, kFourLines, 0);
    for (const auto& c : cases) EXPECT_EQ(edit.LineFromChar(c.pos), c.line) << "pos " << c.pos;
}

TEST(MemoryEditLines, LineIndexAndLength) {
    const struct {
        int line, index;
    } lines[] = {{0, 0}, {1, 4}, {2, 8}, {3, 10}, {4, -1}, {-2, -1}};
    const struct {
        int pos, length;
    } lengths[] = {{0, 2}, {3, 2}, {4, 2}, {8, 0}, {9, 0}, {10, 3}, {13, 3}, {14, 0}};
    MemoryEdit edit;
    Load(&edit, kFourLines, 0);
    EXPECT_EQ(edit.LineCount(), 4);
    for (const auto& c : lines) EXPECT_EQ(edit.LineIndex(c.line), c.index) << "line " << c.line;
    for (const auto& c : lengths) EXPECT_EQ(edit.LineLength(c.pos), c.length) << "pos " << c.pos;
}

TEST(MemoryEditLines, MinusOneMeansTheCaretOrSelection) {
    MemoryEdit edit;
    Load(&edit, kFourLines, 5);
    EXPECT_EQ(edit.LineFromChar(-1), 1);
    EXPECT_EQ(edit.LineIndex(-1), 4);
    // A selection from line 1 into line 3: its start decides the line.
    edit.SetSel(5, 11);
    EXPECT_EQ(edit.LineFromChar(-1), 1);
    EXPECT_EQ(edit.LineIndex(-1), 10); // the caret is the moving end
    // Unselected characters on the touched lines: "c" and "yz".
    EXPECT_EQ(edit.LineLength(-1), 1 + 2);
}

TEST(MemoryEditLines, OnlyCrLfBreaksALine) {
    const char* texts[] = {"a\rb\nc", "\n\n\r", "a\n\rb", "\r"};
    MemoryEdit edit;
    for (const char* text : texts) {
        Load(&edit, text, 0);
        int length = (int)strlen(text);
        EXPECT_EQ(edit.LineCount(), 1) << text;
        EXPECT_EQ(edit.LineLength(0), length);
        EXPECT_EQ(edit.LineFromChar(length), 0);
    }
}

TEST(MemoryEditSelection, SetSelConventions) {
    const struct {
        int start, end, wantStart, wantEnd;
    } cases[] = {
        {0, -1, 0, 13},           // select all
        {0xFFFE, 0xFFFF, 13, 13}, // the end of text
        {5, 2, 2, 5},             // reported in order
        {3, 3, 3, 3},             // a caret
        {20, 4, 4, 13},           // past the end is the end
        {-5, 0, 0, 13},           // negative positions are huge
    };
    MemoryEdit edit;
    for (const auto& c : cases) {
        Load(&edit, kFourLines, 0);
        edit.SetSel(c.start, c.end);
        int s = -7, e = -7;
        edit.GetSel(&s, &e);
        EXPECT_EQ(s, c.wantStart) << c.start << "," << c.end;
        EXPECT_EQ(e, c.wantEnd) << c.start << "," << c.end;
    }
    // A start of -1 only drops the selection and keeps the caret.
    edit.SetSel(2, 6);
    edit.SetSel(-1, 0);
    int s, e;
    edit.GetSel(&s, &e);
    EXPECT_EQ(s, 6);
    EXPECT_EQ(e, 6);
}

TEST(MemoryEditSelection, ReplaceSelAndClear) {
    MemoryEdit edit;
    Load(&edit, "d>1+2", 0);
    edit.SetSel(0xFFFE, 0xFFFF);
    edit.ReplaceSel("\r\n 3");
    EXPECT_STREQ(edit.Text(), "d>1+2\r\n 3");
    EXPECT_EQ(edit.Caret(), 9);
    edit.SetSel(4, 2);
    edit.ReplaceSel("()");
    EXPECT_STREQ(edit.Text(), "d>()2\r\n 3");
    EXPECT_EQ(edit.Caret(), 4);
    edit.SetSel(0, -1);
    edit.Clear();
    EXPECT_STREQ(edit.Text(), "");
    EXPECT_EQ(edit.GetTextLength(), 0);
    EXPECT_EQ(edit.Caret(), 0);
}

TEST(MemoryEditSelection, GetLineWritesNoTerminator) {
    MemoryEdit edit;
    Load(&edit, kFourLines, 0);
    char buffer[8];
    memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(edit.GetLine(3, buffer, 8), 3);
    EXPECT_EQ(std::string(buffer, 8), "xyzXXXXX");
    memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(edit.GetLine(3, buffer, 2), 2); // at most max bytes
    EXPECT_EQ(std::string(buffer, 8), "xyXXXXXX");
    EXPECT_EQ(edit.GetLine(2, buffer, 8), 0);  // an empty line
    EXPECT_EQ(edit.GetLine(4, buffer, 8), 0);  // no such line
    EXPECT_EQ(edit.GetLine(-1, buffer, 8), 2); // -1: the caret line, "ab"
    EXPECT_EQ(edit.GetLine(-2, buffer, 8), 0);
}

TEST(MemoryEditSelection, GetTextBounded) {
    MemoryEdit edit;
    Load(&edit, "12345", 0);
    char buffer[4] = {'X', 'X', 'X', 'X'};
    EXPECT_EQ(edit.GetText(buffer, 4), 3);
    EXPECT_STREQ(buffer, "123");
    EXPECT_EQ(edit.GetText(buffer, 0), 0);
    EXPECT_EQ(buffer[0], '1');
}

TEST(MemoryEditSelection, KeepsWithinItsLimit) {
    MemoryEdit edit;
    std::string big(MemoryEdit::kCapacity - 3, 'a');
    edit.ReplaceSel(big.c_str());
    EXPECT_EQ(edit.GetTextLength(), MemoryEdit::kCapacity - 3);
    edit.ReplaceSel("bcd"); // cut to what fits, as the real control does
    EXPECT_EQ(edit.GetTextLength(), MemoryEdit::kCapacity - 1);
    EXPECT_EQ(std::string(edit.Text()).substr(MemoryEdit::kCapacity - 3), "bc");
    edit.TypeChar("c", 1);
    EXPECT_EQ(edit.GetTextLength(), MemoryEdit::kCapacity - 1);
    // Replacing a selection frees its room first.
    edit.SetSel(0, 2);
    edit.ReplaceSel("xy");
    EXPECT_EQ(edit.GetTextLength(), MemoryEdit::kCapacity - 1);

    // A set limit: typing stops at it, replacing text is cut at a whole character.
    MemoryEdit small;
    small.SetLimitText(6);
    small.ReplaceSel("d>");
    for (const char* c : {"1", "2", "3", "4", "5"}) small.TypeChar(c, 1);
    EXPECT_STREQ(small.Text(), "d>1234");
    small.SetSel(2, 6);
    small.ReplaceSel("\x95\x5c\x95\x5c\x95\x5c"); // 表表表: two fit
    EXPECT_STREQ(small.Text(), "d>\x95\x5c\x95\x5c");
    small.SetSel(6, 6);
    small.TypeChar("\x95\x5c", 2);
    EXPECT_EQ(small.GetTextLength(), 6);
}

enum Key { L, R, U, D, H, E, CH, CE, BS, DEL };

// Presses keys, without Shift.
void Press(MemoryEdit* edit, std::initializer_list<Key> keys) {
    for (Key k : keys) {
        switch (k) {
        case L: edit->Left(); break;
        case R: edit->Right(); break;
        case U: edit->Up(); break;
        case D: edit->Down(); break;
        case H: edit->Home(); break;
        case E: edit->End(); break;
        case CH: edit->CtrlHome(); break;
        case CE: edit->CtrlEnd(); break;
        case BS: edit->Backspace(); break;
        case DEL: edit->Delete(); break;
        }
    }
}

TEST(MemoryEditKeys, CaretMoves) {
    // "表" is two bytes (0x95 0x5C), "ｸ" one (0xB8).
    const struct {
        const char* text;
        int start;
        std::initializer_list<Key> keys;
        int caret;
    } cases[] = {
        {"ab\r\ncd", 2, {R}, 4},               // over CR LF as one
        {"ab\r\ncd", 4, {L}, 2},               // back over CR LF
        {"ab\r\ncd", 0, {L}, 0},               // nothing before the start
        {"ab\r\ncd", 6, {R}, 6},               // nothing after the end
        {"a表b", 1, {R}, 3},                   // over a double-byte character
        {"a表b", 3, {L}, 1},                   // back over it
        {"表表", 4, {L, L}, 0},                // trail byte 0x5C is no character of its own
        {"ｸｸ", 2, {L}, 1},                     // half-width katakana are single bytes
        {"a\r\nb", 1, {R}, 3},                 // a lone byte before CR LF
        {"abcd\r\nxy", 4, {D}, 8},             // column 4 clamped to 2
        {"abcd\r\nxy\r\nabcd", 3, {D, D}, 12}, // no remembered column
        {"xy\r\nabcd", 7, {U}, 2},             // up, clamped
        {"ab\r\ncd", 1, {U}, 1},               // first line: stays
        {"ab\r\ncd", 5, {D}, 5},               // last line: stays
        {"表x\r\nabcd", 5, {U}, 0},            // column 1 is inside 表: its start
        {"ab\r\ncdef", 6, {H}, 4},             // Home: the line's start
        {"ab\r\ncdef\r\n", 4, {E}, 8},         // End: before the CR LF
        {"ab\r\ncd", 5, {CH}, 0},              // Ctrl+Home
        {"ab\r\ncd", 0, {CE}, 6},              // Ctrl+End
    };
    MemoryEdit edit;
    for (const auto& c : cases) {
        Load(&edit, c.text, c.start);
        Press(&edit, c.keys);
        EXPECT_EQ(edit.Caret(), c.caret) << c.text << " from " << c.start;
        int s, e;
        edit.GetSel(&s, &e);
        EXPECT_EQ(s, e) << "a move without Shift leaves no selection";
    }
}

TEST(MemoryEditKeys, Deleting) {
    const struct {
        const char* text;
        int start;
        std::initializer_list<Key> keys;
        const char* after;
        int caret;
    } cases[] = {
        {"ab\r\ncd", 4, {BS}, "abcd", 2},  // a whole CR LF
        {"ab\r\ncd", 2, {DEL}, "abcd", 2}, // the same forwards
        {"a表b", 3, {BS}, "ab", 1},        // a whole double-byte character
        {"a表b", 1, {DEL}, "ab", 1},       {"ab", 0, {BS}, "ab", 0}, // nothing before the start
        {"ab", 2, {DEL}, "ab", 2},                                   // nothing after the end
        {"a\rb", 2, {BS}, "ab", 1},                                  // a lone CR is one character
    };
    MemoryEdit edit;
    for (const auto& c : cases) {
        Load(&edit, c.text, c.start);
        Press(&edit, c.keys);
        EXPECT_STREQ(edit.Text(), c.after) << c.text;
        EXPECT_EQ(edit.Caret(), c.caret) << c.text;
    }
    // With a selection both keys delete just the selection.
    Load(&edit, "abcdef", 0);
    edit.SetSel(1, 3);
    edit.Backspace();
    EXPECT_STREQ(edit.Text(), "adef");
    edit.SetSel(3, 1);
    edit.Delete();
    EXPECT_STREQ(edit.Text(), "af");
}

TEST(MemoryEditKeys, Typing) {
    MemoryEdit edit;
    Load(&edit, "d>1", 3);
    edit.TypeChar("+", 1);
    edit.TypeChar("表", 2);
    edit.TypeChar("\t", 1);
    edit.TypeChar("\x01", 1); // control characters type nothing
    edit.TypeChar("\x7F", 1);
    EXPECT_STREQ(edit.Text(), "d>1+表\t");
    edit.SetSel(2, 4);
    edit.TypeChar("x", 1); // over the selection
    EXPECT_STREQ(edit.Text(), "d>x表\t");
    EXPECT_EQ(edit.Caret(), 3);
}

TEST(MemoryEditKeys, ShiftExtendsAndGotoClamps) {
    MemoryEdit edit;
    Load(&edit, "ab\r\ncdef", 7);
    edit.Home(true);
    int s, e;
    edit.GetSel(&s, &e);
    EXPECT_EQ(s, 4);
    EXPECT_EQ(e, 7);
    const struct {
        int line, column, caret;
    } gotos[] = {{0, 1, 1}, {1, 2, 6}, {1, 99, 8}, {9, 0, 4}, {-3, -3, 0}, {0, 2, 2}};
    for (const auto& g : gotos) {
        edit.Goto(g.line, g.column);
        EXPECT_EQ(edit.Caret(), g.caret) << g.line << "," << g.column;
        edit.GetSel(&s, &e);
        EXPECT_EQ(s, e);
    }
}

} // namespace
