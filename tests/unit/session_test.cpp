// A fresh session, the settings keys and the start-up and close decisions
// that both front-ends take from the core.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "session/script.h"
#include "session/console.h"
#include "session/history.h"
#include "session/settings.h"
#include "session/settings_file.h"
#include "session/startup.h"
#include "core_fixture.h"
#include "eval/variables.h"
#include "platform/ids.h"

namespace {

// A settings file in memory that logs every write in order.
struct MemorySettings : SettingsStore {
    std::map<std::string, std::string> values; // "section/key" -> text
    std::vector<std::string> writes;           // "section/key=text"

    int ReadInt(const char* section, const char* key, int def) override {
        auto it = values.find(std::string(section) + "/" + key);
        return it == values.end() ? def : atoi(it->second.c_str());
    }
    void ReadText(const char* section, const char* key, const char* def, char* text,
                  int size) override {
        auto it = values.find(std::string(section) + "/" + key);
        snprintf(text, (size_t)size, "%s", it == values.end() ? def : it->second.c_str());
    }
    bool WriteText(const char* section, const char* key, const char* text) override {
        std::string name = std::string(section) + "/" + key;
        values[name] = text;
        writes.push_back(name + "=" + text);
        return true;
    }
};

class SessionTest : public CoreTest {
  protected:
    MemorySettings settings;

    void SetUp() override {
        CoreTest::SetUp();
        g_seam.settings = &settings;
    }
    void TearDown() override { g_seam.settings = nullptr; }

