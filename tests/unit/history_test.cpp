// The history over the popup menu: recording, ids, listing, recall, choice.
#include <set>
#include <string>

#include "session/commands.h"
#include "session/console.h"
#include "session/history.h"
#include "session/keys.h"
#include "core_fixture.h"

namespace {

class HistoryTest : public CoreTest {
  protected:
    // The menu's item texts from the top, separators as "-".
    std::string MenuItems() {
        std::string all;
        for (int pos = 0; pos < menu.Count(); ++pos) {
            char text[512] = "";
            if (menu.IsSeparatorAt(pos))
                snprintf(text, sizeof text, "-");
            else
                menu.TextAt(pos, text, sizeof text);
            all += (pos ? "|" : "") + std::string(text);
        }
        return all;
    }
    // Records statements s1 .. sN (each an assignment).
    void RecordMany(int n) {
        for (int i = 1; i <= n; ++i) Run("s" + std::to_string(i) + "=" + std::to_string(i));
    }
};

const char kFixedItems[] = "画面ｸﾘｱ|設定...|ﾍﾙﾌﾟ|-|常駐終了";

TEST_F(HistoryTest, FirstStatementAddsTheSeparatorOnce) {
    EXPECT_EQ(MenuItems(), kFixedItems);
    Run("hist");
    EXPECT_EQ(MenuItems(), std::string("-|") + kFixedItems);
    Run("1+");
    Run("hist");
    EXPECT_EQ(MenuItems(), std::string("1+|-|") + kFixedItems);
}

TEST_F(HistoryTest, EmptyAndCommentLinesAreNotStatements) {
    Run("");
    Run("   ");
    Run("' only a comment");
    EXPECT_EQ(MenuItems(), kFixedItems);
    EXPECT_EQ(g_history.count, 0);
}

TEST_F(HistoryTest, KeepsTheNewestTenWithUniqueIds) {
    RecordMany(12);
    EXPECT_EQ(g_history.count, 12);
    EXPECT_EQ(menu.Count(), 10 + 1 + 5);
    std::set<int> ids;
    for (int pos = 0; pos < 10; ++pos) ids.insert(menu.IdAt(pos));
    EXPECT_EQ(ids.size(), 10u);
    EXPECT_EQ(*ids.begin(), 3000);
    EXPECT_EQ(*ids.rbegin(), 3009);
    // The newest took the id of the one it pushed out: 3000 + 11 % 10.
    EXPECT_EQ(menu.IdAt(0), 3001);
    std::string expected;
    for (int i = 12, pos = 0; i >= 3; --i, ++pos) {
        char line[64];
        snprintf(line, sizeof line, " %02d: s%d=%d\r\n", pos, i, i);
        expected += line;
    }
    EXPECT_EQ(Run("hist"), expected);
}

TEST_F(HistoryTest, WhatIsNotRecorded) {
    const char* const kSkipped[] = {"!0",   "!",       "/x",      "//",     "hist",
                                    "HIST", "History", "history", "h i s t"};
    for (const char* statement : kSkipped) Run(statement);
    EXPECT_EQ(g_history.count, 0);
    EXPECT_EQ(MenuItems(), std::string("-|") + kFixedItems);
    // Only the whole statement is compared: hist5 is kept, and lists itself.
    EXPECT_EQ(Run("hist5"), " 00: hist5\r\n");
    EXPECT_EQ(g_history.count, 1);
}

TEST_F(HistoryTest, LongEntriesStayWithinTheItemSize) {
    std::string longLine = "1" + std::string(600, '+') + "1";
    Run(longLine);
    char text[600] = "";
    EXPECT_EQ(menu.TextAt(0, text, sizeof text), 511);
    EXPECT_EQ(std::string(text), longLine.substr(0, 511));
}

struct RecallCase {
    const char* statement;
    const char* output; // with entries s1=1 .. s3=3 present
};

const RecallCase kRecalls[] = {
    {"!0", "\r\nd>s3=3"},
    {"!2", "\r\nd>s1=1"},
    {"!2abc", "\r\nd>s1=1"},
    {"! 1", "\r\nd>s2=2"},
    {"!3", " Syntax Error\r\n"},
    {"!", " Syntax Error\r\n"},
    {"!x", " Syntax Error\r\n"},
    {"!-1", " Syntax Error\r\n"},
    {"!99999999999", " Syntax Error\r\n"},
};

TEST_F(HistoryTest, RecallByNumber) {
    RecordMany(3);
    for (const RecallCase& c : kRecalls) {
        g_history.state = kHistoryNone;
        bool recalled = c.output[0] == '\r';
        EXPECT_EQ(Run(c.statement), c.output) << c.statement;
        EXPECT_EQ(g_history.state, recalled ? kHistoryRecall : kHistoryNone) << c.statement;
    }
    EXPECT_EQ(g_history.count, 3);
}

TEST_F(HistoryTest, RecallNeverReachesTheSeparatorOrFixedItems) {
    RecordMany(15);
    EXPECT_EQ(Run("!10"), " Syntax Error\r\n");
    EXPECT_EQ(Run("!12"), " Syntax Error\r\n");
    EXPECT_EQ(Run("!9"), "\r\nd>s6=6");
}

TEST_F(HistoryTest, MenuChoiceAppendsTheEntryUnsubmitted) {
    Run("2*3 ' six");
    Run("7");
    ClearConsole();
    Append("\r\nd>1+");
    EXPECT_TRUE(RunMenuCommand(3000));
    EXPECT_EQ(Text(), "\r\nd>1+2*3 ' six");
    EXPECT_TRUE(RunMenuCommand(3001));
    EXPECT_EQ(Text(), "\r\nd>1+2*3 ' six7");
    // An id without an item appends nothing.
    EXPECT_TRUE(RunMenuCommand(3009));
    EXPECT_EQ(Text(), "\r\nd>1+2*3 ' six7");
    EXPECT_FALSE(RunMenuCommand(3010));
    EXPECT_EQ(g_history.count, 2);
}

TEST_F(HistoryTest, ClearingTheConsoleKeepsTheHistory) {
    Run("1");
    Run("cls");
    EXPECT_EQ(Run("hist"), " 00: cls\r\n 01: 1\r\n");
}

} // namespace
