// The key-script parser: typed characters, named keys, actions, errors.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "platform/key_script.h"

namespace {

// Parses a script that must be good.
std::vector<KeyAction> Parse(const std::string& script) {
    std::vector<KeyAction> actions;
    char error[200] = "";
    EXPECT_TRUE(ParseKeyScript(script.data(), script.size(), &actions, error, sizeof error))
        << script << ": " << error;
    return actions;
}

// The message of a script that must fail.
std::string ParseError(const std::string& script) {
    std::vector<KeyAction> actions;
    char error[200] = "";
    EXPECT_FALSE(ParseKeyScript(script.data(), script.size(), &actions, error, sizeof error))
        << script;
    return error;
}

TEST(KeyScript, EveryName) {
    const struct {
        const char* name;
        int kind, key, modifiers, id;
    } cases[] = {
        {"Enter", kActionKey, 0x0D, 0, 0},
        {"Tab", kActionKey, 0x09, 0, 0},
        {"Shift+Tab", kActionKey, 0x09, kModShift, 0},
        {"Backspace", kActionKey, 0x08, 0, 0},
        {"Delete", kActionKey, 0x2E, 0, 0},
        {"Home", kActionKey, 0x24, 0, 0},
        {"Shift+Home", kActionKey, 0x24, kModShift, 0},
        {"Ctrl+Home", kActionKey, 0x24, kModCtrl, 0},
        {"End", kActionKey, 0x23, 0, 0},
        {"Ctrl+End", kActionKey, 0x23, kModCtrl, 0},
        {"Left", kActionKey, 0x25, 0, 0},
        {"Right", kActionKey, 0x27, 0, 0},
        {"Up", kActionKey, 0x26, 0, 0},
        {"Down", kActionKey, 0x28, 0, 0},
        {"NoConvert", kActionKey, 0x1D, 0, 0},
        {"F3", kActionAccelerator, 0x72, 0, 104},
        {"Ctrl+0", kActionAccelerator, 0x30, kModCtrl, 116},
        {"Ctrl+9", kActionAccelerator, 0x39, kModCtrl, 117},
        {"Ctrl+A", kActionAccelerator, 0x41, kModCtrl, 103},
        {"Ctrl+D", kActionAccelerator, 0x44, kModCtrl, 112},
        {"Ctrl+K", kActionAccelerator, 0x4B, kModCtrl, 114},
        {"Ctrl+L", kActionAccelerator, 0x4C, kModCtrl, 113},
        {"Ctrl+P", kActionAccelerator, 0x50, kModCtrl, 115},
        {"Ctrl+U", kActionAccelerator, 0x55, kModCtrl, 105},
        {"Alt+C", kActionAccelerator, 0x43, kModAlt, 107},
        {"Alt+L", kActionAccelerator, 0x4C, kModAlt, 110},
        {"Alt+R", kActionAccelerator, 0x52, kModAlt, 109},
        {"Alt+S", kActionAccelerator, 0x53, kModAlt, 106},
        {"Alt+T", kActionAccelerator, 0x54, kModAlt, 108},
        {"RClick", kActionRightClick, 0, 0, 0},
        {"Close", kActionClose, 0, 0, 0},
        {"Minimize", kActionMinimize, 0, 0, 0},
        {"TrayLeft", kActionTrayLeft, 0, 0, 0},
        {"TrayRight", kActionTrayRight, 0, 0, 0},
    };
    for (const auto& c : cases) {
        std::vector<KeyAction> a = Parse(std::string("{") + c.name + "}");
        ASSERT_EQ(a.size(), 1u) << c.name;
        EXPECT_EQ(a[0].kind, c.kind) << c.name;
        EXPECT_EQ(a[0].key, c.key) << c.name;
        EXPECT_EQ(a[0].modifiers, c.modifiers) << c.name;
        EXPECT_EQ(a[0].id, c.id) << c.name;
        ASSERT_NE(KeyActionName(a[0]), nullptr);
        EXPECT_STREQ(KeyActionName(a[0]), c.name);
    }
}

TEST(KeyScript, TypedTextAndLineEnds) {
    // "表" U+8868, "ｸ" U+FF78, an emoji beyond the BMP; a script is UTF-8.
    std::vector<KeyAction> a = Parse(u8"a{{}\r\n表ｸ\U0001F600");
    const struct {
        int kind;
        unsigned codepoint;
        int key;
    } want[] = {
        {kActionChar, 'a', 0},     {kActionChar, '{', 0},    {kActionChar, '}', 0},
        {kActionKey, 0, 0x0D},     {kActionChar, 0x8868, 0}, {kActionChar, 0xFF78, 0},
        {kActionChar, 0x1F600, 0},
    };
    ASSERT_EQ(a.size(), sizeof want / sizeof want[0]);
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].kind, want[i].kind) << i;
        EXPECT_EQ(a[i].codepoint, want[i].codepoint) << i;
        EXPECT_EQ(a[i].key, want[i].key) << i;
    }
    EXPECT_TRUE(Parse("").empty());
    EXPECT_TRUE(Parse("\xEF\xBB\xBF").empty()); // a byte-order mark types nothing
    EXPECT_EQ(Parse("\r\r").size(), 0u);
}

