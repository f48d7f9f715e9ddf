// The in-memory popup menu: the fixed items, insertion and deletion by
// position, texts by position and by id.
#include <gtest/gtest.h>

#include <string>

#include "platform/memory_menu.h"

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
