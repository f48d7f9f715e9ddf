// The native front-end's edge: code page conversion, the command line and
// what the terminal prints after each line.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "shell/native/codepage.h"
#include "shell/native/native_paths.h"
#include "shell/native/options.h"
#include "shell/native/transcript.h"
#include "text/text.h"

namespace {

std::string ToUtf8(const std::string& cp932) {
    return Cp932ToUtf8(cp932.data(), cp932.size());
}
std::string ToCp932(const std::string& utf8) {
    return Utf8ToCp932(utf8.data(), utf8.size());
}

TEST(CodePage, RoundTrips) {
    // Literals without u8 are CP932 in this build; u8 ones are UTF-8.
    const struct {
        const char* cp932;
        const char* utf8;
    } cases[] = {
        {"表示", u8"表示"},       // trail byte 0x5C
        {"画面ｸﾘｱ", u8"画面ｸﾘｱ"}, // half-width katakana
        {" 角度単位:度(deg)", u8" 角度単位:度(deg)"},
        {"\\~", "\\~"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8(c.cp932), c.utf8);
        EXPECT_EQ(ToCp932(c.utf8), c.cp932);
    }
    EXPECT_EQ(std::string("表"), "\x95\x5C");
}

TEST(CodePage, BadInput) {
    EXPECT_EQ(ToUtf8("a\xFD"
                     "b"),
              u8"a\uFFFDb"); // no CP932 byte
    EXPECT_EQ(ToUtf8("\x81"
                     " z"),
              u8"\uFFFD z");                 // lead byte without trail
    EXPECT_EQ(ToUtf8("x\x95"), u8"x\uFFFD"); // cut at the end
    EXPECT_EQ(ToCp932("a\xE2\x82\xAC"
                      "b\xF0\x9F\x98\x80"
                      "c"),
              "a?b?c"); // no CP932 form
    EXPECT_EQ(ToCp932("a\xFF"
                      "b\xE8\xA1"),
              "a?b?"); // invalid UTF-8
}

TEST(CodePage, TranscriptLineEnds) {
    std::string text = "\r\nd>1+2\r\n 3\r\n\r\nd>a\rb\nc";
    EXPECT_EQ(TranscriptToUtf8(text.data(), text.size()), "\nd>1+2\n 3\n\nd>a\rb\nc");
}

TEST(Transcript, GainedText) {
    const struct {
        const char* before;
        const char* now;
        const char* gained;
    } cases[] = {
        {"\r\nd>", "\r\nd>1+2\r\n 3\r\n\r\nd>", "1+2\r\n 3\r\n\r\nd>"},
        {"\r\nd>", "\r\nd>", ""},
        // The oldest line was dropped while the statement printed.
        {"l1\r\nl2\r\nd>x", "l2\r\nd>x\r\n 1\r\n", "\r\n 1\r\n"},
        // Cleared: everything is new.
        {"l1\r\nd>cls\r\n", "\r\nd>", "\r\nd>"},
    };
    for (const auto& c : cases) EXPECT_EQ(GainedText(c.before, c.now), c.gained) << c.now;
}

// Backspace in a field or a search takes the last whole character, also
// where a second byte ("表" ends in "\\") looks like a character of its own.
TEST(Text, LastCharStart) {
    const struct {
        const char* text;
        size_t start;
    } cases[] = {
        {"", 0}, {"a", 0}, {"ab", 1}, {"a\x95\x5C", 1}, {"\x95\x5C\x95\x5C", 2}, {"\xB1\xB2", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(LastCharStart(c.text, strlen(c.text)), c.start) << c.text;
}

// Where the settings and the history go: an absolute XDG folder, else the
// home's; a relative XDG folder is ignored, and without a home there is none.
TEST(Paths, XdgFiles) {
    const struct {
        const char* xdg; // nullptr: unset
        const char* home;
        const char* file;
    } cases[] = {
        {"/x/config", "/home/a", "/x/config/tolvane/tolvane.ini"},
        {nullptr, "/home/a", "/home/a/.config/tolvane/tolvane.ini"},
        {"", "/home/a", "/home/a/.config/tolvane/tolvane.ini"},
        {"relative", "/home/a", "/home/a/.config/tolvane/tolvane.ini"},
        {"relative", nullptr, ""},
        {nullptr, "", ""},
    };
    std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
    for (const auto& c : cases) {
        c.xdg ? setenv("XDG_CONFIG_HOME", c.xdg, 1) : unsetenv("XDG_CONFIG_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(XdgFile("XDG_CONFIG_HOME", ".config", "tolvane.ini"), c.file)
            << (c.xdg ? c.xdg : "(unset)");
    }
    setenv("HOME", savedHome.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

// Runs the parser over a command line given as words.
bool ParseWords(std::initializer_list<const char*> words, Options* o, std::string* error) {
    char* argv[16];
    int argc = 0;
    static char storage[16][64];
    argv[argc++] = const_cast<char*>("tolvane");
    for (const char* w : words) {
        snprintf(storage[argc], sizeof storage[argc], "%s", w);
        argv[argc] = storage[argc];
        ++argc;
    }
    char message[256] = "";
    bool ok = ParseOptions(argc, argv, o, message, sizeof message);
    *error = message;
    return ok;
}

TEST(Options, GoodCommandLines) {
    Options o;
    std::string error;
    ASSERT_TRUE(ParseWords({"--keys", "a.keys", "--ini=x.ini", "--answer", "no", "--raw", "--open",
                            "in.tvs", "--save", "out.txt", "--events", "ev", "s.tvs"},
                           &o, &error))
        << error;
    EXPECT_STREQ(o.keys, "a.keys");
    EXPECT_STREQ(o.ini, "x.ini");
    EXPECT_FALSE(o.answerYes);
    EXPECT_TRUE(o.raw);
    EXPECT_STREQ(o.open, "in.tvs");
    EXPECT_STREQ(o.save, "out.txt");
    EXPECT_STREQ(o.events, "ev");
    EXPECT_STREQ(o.script, "s.tvs");
    Options d;
    ASSERT_TRUE(ParseWords({"--keys", "-", "--decode", "--", "--odd-name.tvs"}, &d, &error));
    EXPECT_STREQ(d.keys, "-");
    EXPECT_TRUE(d.answerYes);
    EXPECT_TRUE(d.decode);
    EXPECT_STREQ(d.script, "--odd-name.tvs");
}

TEST(Options, Mistakes) {
    const struct {
        std::initializer_list<const char*> words;
        const char* message;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus' (tolvane --help lists the options)"},
        {{"--keys"}, "--keys needs a value"},
        {{"--answer", "maybe"}, "--answer takes yes or no, not 'maybe'"},
        {{"--raw=1"}, "--raw takes no value"},
        {{"a.tvs", "b.tvs"}, "only one script may be named ('b.tvs')"},
        {{"-k"}, "unknown option '-k' (tolvane --help lists the options)"},
    };
    for (const auto& c : cases) {
        Options o;
        std::string error;
        EXPECT_FALSE(ParseWords(c.words, &o, &error));
        EXPECT_EQ(error, c.message);
    }
}

} // namespace