TEST(KeyScript, Actions) {
    std::vector<KeyAction> a =
        Parse("{Menu:3000}{Menu:2112}{Goto:3,12}{Drop:/tmp/a b.tvs}{Paste:lines.txt}");
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ(a[0].kind, kActionMenu);
    EXPECT_EQ(a[0].id, 3000);
    EXPECT_EQ(a[1].id, 2112);
    EXPECT_EQ(a[2].kind, kActionGoto);
    EXPECT_EQ(a[2].line, 3);
    EXPECT_EQ(a[2].column, 12);
    EXPECT_EQ(a[3].kind, kActionDrop);
    EXPECT_STREQ(a[3].path, "/tmp/a b.tvs");
    EXPECT_EQ(a[4].kind, kActionPaste);
    EXPECT_STREQ(a[4].path, "lines.txt");
}

TEST(KeyScript, Errors) {
    const struct {
        const char* script;
        const char* message;
    } cases[] = {
        {"{Foo}", "line 1: unknown key name {Foo}"},
        {"1\n2\n{enter}", "line 3: unknown key name {enter}"}, // names are exact
        {"{}", "line 1: empty key name {}"},
        {"ab{Enter", "line 1: '{' without '}'"},
        {"{Enter\n}", "line 1: '{' without '}'"},
        {"{Menu:}", "line 1: unknown key name {Menu:}"},
        {"{Menu:x1}", "line 1: unknown key name {Menu:x1}"},
        {"{Menu:999999}", "line 1: unknown key name {Menu:999999}"},
        {"{Goto:1}", "line 1: unknown key name {Goto:1}"},
        {"{Goto:1,}", "line 1: unknown key name {Goto:1,}"},
        {"{Goto:-1,2}", "line 1: unknown key name {Goto:-1,2}"},
        {"{Drop:}", "line 1: unknown key name {Drop:}"},
        {"{Paste:}", "line 1: unknown key name {Paste:}"},
        {"{ Enter}", "line 1: unknown key name { Enter}"},
        {"a\n\xFF", "line 2: invalid UTF-8"},
        {"\xC3", "line 1: invalid UTF-8"},         // cut short
        {"\xC0\xAF", "line 1: invalid UTF-8"},     // overlong
        {"\xED\xA0\x80", "line 1: invalid UTF-8"}, // a surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(ParseError(c.script), c.message) << c.script;
    // A path too long for the action is refused, never cut.
    EXPECT_NE(ParseError("{Drop:" + std::string(300, 'p') + "}").find("unknown key name"),
              std::string::npos);
    // The message fits any buffer it is given.
    std::vector<KeyAction> actions;
    char small[8];
    EXPECT_FALSE(ParseKeyScript("{Foo}", 5, &actions, small, sizeof small));
    EXPECT_EQ(strlen(small), 7u);
}

} // namespace

namespace {

// The script read one action at a time gives the actions and the error of
// the whole parse, and the check alone agrees with both.
TEST(KeyScriptReader, ReadsWhatTheWholeParseReads) {
    const char* const scripts[] = {
        "\xEF\xBB\xBF"
        "1+2\r\n{Left}{{x{Menu:3000}\n{Goto:1,2}{Drop:/tmp/a b}\xE3\x81\x82\n",
        "ok\nstill ok\n{Nope}\nnever read\n",
        "ab{Left",
        "\r\r\r",
        "",
        "x\n\xFF",
    };
    for (const char* script : scripts) {
        std::vector<KeyAction> whole;
        char wholeError[200] = "";
        bool good = ParseKeyScript(script, strlen(script), &whole, wholeError, sizeof wholeError);
        char checkError[200] = "";
        EXPECT_EQ(CheckKeyScript(script, strlen(script), checkError, sizeof checkError), good)
            << script;
        EXPECT_STREQ(checkError, wholeError) << script;

        KeyScriptReader reader;
        StartKeyScript(&reader, script, strlen(script));
        KeyAction action;
        char error[200] = "";
        size_t n = 0;
        int got;
        while ((got = NextKeyAction(&reader, &action, error, sizeof error)) > 0) {
            ASSERT_LT(n, whole.size()) << script;
            EXPECT_EQ(action.kind, whole[n].kind) << script << " action " << n;
            EXPECT_EQ(action.codepoint, whole[n].codepoint) << script << " action " << n;
            EXPECT_EQ(action.key, whole[n].key) << script << " action " << n;
            EXPECT_EQ(action.id, whole[n].id) << script << " action " << n;
            EXPECT_STREQ(action.path, whole[n].path) << script << " action " << n;
            ++n;
        }
        EXPECT_EQ(got, good ? 0 : -1) << script;
        EXPECT_EQ(n, whole.size()) << script;
        EXPECT_STREQ(error, wholeError) << script;
    }
}

} // namespace
