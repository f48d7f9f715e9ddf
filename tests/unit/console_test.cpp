// Console operations and statement entry over the in-memory edit control.
#include <string.h>

#include <string>

#include "session/console.h"
#include "session/settings.h"
#include "core_fixture.h"

namespace {

class ConsoleTest : public CoreTest {
  protected:
    // Puts the caret on a line and column of the transcript.
    void CaretAt(int line, int column) {
        int p = edit.LineIndex(line) + column;
        edit.SetSel(p, p);
    }
};

TEST_F(ConsoleTest, PromptFollowsModes) {
    const struct {
        int angle, display;
        const char* prompt;
    } kCases[] = {
        {kDegrees, kFixed, "d>"}, {kDegrees, kExponent, "D>"}, {kDegrees, kEngineering, "D>"},
        {kRadians, kFixed, "r>"}, {kRadians, kExponent, "R>"}, {kRadians, kEngineering, "R>"},
    };
    for (const auto& c : kCases) {
        g_settings.angleMode = c.angle;
        g_settings.displayMode = c.display;
        EXPECT_STREQ(CurrentPrompt(), c.prompt);
    }
    edit.Reset();
    PrintPrompt();
    g_settings.crflag = 1;
    PrintPrompt();
    EXPECT_EQ(Text(), "\r\nR>R>");
}

TEST_F(ConsoleTest, SuppressionSilencesAppendButNotClear) {
    Append("abc");
    g_console.suppress = 1;
    Append("def");
    AppendFormat("%d", 5);
    PrintPrompt();
    EXPECT_EQ(Text(), "abc");
    ClearConsole();
    EXPECT_EQ(Text(), "");
}

TEST_F(ConsoleTest, ReadCaretLine) {
    Append("d>12+34\r\n 46\r\nR>\r\nx>1");
    char line[kLineSize];
    CaretAt(0, 4);
    EXPECT_EQ(ReadCaretLine(line).column, 4);
    EXPECT_STREQ(line, "d>12+34");
    CaretAt(1, 1);
    EXPECT_FALSE(ReadCaretLine(line).input);
    EXPECT_STREQ(line, " 46");
    CaretAt(2, 2);
    EXPECT_EQ(ReadCaretLine(line).column, 2);
    CaretAt(3, 0);
    EXPECT_FALSE(ReadCaretLine(line).input);
    // A selection counts from its start.
    edit.SetSel(edit.LineIndex(0) + 3, edit.LineIndex(2) + 1);
    EXPECT_EQ(ReadCaretLine(line).column, 3);
    EXPECT_STREQ(line, "d>12+34");
}

TEST_F(ConsoleTest, LongCaretLineIsReadAsItsFirst511Characters) {
    std::string longLine = "d>" + std::string(600, '7');
    Append(longLine.c_str());
    char line[kLineSize];
    memset(line, 'x', sizeof line);
    EXPECT_EQ(ReadCaretLine(line).column, 602);
    EXPECT_EQ(strlen(line), 511u);
}

TEST_F(ConsoleTest, EmptyStatementsChangeNothing) {
    Run("1+2");
    std::string before = Text();
    for (const char* s : {"", "   ", "\t", "' comment", "  ' more"}) {
        EXPECT_EQ(Run(s), "") << s;
    }
    EXPECT_EQ(Text(), before);
    EXPECT_STREQ(g_console.lastLine, "1+2");
    EXPECT_EQ(desktop.beeps, 0);
}

TEST_F(ConsoleTest, LastLineKeepsBlanksAndComment) {
    Run("x = 5 ' five");
    EXPECT_STREQ(g_console.lastLine, "x = 5 ' five");
    Run(std::string(700, '1'));
    EXPECT_EQ(strlen(g_console.lastLine), 511u);
}

TEST_F(ConsoleTest, EnterOnEarlierInputLineRunsItAtTheEnd) {
    PrintPrompt();
    Append("2+6");
    SubmitEnter();
    Append("10");
    CaretAt(1, 3); // in the middle of d>2+6
    SubmitEnter();
    EXPECT_EQ(Text(), "\r\nd>2+6\r\n 8\r\n\r\nd>10\r\n 8\r\n\r\nd>");
    CaretAt(2, 1); // an output line: only a line break and a prompt
    SubmitEnter();
    EXPECT_EQ(Text(), "\r\nd>2+6\r\n 8\r\n\r\nd>10\r\n 8\r\n\r\nd>\r\n\r\nd>");
}

TEST_F(ConsoleTest, TranscriptDropsItsOldestWholeLines) {
    PrintPrompt();
    for (int i = 0; i < 3000; ++i) {
        Append("1234567890");
        SubmitEnter();
        ASSERT_LE(edit.GetTextLength(), kTranscriptLimit);
    }
    std::string text = Text();
    // What is left starts at a line, and the session goes on.
    char line[kLineSize];
    edit.SetSel(0, 0);
    ReadCaretLine(line);
    EXPECT_TRUE(strcmp(line, "d>1234567890") == 0 || strcmp(line, " 1234567890") == 0 ||
                line[0] == 0)
        << line;
    EXPECT_EQ(text.substr(text.size() - 4), "\r\nd>");
}

// Whatever the transcript holds, a whole input line can be typed behind the
// prompt, and the oldest lines go in large steps, not at every line.
TEST_F(ConsoleTest, FullConsoleTakesAWholeTypedLine) {
    OpenConsole();
    PrintPrompt();
    int drops = 0;
    for (int i = 0; i < 4000; ++i) {
        int before = edit.GetTextLength();
        Append("1234567890");
        SubmitEnter();
        if (edit.GetTextLength() < before) ++drops;
        ASSERT_LE(edit.GetTextLength(), kTranscriptLimit);
        // At every fill level a 511-character line goes in whole.
        if (i % 97 == 0) {
            int start = edit.GetTextLength();
            for (int k = 0; k < 511; ++k) edit.TypeChar(k % 2 ? "+" : "1", 1);
            ASSERT_EQ(edit.GetTextLength(), start + 511);
            edit.SetSel(start, -1);
            edit.ReplaceSel("");
        }
    }
    EXPECT_GE(drops, 1);
    // Each round adds about 31 bytes.
    EXPECT_LE(drops, 4000 * 40 / (kTranscriptLimit - kTranscriptLowMark) + 1);
}

TEST_F(ConsoleTest, LongFormattedTextIsCutAtAWholeCharacter) {
    std::string kanji;
    for (int i = 0; i < 1500; ++i) kanji += "表";
    AppendFormat("%s", kanji.c_str());
    std::string text = Text();
    EXPECT_EQ(text.size(), (size_t)kFormatSize - 1 - ((kFormatSize - 1) % 2));
    EXPECT_EQ(text.substr(text.size() - 2), "表");
}

} // namespace