    // The menu's items from the top: ids, separators as 0.
    std::vector<int> MenuIds() {
        std::vector<int> ids;
        for (int pos = 0; pos < menu.Count(); ++pos) ids.push_back(menu.IdAt(pos));
        return ids;
    }
};

TEST_F(SessionTest, ResetTakesTheHistoryOutOfTheMenu) {
    std::vector<int> fresh = MenuIds();
    for (int i = 0; i < 12; ++i) Run("a" + std::to_string(i) + "=1");
    ASSERT_EQ(menu.Count(), (int)fresh.size() + kHistoryCapacity + 1);
    ResetCore();
    EXPECT_EQ(MenuIds(), fresh);
    // The next session's first statement has the menu to itself: one entry,
    // one separator, nothing from before.
    Run("b=2");
    EXPECT_EQ(menu.Count(), (int)fresh.size() + 2);
    EXPECT_EQ(menu.IdAt(0), IDM_HISTORY_FIRST);
    EXPECT_EQ(Run("history"), " 00: b=2\r\n");
    // A menu without history and the absent menu are left as they are.
    ResetCore();
    ResetCore();
    EXPECT_EQ(MenuIds(), fresh);
    g_seam.menu = nullptr;
    ResetCore();
    g_seam.menu = &menu;
}

TEST_F(SessionTest, ResetKeepsTheScriptLimitsOfTheFrontEnd) {
    FILE* f = fopen("/tmp/tolvane-session-test.tvs", "w");
    ASSERT_NE(f, nullptr);
    fputs("v=1\n", f);
    fclose(f);
    SetScriptTimeLimit(0, 0);
    ResetCore();
    EXPECT_NE(Run("call /tmp/tolvane-session-test").find("打ち切りました"), std::string::npos);
    SetScriptTimeLimit(0.5, 0.9);
    ResetCore();
    EXPECT_NE(Run("call /tmp/tolvane-session-test").find("読み込みました"), std::string::npos);
    remove("/tmp/tolvane-session-test.tvs");
}

TEST(SettingTable, EachRowStandsAtItsKeyWithADistinctName) {
    std::set<std::string> names;
    for (int i = 0; i < kSettingCount; ++i) {
        EXPECT_EQ(kSettingTable[i].key, i);
        names.insert(std::string(kSettingTable[i].section) + "/" + kSettingTable[i].name);
    }
    EXPECT_EQ((int)names.size(), kSettingCount);
}

TEST_F(SessionTest, FlagsComeFromTheFileAndDefaultsWithout) {
    settings.values = {{"Setup/crflag", "1"},
                       {"Setup/ontopflag", "-3"},
                       {"Setup/endflag", "0"},
                       {"Setup/byte2", "7"},
                       {"window/crflag", "5"}};
    BeginSession();
    EXPECT_EQ(g_settings.crflag, 1);
    EXPECT_EQ(g_settings.ontopflag, -3);
    EXPECT_EQ(g_settings.endflag, 0);
    EXPECT_EQ(g_settings.byte2, 7);
    EXPECT_EQ(g_settings.precision, 3); // the rest is fresh
    g_seam.settings = nullptr;
    BeginSession();
    EXPECT_EQ(g_settings.crflag + g_settings.ontopflag + g_settings.endflag + g_settings.byte2, 0);
    struct {
        SettingKey key;
        int fallback;
    } defaults[] = {{kSettingX, 10},     {kSettingY, 10},     {kSettingW, 320},
                    {kSettingH, 240},    {kSettingDup, 0},    {kSettingHscroll, 1},
                    {kSettingIcon, 0},   {kSettingSize, -13}, {kSettingWeight, 400},
                    {kSettingItalic, 0}, {kSettingCrflag, 0}};
    for (const auto& d : defaults) EXPECT_EQ(ReadSettingInt(d.key), d.fallback) << d.key;
    char face[8] = "x";
    ReadSettingText(kSettingFont, face, sizeof face);
    EXPECT_STREQ(face, "");
}

TEST_F(SessionTest, SetupSwitchesShowAndStore) {
    // Only the exact 1 counts for icon and dup; any value but 0 for hscroll.
    settings.values = {
        {"Setup/icon", "2"}, {"Setup/dup", "1"}, {"Setup/hscroll", "2"}, {"Setup/crflag", "1"}};
    g_settings.endflag = 5; // the values in use, not the file's
    EXPECT_FALSE(SetupSwitchShown(kSettingIcon));
    EXPECT_TRUE(SetupSwitchShown(kSettingDup));
    EXPECT_TRUE(SetupSwitchShown(kSettingHscroll));
    EXPECT_FALSE(SetupSwitchShown(kSettingCrflag));
    EXPECT_TRUE(SetupSwitchShown(kSettingEndflag));
    for (SettingKey key : kSetupSwitches) StoreSetupSwitch(key, key != kSettingOntop);
    std::vector<std::string> want = {"Setup/crflag=1", "Setup/ontopflag=0", "Setup/endflag=1",
                                     "Setup/byte2=1",  "Setup/hscroll=1",   "Setup/icon=1",
                                     "Setup/dup=1"};
    EXPECT_EQ(settings.writes, want);
    EXPECT_EQ(g_settings.crflag, 1);
    EXPECT_EQ(g_settings.ontopflag, 0);
    EXPECT_EQ(g_settings.endflag, 1);
    EXPECT_EQ(g_settings.byte2, 1);
    WriteSettingInt(kSettingX, -2147483647 - 1);
    EXPECT_EQ(settings.writes.back(), "window/x=-2147483648");
}

TEST_F(SessionTest, StartScriptRunsAsATypedCallThenThePrompt) {
    StartConsole(nullptr);
    EXPECT_EQ(Text(), "\r\nd>");
    edit.Reset();
    ResetCore();
    StartConsole("nowhere");
    EXPECT_EQ(Text(), " nowhere.tvs が見あたりません\r\n\r\n\r\nd>");
    char entry[64] = "";
    menu.TextOf(IDM_HISTORY_FIRST, entry, sizeof entry);
    EXPECT_STREQ(entry, "call nowhere");
}

TEST_F(SessionTest, NoPromptAfterTheStartScriptQuits) {
    FILE* f = fopen("/tmp/tolvane-session-quit.tvs", "w");
    ASSERT_NE(f, nullptr);
    fputs("quit\n", f);
    fclose(f);
    StartConsole("/tmp/tolvane-session-quit");
    EXPECT_TRUE(desktop.quit);
    EXPECT_EQ(Text().find("d>"), std::string::npos) << Text();
    remove("/tmp/tolvane-session-quit.tvs");
}

TEST_F(SessionTest, CloseButtonHidesWithEndflagElseQuits) {
    CloseButton();
    g_settings.endflag = 2;
    CloseButton();
    std::vector<std::string> want = {"quit", "hide"};
    EXPECT_EQ(desktop.log, want);
}

} // namespace
