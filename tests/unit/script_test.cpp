// Script files and transcript saving, on real files in a temporary folder.
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "commands/script.h"
#include "console/console.h"
#include "console/history.h"
#include "console/settings.h"
#include "core_fixture.h"
#include "display/display.h"
#include "expr/variables.h"

namespace {

// A desktop whose file dialogs also note their title and filter index.
struct DialogDesktop : TestDesktop {
    std::string title;
    int filterIndex = 0;
    bool ChooseFile(bool save, const char* t, int index, char* fileTitle, int size) override {
        title = t;
        filterIndex = index;
        return TestDesktop::ChooseFile(save, t, index, fileTitle, size);
    }
};

class ScriptTest : public CoreTest {
  protected:
    DialogDesktop dialogs;
    std::string folder;
    std::string home;

    void SetUp() override {
        CoreTest::SetUp();
        g_seam.desktop = &dialogs;
        char pattern[] = "/tmp/tolvane-script-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        home = cwd;
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(home.c_str()), 0);
        std::filesystem::remove_all(folder);
    }

    // Writes a file in the temporary folder (the current one).
    static void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream out(name, std::ios::binary);
        out << bytes;
    }
    static std::string ReadFile(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // What list prints now (it changes nothing).
    std::string ListText() {
        int before = edit.GetTextLength();
        g_console.suppress = 0;
        std::string out = Run("list");
        edit.SetSel(before, edit.GetTextLength());
        edit.ReplaceSel("");
        return out;
    }
    double Variable(const char* name) {
        double value = -999;
        FindVariable(name, &value);
        return value;
    }
};

// The number of open file descriptors of this process.
int OpenFiles() {
    int count = 0;
    DIR* dir = opendir("/proc/self/fd");
    if (dir == nullptr) return -1;
    while (readdir(dir) != nullptr) ++count;
    closedir(dir);
    return count;
}

TEST_F(ScriptTest, RunsSilentlyThenReportsAndLists) {
    WriteFile("calc.tvs", "x=3\n// a comment x=9\n\ndef f(a)=a*x\n");
    std::string out = Run("call calc");
    EXPECT_EQ(Variable("x"), 3);
    EXPECT_EQ(Variable("a"), 1);
    EXPECT_EQ(g_console.suppress, 0);
    // The last line is the list that the runner submits last.
    EXPECT_STREQ(g_console.lastLine, "list");
    std::string list = ListText();
    const std::string head = " f(a)=a*x\r\n x=3\r\n a=1\r\n";
    EXPECT_EQ(list.compare(0, head.size(), head), 0) << list;
    EXPECT_EQ(out, " calc.tvs を読み込みました\r\n\r\n" + list);
}

TEST_F(ScriptTest, AFolderIsNoScript) {
    std::filesystem::create_directory("notes.tvs");
    EXPECT_EQ(Run("call notes"), " notes.tvs が見あたりません\r\n");
    EXPECT_EQ(g_console.suppress, 0);
}

struct FormatCase {
    const char* contents;
    const char* variable;
    double value;
};

const FormatCase kFormats[] = {
    {"y=2\n", "y", 2},
    {"y=2\r\n", "y", 2},
    {"y=2", "y", 2},
    {"y=2 ' two\r\n", "y", 2},
    {"\r\n\n\r\ny=4\r\n\r\n", "y", 4},
    {"//y=5\r\ny=6\r\n", "y", 6},
    {"y=1\r\n//\r\ny=y+1\n y = y * 10 \r\n", "y", 20},
    {"y=7\n1/0\ny=y+1\n", "y", 8},
};

TEST_F(ScriptTest, LineEndsCommentsAndEmptyLines) {
    for (const FormatCase& c : kFormats) {
        ResetCore();
        WriteFile("f.tvs", c.contents);
        Run("call f");
        EXPECT_EQ(Variable(c.variable), c.value) << c.contents;
    }
}

TEST_F(ScriptTest, ErrorsOnlyBeep) {
    WriteFile("e.tvs", "1/0\nzz\nq=1\n");
    std::string out = Run("call e");
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_EQ(out.find("Divide"), std::string::npos);
    EXPECT_EQ(Variable("q"), 1);
}

TEST_F(ScriptTest, LongLinesArriveInPiecesOf511) {
    // 511 bytes, then the rest of the line as a statement of its own.
    std::string line = "a=1" + std::string(508, ' ') + "b=2\r\n";
    // 510 bytes and CR LF: the CR is read with the first piece and dropped.
    line += "c=5" + std::string(507, ' ') + "\r\n";
    WriteFile("long.tvs", line);
    Run("call long");
    EXPECT_EQ(Variable("a"), 1);
    EXPECT_EQ(Variable("b"), 2);
    EXPECT_EQ(Variable("c"), 5);
    // a, b, c, the list and the call itself.
    EXPECT_EQ(g_history.count, 5);
}

