// The command table: prefix matching, the argument rule, every action's
// output and desktop calls, and the settings the commands change.
#include <string>

#include "session/commands.h"
#include "session/keys.h"
#include "session/console.h"
#include "session/history.h"
#include "session/settings.h"
#include "core_fixture.h"
#include "session/print.h"
#include "eval/eval.h"

namespace {

// What a settings report prints now, with or without its ans line.
std::string ReportText(MemoryEdit* edit, AnsLine ans) {
    int before = edit->GetTextLength();
    PrintSettingsReport(ans);
    std::string report = edit->Text() + before;
    edit->SetSel(before, edit->GetTextLength());
    edit->ReplaceSel("");
    return report;
}

// The desktop's log as one line, entries separated by "|".
std::string Joined(const std::vector<std::string>& log) {
    std::string all;
    for (const std::string& entry : log) all += (all.empty() ? "" : "|") + entry;
    return all;
}

struct OutputCase {
    const char* statement;
    const char* output; // CP932
    const char* events; // desktop calls, "|" between them
};

const OutputCase kOutputs[] = {
    {"exit", "", "quit"},
    {"quit5", "", "quit"},
    {"bye", "", "quit"},
    {"deg", " 角度単位:度(deg)\r\n", ""},
    {"degree=5", " 角度単位:度(deg)\r\n", ""},
    {"rad", " 角度単位:ラジアン(rad)\r\n", ""},
    {"?", "", "open-help"},
    {"help", "", "open-help"},
    {"helpme", "", "open-help"},
    {"setup", "", "setup-dialog|topmost off"},
    {"icon", "", "hide"},
    {"min", "", "hide"},
    {"mine=2", "", "hide"},
    {"hex", "", ""},
    {"bin", "", ""},
    {"top", " 画面手前表示ﾓｰﾄﾞ(ON)\r\n", "topmost on"},
    {"topon", " 画面手前表示ﾓｰﾄﾞ(ON)\r\n", "topmost on"},
    {"topOFF", " 画面手前表示ﾓｰﾄﾞ(OFF)\r\n", "topmost off"},
    {"top Off", " 画面手前表示ﾓｰﾄﾞ(OFF)\r\n", "topmost off"},
    {"topoffice", " 画面手前表示ﾓｰﾄﾞ(ON)\r\n", "topmost on"},
    {"explorer", "", "explorer"},
    {"explorer c:\\", "", "explorer"},
    {"exec notepad a.txt", "", "exec notepada.txt"},
    {"exec", "", "exec "},
    {"exec calc ' comment", "", "exec calc"},
    {"prec", " Syntax Error\r\n", ""},
    {"precision", " Syntax Error\r\n", ""},
    {"zero", " Syntax Error\r\n", ""},
    {"!", " Syntax Error\r\n", ""},
    {"hist", "", ""},
    {"history", "", ""},
    {"cls", "", ""},
};

class CommandOutputTest : public CoreTest, public ::testing::WithParamInterface<OutputCase> {};

TEST_P(CommandOutputTest, PrintsAndAsksTheDesktop) {
    const OutputCase& c = GetParam();
    EXPECT_EQ(Run(c.statement), c.output) << c.statement;
    EXPECT_EQ(Joined(desktop.log), c.events) << c.statement;
}

INSTANTIATE_TEST_SUITE_P(Table, CommandOutputTest, ::testing::ValuesIn(kOutputs));

class CommandTest : public CoreTest {};

TEST_F(CommandTest, OnlyAWholeNameAtTheStartMatches) {
    const char* const kNotCommands[] = {"ex",   "pre",  "his", "CLS",     "Deg", "LIST",
                                        "Exit", "/",    "/x",  "History", "e",   "x=1",
                                        "di",   "disp", "hi",  "",        "to",  "explore"};
    for (const char* statement : kNotCommands) {
        char cleaned[64];
        snprintf(cleaned, sizeof cleaned, "%s", statement);
        EXPECT_FALSE(DispatchCommand(cleaned)) << statement;
    }
    EXPECT_TRUE(desktop.log.empty());
}

TEST_F(CommandTest, ArgumentRuleSkipsNameAndBlanks) {
    char statement[] = "exec \t prog";
    EXPECT_EQ(TakeArgument(statement, 4), statement + 7);
}

struct PrecisionCase {
    const char* statement;
    int precision; // afterwards, from the start value 3
};

const PrecisionCase kPrecisions[] = {
    {"precision5", 5}, {"prec 5", 5},  {"prec7x", 7},  {"precis5", 3}, {"prec x", 3},
    {"prec-3", 0},     {"prec99", 67}, {"prec67", 67}, {"prec0", 0},   {"prec99999999999999", 67},
    {"prec+4", 4},
};

TEST_F(CommandTest, PrecisionReadsAnIntegerKeptInTheFormattersRange) {
    for (const PrecisionCase& c : kPrecisions) {
        g_settings.precision = 3;
        std::string out = Run(c.statement);
        EXPECT_EQ(g_settings.precision, c.precision) << c.statement;
        EXPECT_EQ(out, ReportText(&edit, kWithAns)) << c.statement;
    }
}

TEST_F(CommandTest, ZeroReadsANumber) {
    std::string out = Run("zero1e-9");
    EXPECT_DOUBLE_EQ(g_settings.zeroThreshold, 1e-9);
    EXPECT_EQ(out, ReportText(&edit, kWithAns));
    Run("zero abc");
    EXPECT_DOUBLE_EQ(g_settings.zeroThreshold, 1e-9);
    Run("zero");
    EXPECT_DOUBLE_EQ(g_settings.zeroThreshold, 1e-9);
    Run("zero 0.5e-3xyz");
    EXPECT_DOUBLE_EQ(g_settings.zeroThreshold, 0.5e-3);
    // The argument is read as sscanf's "%lf" reads it.
    const struct {
        const char* statement;
        double threshold;
    } reads[] = {{"zero0x", 0.5e-3}, {"zero0x1p-3", 0.125}, {"zero-0x.8", -0.5},
                 {"zero.", -0.5},    {"zero+", -0.5},       {"zero1e", 1.0},
                 {"zero2e+", 2.0},   {"zero-.25", -0.25},   {"zero0x0", 0.0},
                 {"zero7", 7.0},     {"zero.e1", 7.0},      {"zero1.5E-3Q", 1.5e-3}};
    for (const auto& r : reads) {
        Run(r.statement);
        EXPECT_DOUBLE_EQ(g_settings.zeroThreshold, r.threshold) << r.statement;
    }
}

TEST_F(CommandTest, SetupReappliesTheStoredTopmostSwitch) {
    g_settings.ontopflag = 1;
    Run("top off");
    Run("setup");
    EXPECT_EQ(Joined(desktop.log), "topmost off|setup-dialog|topmost on");
    EXPECT_EQ(g_settings.ontopflag, 1);
}

TEST_F(CommandTest, ClsClearsEvenWhileOutputIsSuppressed) {
    Append("d>1+2\r\n 3\r\n");
    g_console.suppress = 1;
    Run("cls2");
    g_console.suppress = 0;
    EXPECT_EQ(Text(), "");
}

} // namespace
