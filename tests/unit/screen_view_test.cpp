// Columns of the full-screen console: widths measured on the UTF-8 form.
#include <gtest/gtest.h>

#include <locale.h>
#include <string.h>

#include "shell/native/screen_view.h"

namespace {

struct Utf8Locale {
    Utf8Locale() { setlocale(LC_CTYPE, "C.UTF-8"); }
};

TEST(ScreenView, ColumnsOfWideAndHalfWidthCharacters) {
    Utf8Locale locale;
    // Literals are code page 932 in this build.
    const char* line = "d>ｶﾅ漢字\tx";
    std::vector<Glyph> glyphs;
    LayoutLine(line, (int)strlen(line), &glyphs);
    ASSERT_EQ(glyphs.size(), 8u);
    const int columns[] = {0, 1, 2, 3, 4, 6, 8, 16}; // half-width 1, kanji 2, tab to 16
    for (size_t i = 0; i < glyphs.size(); ++i) EXPECT_EQ(glyphs[i].column, columns[i]) << i;
    EXPECT_EQ(TextWidth(line), 17);
    // A column on the right half of a kanji is that kanji's offset.
    EXPECT_EQ(OffsetOfColumn(glyphs, 5), 4);
    EXPECT_EQ(OffsetOfColumn(glyphs, 99), (int)strlen(line));
    EXPECT_EQ(ColumnOfOffset(glyphs, 6), 6);
}

TEST(ScreenView, PutCutsNoWideCharacterInHalf) {
    Utf8Locale locale;
    ScreenGrid grid;
    grid.Reset(6, 2);
    EXPECT_EQ(grid.Put(0, 0, "漢字漢", kAttrNormal, 5), 4); // the third does not fit
    grid.Set(0, 1, Cell{"|", kAttrBox});                    // over the first's right half
    EXPECT_EQ(grid.Text(), u8" |字\n\n");
}

} // namespace
