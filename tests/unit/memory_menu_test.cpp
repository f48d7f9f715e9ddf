// The in-memory popup menu: the fixed items, insertion and deletion by
// position, texts by position and by id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/model/memory_menu.h"

namespace {

// The menu's items as "id:text" (separators as "-"), top to bottom.
std::string Layout(MemoryMenu& menu) {
    std::string out;
    char text[MemoryMenu::kTextSize];
    for (int i = 0; i < menu.Count(); ++i) {
        if (!out.empty()) out += "|";
        if (menu.IsSeparatorAt(i)) {
            out += "-";
            continue;
        }
        menu.TextAt(i, text, sizeof text);
        out += std::to_string(menu.IdAt(i)) + ":" + text;
    }
    return out;
}

TEST(MemoryMenu, StartsWithTheFiveFixedItems) {
    MemoryMenu menu;
    EXPECT_EQ(menu.Count(), 5);
    EXPECT_EQ(Layout(menu), "2112:画面ｸﾘｱ|2114:設定...|2113:ﾍﾙﾌﾟ|-|2111:常駐終了");
    EXPECT_EQ(menu.IdAt(3), 0);
    EXPECT_EQ(menu.IdAt(5), -1);
    EXPECT_EQ(menu.IdAt(-1), -1);
}

TEST(MemoryMenu, HistoryLandsAboveTheFixedItems) {
    MemoryMenu menu;
    menu.InsertSeparator(0);
    menu.InsertString(0, 3000, "1+2");
    menu.InsertString(0, 3001, "x = 5 ' five");
    EXPECT_EQ(Layout(menu),
              "3001:x = 5 ' five|3000:1+2|-|2112:画面ｸﾘｱ|2114:設定...|2113:ﾍﾙﾌﾟ|-|2111:常駐終了");
    char text[16];
    EXPECT_EQ(menu.TextOf(3000, text, sizeof text), 3);
    EXPECT_STREQ(text, "1+2");
    menu.DeleteAt(1);
    EXPECT_EQ(menu.TextOf(3000, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(menu.Count(), 7);
}

TEST(MemoryMenu, OutOfRangeAndBoundedTexts) {
    MemoryMenu menu;
    char text[8] = "XXXXXXX";
    EXPECT_EQ(menu.TextAt(9, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(menu.TextAt(3, text, sizeof text), 0); // a separator has no text
    EXPECT_EQ(menu.TextAt(4, text, 5), 4);           // cut to size - 1
    EXPECT_EQ(std::string(text), std::string("常駐"));
    menu.DeleteAt(7);
    menu.DeleteAt(-1);
    EXPECT_EQ(menu.Count(), 5);
    menu.InsertString(99, 7, "end"); // past the end appends
    EXPECT_EQ(menu.IdAt(5), 7);
}

TEST(MemoryMenu, LongTextsAndAFullMenu) {
    MemoryMenu menu;
    std::string longText(700, 'a');
    menu.InsertString(0, 3000, longText.c_str());
    char text[MemoryMenu::kTextSize + 10];
    EXPECT_EQ(menu.TextAt(0, text, sizeof text), 511);
    for (int i = menu.Count(); i < MemoryMenu::kMaxItems + 5; ++i) menu.InsertString(0, i, "x");
    EXPECT_EQ(menu.Count(), MemoryMenu::kMaxItems);
    EXPECT_EQ(menu.IdAt(menu.Count() - 1), 2111); // the fixed items were kept
}

} // namespace

namespace {

// Many insertions and deletions at every position, against a plain list.
TEST(MemoryMenu, SlotsStayRightThroughManyInsertsAndDeletes) {
    MemoryMenu menu;
    std::vector<std::string> model;
    for (int i = 0; i < menu.Count(); ++i) {
        char text[MemoryMenu::kTextSize];
        menu.TextAt(i, text, sizeof text);
        model.push_back(menu.IsSeparatorAt(i) ? "-" : std::to_string(menu.IdAt(i)) + ":" + text);
    }
    unsigned state = 3;
    for (int step = 0; step < 3000; ++step) {
        state = state * 1103515245u + 12345u;
        unsigned r = (state >> 16) & 0x7FFF;
        int pos = (int)(r % (model.size() + 2)) - 1; // -1 and past the end append
        if (r % 3 != 0 && model.size() < MemoryMenu::kMaxItems) {
            std::string text = "entry " + std::to_string(step);
            menu.InsertString(pos, 3000 + step % 10, text.c_str());
            size_t at = (pos < 0 || pos > (int)model.size()) ? model.size() : (size_t)pos;
            model.insert(model.begin() + (long)at, std::to_string(3000 + step % 10) + ":" + text);
        } else if (r % 3 != 0) {
            menu.InsertString(pos, 1, "refused"); // full: nothing happens
        } else if (r % 7 == 0 && model.size() < MemoryMenu::kMaxItems) {
            menu.InsertSeparator(pos);
            size_t at = (pos < 0 || pos > (int)model.size()) ? model.size() : (size_t)pos;
            model.insert(model.begin() + (long)at, "-");
        } else {
            menu.DeleteAt(pos);
            if (pos >= 0 && pos < (int)model.size()) model.erase(model.begin() + pos);
        }
        std::string expected;
        for (const std::string& item : model) expected += (expected.empty() ? "" : "|") + item;
        ASSERT_EQ(Layout(menu), expected) << "step " << step;
    }
}

} // namespace
