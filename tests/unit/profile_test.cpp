// The native settings file layer.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "shell/native/profile.h"

namespace {

class ProfileTest : public ::testing::Test {
  protected:
    std::string file;

    void SetUp() override {
        char name[] = "/tmp/profile_test.XXXXXX";
        int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        close(fd);
        file = name;
        remove(name);
    }
    void TearDown() override { remove(file.c_str()); }

    void WriteFile(const std::string& text) {
        FILE* f = fopen(file.c_str(), "wb");
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
    std::string ReadFile() {
        std::string text;
        FILE* f = fopen(file.c_str(), "rb");
        if (!f) return "(none)";
        int c;
        while ((c = fgetc(f)) != EOF) text += (char)c;
        fclose(f);
        return text;
    }
    int Int(const char* section, const char* key, int def = 77) {
        return GetProfileInt(file.c_str(), section, key, def);
    }
};

TEST_F(ProfileTest, ReadsIntegers) {
    WriteFile("[window]\r\nx=5\r\n[Setup]\r\ncrflag=1\r\nsize=-13\r\nweight = 700 \r\n"
              "byte2=12abc\r\nicon=abc\r\nhscroll=\r\nbig=4294967297\r\nplus=+4\r\n");
    const struct {
        const char* section;
        const char* key;
        int want;
    } cases[] = {
        {"Setup", "crflag", 1},   {"setup", "CRFLAG", 1},   // names ignore case
        {"Setup", "size", -13},                             // signed
        {"Setup", "weight", 700},                           // blanks around the value
        {"Setup", "byte2", 12},                             // the number at the start
        {"Setup", "icon", 0},                               // no number at all
        {"Setup", "hscroll", 77},                           // empty: the default
        {"Setup", "big", 1},                                // wraps to 32 bits
        {"Setup", "plus", 4},     {"Setup", "endflag", 77}, // missing key
        {"Other", "x", 77},                                 // missing section
        {"window", "crflag", 77},                           // the key is in another section
        {"window", "x", 5},
    };
    for (const auto& c : cases) EXPECT_EQ(Int(c.section, c.key), c.want) << c.key;
}

TEST_F(ProfileTest, MissingFileGivesDefaults) {
    EXPECT_EQ(Int("Setup", "size", -13), -13);
    char text[8];
    EXPECT_EQ(GetProfileText(file.c_str(), "Setup", "font", "", text, sizeof text), 0);
    EXPECT_STREQ(text, "");
}

TEST_F(ProfileTest, TextsAreBoundedAndUnquoted) {
    WriteFile("[Setup]\nfont=\"ＭＳ ゴシック\"\nlong=abcdefghijkl\n");
    char text[64];
    GetProfileText(file.c_str(), "Setup", "font", "", text, sizeof text);
    EXPECT_STREQ(text, "ＭＳ ゴシック"); // LF lines read too
    EXPECT_EQ(GetProfileText(file.c_str(), "Setup", "long", "", text, 5), 4);
    EXPECT_STREQ(text, "abcd");
}

TEST_F(ProfileTest, WritesCreateReplaceAndKeep) {
    EXPECT_TRUE(WriteProfileText(file.c_str(), "Setup", "crflag", "1"));
    EXPECT_EQ(ReadFile(), "[Setup]\r\ncrflag=1\r\n");
    EXPECT_TRUE(WriteProfileText(file.c_str(), "Setup", "byte2", "-3"));
    EXPECT_TRUE(WriteProfileText(file.c_str(), "window", "x", "10"));
    EXPECT_TRUE(WriteProfileText(file.c_str(), "SETUP", "CrFlag", "0")); // replaces
    EXPECT_EQ(ReadFile(), "[Setup]\r\ncrflag=0\r\nbyte2=-3\r\n[window]\r\nx=10\r\n");
    EXPECT_EQ(Int("Setup", "byte2"), -3);
    // Other lines, comments and unknown keys stay as they were.
    WriteFile("; settings\r\n[Setup]\r\nfoo=bar\r\n\r\n[window]\r\nw=320\r\n");
    EXPECT_TRUE(WriteProfileText(file.c_str(), "Setup", "icon", "1"));
    EXPECT_EQ(ReadFile(),
              "; settings\r\n[Setup]\r\nfoo=bar\r\nicon=1\r\n\r\n[window]\r\nw=320\r\n");
}

TEST_F(ProfileTest, UnwritableFileIsReported) {
    EXPECT_FALSE(WriteProfileText("/nonexistent-folder/x/tolvane.ini", "Setup", "crflag", "1"));
}

} // namespace
