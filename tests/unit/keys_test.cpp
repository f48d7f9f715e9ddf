// The console's keyboard aids and the accelerator and popup menu commands.
#include <string>

#include "session/commands.h"
#include "session/console.h"
#include "session/history.h"
#include "session/keys.h"
#include "session/settings.h"
#include "core_fixture.h"

namespace {

class KeysTest : public CoreTest {
  protected:
    // The transcript " 1\r\n" + a prompt line, caret at a column of it.
    void InputLine(const char* line, int column) {
        Append(" 1\r\n");
        Append(line);
        edit.Goto(1, column);
    }
    int Column() {
        int start = 0, end = 0;
        edit.GetSel(&start, &end);
        return start - edit.LineIndex(-1);
    }
    bool HasSelection() {
        int start = 0, end = 0;
        edit.GetSel(&start, &end);
        return start != end;
    }
};

// An operator jump: a line, the caret column, the key, the column after.
struct JumpCase {
    const char* line;
    int column;
    int key; // accelerator id, or 9 / -9 for Tab / Shift+Tab
    int after;
    int beeps;
};

const int kTab = 9, kShiftTab = -9, kNext = 113, kPrevious = 114;

const JumpCase kJumps[] = {
    {"d>12+34", 7, kPrevious, 4, 0}, // before the "+"
    {"d>12+34", 4, kPrevious, 2, 0}, // then behind the prompt
    {"d>12+34", 2, kPrevious, 2, 1}, // at column 2 it beeps
    {"d>12+34", 1, kPrevious, 1, 1}, // inside the prompt too
    {"d>12+34", 2, kNext, 5, 0},     // after the "+"
    {"d>12+34", 5, kNext, 7, 0},     // then the end of the line
    {"d>12+34", 7, kNext, 7, 0},     // at the end it stays
    {"d>12+34", 7, kShiftTab, 4, 0},
    {"d>12+34", 2, kTab, 5, 0},
    {"r>(1*2)-3/4^5", 2, kNext, 3, 0}, // "(" stops at once
    {"r>(1*2)-3/4^5", 3, kNext, 5, 0},
    {"r>(1*2)-3/4^5", 5, kNext, 7, 0},
    {"r>(1*2)-3/4^5", 7, kNext, 8, 0},
    {"r>(1*2)-3/4^5", 9, kNext, 10, 0},
    {"r>(1*2)-3/4^5", 11, kNext, 13, 0}, // "^" is no stop
    {"r>(1*2)-3/4^5", 13, kPrevious, 9, 0},
    {"r>(1*2)-3/4^5", 4, kPrevious, 2, 0}, // column 2 is never examined
    {"D>-5", 4, kPrevious, 2, 0},
    {"R>a&b|c~d=e,f", 2, kNext, 13, 0},
    {"R>a&b|c~d=e,f", 13, kPrevious, 2, 0},
};

TEST_F(KeysTest, OperatorJumps) {
    for (const JumpCase& c : kJumps) {
        ResetCore();
        edit.Reset();
        desktop.beeps = 0;
        InputLine(c.line, c.column);
        if (c.key == kTab || c.key == kShiftTab)
            EXPECT_TRUE(ConsoleChar(kVkTab, c.key == kShiftTab, 1));
        else
            EXPECT_TRUE(RunMenuCommand(c.key));
        EXPECT_EQ(Column(), c.after) << c.line << " at " << c.column << " key " << c.key;
        EXPECT_EQ(desktop.beeps, c.beeps) << c.line << " at " << c.column << " key " << c.key;
        EXPECT_EQ(Text(), std::string(" 1\r\n") + c.line);
    }
}

TEST_F(KeysTest, JumpsOnlyOnInputLines) {
    Append(" 1+2\r\nd>3");
    edit.Goto(0, 2);
    EXPECT_FALSE(ConsoleChar(kVkTab, false, 1)); // the control types its tab
    EXPECT_FALSE(ConsoleChar(kVkTab, true, 1));
    EXPECT_TRUE(RunMenuCommand(kNext));
    EXPECT_TRUE(RunMenuCommand(kPrevious));
    EXPECT_EQ(Column(), 2);
    EXPECT_EQ(desktop.beeps, 0);
}

TEST_F(KeysTest, JumpsStayInsideAVeryLongLine) {
    std::string line = "d>" + std::string(700, '1') + "+1";
    Append(line.c_str());
    edit.Goto(0, 702);
    EXPECT_TRUE(RunMenuCommand(kPrevious));
    EXPECT_EQ(Column(), 2);
    edit.Goto(0, 600);
    EXPECT_TRUE(RunMenuCommand(kNext));
    EXPECT_EQ(Column(), 600);
}

TEST_F(KeysTest, HomeStopsBehindThePrompt) {
    InputLine("d>1+2", 4);
    EXPECT_TRUE(ConsoleKeyDown(kVkHome, false, false));
    EXPECT_EQ(Column(), 2);
    // With Shift the selection is dropped, not extended.
    edit.SetSel(edit.LineIndex(-1) + 3, edit.LineIndex(-1) + 5);
    EXPECT_TRUE(ConsoleKeyDown(kVkHome, true, false));
    EXPECT_EQ(Column(), 2);
    EXPECT_FALSE(HasSelection());
    EXPECT_FALSE(ConsoleKeyDown(kVkHome, false, true)); // Ctrl+Home: the control's own
    edit.Goto(0, 1);
    EXPECT_FALSE(ConsoleKeyDown(kVkHome, false, false)); // an output line
    EXPECT_FALSE(ConsoleKeyDown(kVkEnd, false, false));
}

TEST_F(KeysTest, NoConvertInsertsParenthesesAtTheCaret) {
    InputLine("d>sin30", 5);
    EXPECT_TRUE(ConsoleKeyDown(kVkNonConvert, false, false));
    EXPECT_EQ(Text(), " 1\r\nd>sin()30");
    EXPECT_EQ(Column(), 6);
    edit.Goto(0, 1);
    EXPECT_FALSE(ConsoleKeyDown(kVkNonConvert, false, false));
}

TEST_F(KeysTest, BackspaceGuard) {
    InputLine("d>12", 2);
    EXPECT_TRUE(ConsoleChar(kVkBack, false, 1));
    EXPECT_EQ(desktop.beeps, 1);
    edit.Goto(1, 1);
    EXPECT_TRUE(ConsoleChar(kVkBack, false, 1));
    EXPECT_EQ(desktop.beeps, 2);
    // A selection that starts behind the prompt.
    edit.SetSel(edit.LineIndex(-1) + 2, edit.LineIndex(-1) + 4);
    EXPECT_TRUE(ConsoleChar(kVkBack, false, 1));
    EXPECT_EQ(desktop.beeps, 3);
    edit.Goto(1, 3);
    EXPECT_FALSE(ConsoleChar(kVkBack, false, 1));
    edit.Goto(1, 2);
    EXPECT_FALSE(ConsoleChar(kVkBack, false, 0)); // not a key press
    edit.Goto(0, 1);
    EXPECT_FALSE(ConsoleChar(kVkBack, false, 1)); // an output line
    EXPECT_EQ(desktop.beeps, 3);
    EXPECT_EQ(Text(), " 1\r\nd>12");
}

TEST_F(KeysTest, RightClickAndMenuKeyOpenThePopupMenu) {
    ConsoleRightClick();
    ConsoleMenuKey();
    std::vector<std::string> expected = {"popup-menu", "popup-menu-at-caret"};
    EXPECT_EQ(desktop.log, expected);
}

// A paste: the console's last line with the caret at a column of it (-1: on
// the output line above), the text, and the transcript afterwards.
struct PasteCase {
    const char* line;
    int column;
    std::string text;
    const char* after;
};

const PasteCase kPastes[] = {
    // Each line end presses Enter; the last line stays typed.
    {"d>", 2, "1+1\n2+2\r\n3+3\r4+4",
     " 1\r\nd>1+1\r\n 2\r\n\r\nd>2+2\r\n 4\r\n\r\nd>3+3\r\n 6\r\n\r\nd>4+4"},
    // Typed at the caret, over what follows it.
    {"d>12", 3, "+5\n", " 1\r\nd>1+52\r\n 53\r\n\r\nd>"},
    // A tab and a control character are text, not keys (Tab would jump,
    // Backspace beep).
    {"d>", 2, "1\t+\b2", " 1\r\nd>1\t+\b2"},
    // Onto an output line: behind the prompt at the end.
    {"d>7", -1, "*6\n", " 1\r\nd>7*6\r\n 42\r\n\r\nd>"},
    // A NUL ends the text; an empty paste types nothing.
    {"d>", 2, std::string("8\0\n9", 4), " 1\r\nd>8"},
    {"d>", 2, "", " 1\r\nd>"},
    // A double-byte character stays whole across the typing's pieces.
    {"d>", 2, std::string(510, '1') + "\x95\x5c", nullptr},
};

TEST_F(KeysTest, PasteTypesItsLines) {
    for (const PasteCase& c : kPastes) {
        ClearConsole();
        InputLine(c.line, c.column < 0 ? 0 : c.column);
        if (c.column < 0) edit.Goto(0, 1);
        ConsolePaste(c.text.data(), (int)c.text.size());
        std::string expected = c.after ? c.after : " 1\r\nd>" + c.text;
        EXPECT_EQ(Text(), expected) << c.text;
        EXPECT_EQ(desktop.beeps, 0) << c.text;
    }
}

TEST_F(KeysTest, PasteEndsWhenAStatementQuits) {
    Append("d>");
    std::string text = "1+1\nexit\n2+2\n";
    ConsolePaste(text.data(), (int)text.size());
    EXPECT_EQ(desktop.log.back(), "quit");
    EXPECT_EQ(Text().find("2+2"), std::string::npos);
}

struct TypingCase {
    int id;
    const char* line; // the last line, caret at column 3
    const char* text; // the transcript afterwards
    int column;       // the caret column afterwards
    int beeps;
};

const TypingCase kTyping[] = {
    {106, "d>1+2", " 1\r\nd>1+2sin()", 9, 0}, {107, "d>1+2", " 1\r\nd>1+2cos()", 9, 0},
    {108, "d>1+2", " 1\r\nd>1+2tan()", 9, 0}, {109, "d>1+2", " 1\r\nd>1+2sqrt()", 10, 0},
    {110, "d>1+2", " 1\r\nd>1+2ln()", 8, 0},  {115, "d>1+2", " 1\r\nd>1()+2", 4, 0},
    {116, "d>1+2", " 1\r\nd>1+20x", 7, 0},    {117, "d>1+2", " 1\r\nd>1+20b", 7, 0},
    {105, "d>1+2", " 1\r\nd>", 2, 0},         {105, " 1+2", " 1\r\n 1+2", 3, 1},
    {106, " 1+2", " 1\r\n 1+2", 3, 0},        {115, " 1+2", " 1\r\n 1+2", 3, 0},
    {116, " 1+2", " 1\r\n 1+20x", 6, 0},
};

TEST_F(KeysTest, AcceleratorsThatType) {
    for (const TypingCase& c : kTyping) {
        ResetCore();
        edit.Reset();
        desktop.beeps = 0;
        InputLine(c.line, 3);
        EXPECT_TRUE(RunMenuCommand(c.id)) << c.id;
        EXPECT_EQ(Text(), c.text) << c.id << " on " << c.line;
        EXPECT_EQ(Column(), c.column) << c.id << " on " << c.line;
        EXPECT_EQ(desktop.beeps, c.beeps) << c.id << " on " << c.line;
    }
}

TEST_F(KeysTest, ParenthesesReplaceTheSelection) {
    InputLine("d>1+2", 3);
    edit.SetSel(edit.LineIndex(-1) + 2, edit.LineIndex(-1) + 5);
    EXPECT_TRUE(RunMenuCommand(115));
    EXPECT_EQ(Text(), " 1\r\nd>()");
    EXPECT_EQ(Column(), 3);
}

TEST_F(KeysTest, ClearInputLineOfALongLine) {
    std::string line = "d>" + std::string(800, '7');
    InputLine(line.c_str(), 700);
    EXPECT_TRUE(RunMenuCommand(105));
    EXPECT_EQ(Text(), " 1\r\nd>");
}

TEST_F(KeysTest, AnsAndTheLastLine) {
    EXPECT_TRUE(RunMenuCommand(104)); // nothing entered yet: nothing visible
    EXPECT_EQ(Text(), "");
    Run("x = 1/8  ' eighth");
    ClearConsole();
    Append("d>");
    EXPECT_TRUE(RunMenuCommand(103));
    EXPECT_EQ(Text(), "d>0.125");
    EXPECT_TRUE(RunMenuCommand(104));
    EXPECT_EQ(Text(), "d>0.125x = 1/8  ' eighth");
    EXPECT_TRUE(RunMenuCommand(112));
    EXPECT_EQ(Text(), "d>0.125x = 1/8  ' eighthx = 1/8  ' eighth");
    // Below the zero threshold ans types as 0, and never with renderings.
    ClearConsole();
    g_console.ans = 1e-13;
    g_settings.hexFlag = 1;
    RunMenuCommand(103);
    EXPECT_EQ(Text(), "0");
    g_console.ans = 255;
    RunMenuCommand(103);
    EXPECT_EQ(Text(), "0255");
}

TEST_F(KeysTest, PopupMenuItems) {
    Append("d>1\r\n 1\r\n");
    EXPECT_TRUE(RunMenuCommand(2112));
    EXPECT_EQ(Text(), "\r\nd>");
    g_settings.crflag = 1;
    g_settings.angleMode = kRadians;
    EXPECT_TRUE(RunMenuCommand(2112));
    EXPECT_EQ(Text(), "r>");
    g_settings.ontopflag = 1;
    EXPECT_TRUE(RunMenuCommand(2114));
    EXPECT_TRUE(RunMenuCommand(2113));
    EXPECT_TRUE(RunMenuCommand(2111));
    // Clearing asks for a window hidden in the tray to come up.
    std::vector<std::string> expected = {"show-hidden", "show-hidden", "setup-dialog",
                                         "topmost on",  "open-help",   "quit"};
    EXPECT_EQ(desktop.log, expected);
}

TEST_F(KeysTest, OtherIdsAreNotOurs) {
    Append("d>5");
    const int kOthers[] = {0, 100, 102, 111, 118, 2110, 2115, 2999, 3010, 65535};
    for (int id : kOthers) EXPECT_FALSE(RunMenuCommand(id)) << id;
    EXPECT_EQ(Text(), "d>5");
    EXPECT_TRUE(desktop.log.empty());
    EXPECT_EQ(desktop.beeps, 0);
}

} // namespace