TEST_F(ScriptTest, ExtensionRule) {
    struct {
        const char* statement;
        const char* output;
    } const kNames[] = {
        {"call calc", " calc.tvs が見あたりません\r\n"},
        {"call calc.txt", " calc.txt が見あたりません\r\n"},
        {"call calc.t", " calc.t.tvs が見あたりません\r\n"},
        {"call my calc", " mycalc.tvs が見あたりません\r\n"},
        {"call abc", " abc.tvs が見あたりません\r\n"},
        {"call a.b", " a.b.tvs が見あたりません\r\n"},
        {"calls=1", " s=1.tvs が見あたりません\r\n"},
    };
    for (const auto& c : kNames) EXPECT_EQ(Run(c.statement), c.output) << c.statement;
    WriteFile("calc.txt", "z=8\n");
    Run("call calc.txt");
    EXPECT_EQ(Variable("z"), 8);
}

TEST_F(ScriptTest, SelfCallEndsAndClosesItsFiles) {
    WriteFile("self.tvs", "n=n+1\ncall self\n");
    Run("n=0");
    int files = OpenFiles();
    std::string out = Run("call self");
    EXPECT_EQ(OpenFiles(), files);
    EXPECT_EQ(Variable("n"), kMaxScriptDepth);
    EXPECT_EQ(g_console.suppress, 0);
    // The refusal is shown once, then each level ends with its report.
    const std::string refusal = " スクリプトの入れ子が深すぎます\r\n";
    EXPECT_EQ(out.compare(0, refusal.size(), refusal), 0);
    EXPECT_EQ(out.find(refusal, 1), std::string::npos);
    size_t reports = 0;
    for (size_t at = out.find("を読み込みました"); at != std::string::npos;
         at = out.find("を読み込みました", at + 1))
        ++reports;
    EXPECT_EQ(reports, (size_t)kMaxScriptDepth);
    // And a fresh call runs again.
    Run("call self");
    EXPECT_EQ(Variable("n"), 2 * kMaxScriptDepth);
}

TEST_F(ScriptTest, CallDialog) {
    EXPECT_EQ(Run("call"), "");
    EXPECT_EQ(dialogs.log.back(), "open-dialog");
    EXPECT_EQ(dialogs.title, "スクリプト読み込み");
    EXPECT_EQ(dialogs.filterIndex, 2);
    dialogs.chosenFile = "readme";
    EXPECT_EQ(Run("call"), " readme.tvs が見あたりません\r\n");
    WriteFile("pick.tvs", "w=6\n");
    dialogs.chosenFile = "pick.tvs";
    Run("call");
    EXPECT_EQ(Variable("w"), 6);
}

TEST_F(ScriptTest, SaveWritesTheTextAndOneZeroByte) {
    Append("d>1+2\r\n 3\r\n\r\nd>save out.txt");
    std::string before = Text();
    Append("\r\n");
    std::string expected = before + "\r\n" + std::string(1, '\0');
    EXPECT_EQ(Run("save out.txt"), " out.txtに保存しました。\r\n");
    EXPECT_EQ(ReadFile("out.txt"), expected);
}

TEST_F(ScriptTest, SaveShortensALongerFile) {
    WriteFile("old.txt", std::string(5000, 'z'));
    Append("d>save old.txt\r\n");
    std::string expected = Text() + std::string(1, '\0');
    Run("save old.txt");
    EXPECT_EQ(ReadFile("old.txt"), expected);
}

TEST_F(ScriptTest, SaveFailureIsReported) {
    std::filesystem::create_directory("adir");
    EXPECT_EQ(Run("save adir"), " 保存失敗 [adir]\r\n");
    EXPECT_EQ(Run("save nofolder/out.txt"), " 保存失敗 [nofolder/out.txt]\r\n");
    EXPECT_FALSE(std::filesystem::exists("nofolder"));
    // A full device: the write or the close fails.
    if (std::filesystem::exists("/dev/full")) {
        Append(std::string(5000, 'q').c_str());
        EXPECT_EQ(Run("save /dev/full"), " 保存失敗 [/dev/full]\r\n");
    }
}

TEST_F(ScriptTest, SaveAsTypedAndThroughTheDialog) {
    EXPECT_EQ(Run("saved=1"), " d=1に保存しました。\r\n");
    EXPECT_TRUE(std::filesystem::exists("d=1"));
    EXPECT_EQ(Run("save"), "");
    EXPECT_EQ(dialogs.log.back(), "save-dialog");
    EXPECT_EQ(dialogs.title, "計算結果保存");
    EXPECT_EQ(dialogs.filterIndex, 3);
    dialogs.chosenFile = "chosen.txt";
    EXPECT_EQ(Run("save"), " chosen.txtに保存しました。\r\n");
    EXPECT_EQ(ReadFile("chosen.txt").back(), '\0');
}

} // namespace
