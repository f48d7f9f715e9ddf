// Script files and transcript saving, on real files in a temporary folder.
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "session/script.h"
#include "platform/seam.h"
#include "session/console.h"
#include "session/history.h"
#include "session/settings.h"
#include "core_fixture.h"
#include "session/print.h"
#include "eval/variables.h"

namespace {

class ScriptTest : public CoreTest {
  protected:
    std::string folder;
    std::string home;

    void SetUp() override {
        CoreTest::SetUp();
        char pattern[] = "/tmp/tolvane-script-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        home = cwd;
        ASSERT_EQ(chdir(folder.c_str()), 0);
        files.windowsBytes = true; // the core's own bytes, as the Windows program has them
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
    // Checks the state after a statement that ran scripts.
    void ExpectSettled(int files, bool plainDisplay = true);
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
    EXPECT_EQ(desktop.beeps, 2);
    EXPECT_EQ(out.find("Divide"), std::string::npos);
    EXPECT_EQ(Variable("q"), 1);
}

TEST_F(ScriptTest, LongLinesAreNotRun) {
    // 514 characters: not run, neither whole nor in pieces, and said so.
    std::string lines = "a=1" + std::string(508, ' ') + "b=2\r\n";
    // 511 characters and CR LF, and 511 and LF: each runs.
    lines += "c=5" + std::string(508, ' ') + "\r\n";
    lines += "d=6" + std::string(508, ' ') + "\n";
    // 512 characters, then a last line without a line end that runs.
    lines += "e=7" + std::string(509, ' ') + "\nf=8";
    WriteFile("long.tvs", lines);
    std::string out = Run("call long");
    EXPECT_EQ(out.substr(0, out.find(" long.tvs を")),
              " long.tvs 1 行目: 行が長すぎます\r\n long.tvs 4 行目: 行が長すぎます\r\n");
    EXPECT_EQ(Variable("a"), -999);
    EXPECT_EQ(Variable("b"), -999);
    EXPECT_EQ(Variable("e"), -999);
    EXPECT_EQ(Variable("c"), 5);
    EXPECT_EQ(Variable("d"), 6);
    EXPECT_EQ(Variable("f"), 8);
    EXPECT_EQ(g_console.errors, 2);
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
    EXPECT_EQ(desktop.log.back(), "open-dialog スクリプト読み込み 2");
    desktop.openFile = "readme";
    EXPECT_EQ(Run("call"), " readme.tvs が見あたりません\r\n");
    WriteFile("pick.tvs", "w=6\n");
    desktop.openFile = "pick.tvs";
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

// The terminal program's files: scripts in UTF-8 (or code page 932, as the
// Windows program's), transcripts saved as UTF-8 with LF line ends.
TEST_F(ScriptTest, TerminalFilesSpeakUtf8) {
    files.windowsBytes = false;
    const std::string kTable = "\xE8\xA1\xA8"; // 表 in UTF-8
    const std::string kEuro = "\xE2\x82\xAC";
    // A UTF-8 character cut by the reader's chunk of 8,192 bytes.
    std::string filler;
    while (filler.size() < 8191 - 100) filler += "//" + std::string(97, 'x') + "\n";
    filler += "//" + std::string(8191 - filler.size() - 3, 'x') + "\n";
    const struct {
        std::string bytes;
        const char* name; // the variable that must be 4
        const char* printed;
    } kScripts[] = {
        {kTable + "=4\n", "表", ""},
        {"\xEF\xBB\xBF"
         "x=4\r\n",
         "x", ""},                  // a byte-order mark is skipped
        {"\x95\x5C=4\n", "表", ""}, // code page 932 stays
        {filler + kTable + "=4\n", "表", ""},
        {"k=4\n" + kEuro + "=5\nh" + kEuro + "=1\n", "k", // refused lines, not run
         " s.tvs 2 行目: Shift-JIS で表せない文字があります\r\n"
         " s.tvs 3 行目: Shift-JIS で表せない文字があります\r\n"},
    };
    for (const auto& c : kScripts) {
        ResetCore();
        WriteFile("s.tvs", c.bytes);
        std::string out = Run("call s");
        EXPECT_EQ(out.substr(0, out.find(" s.tvs を")), c.printed) << c.bytes.substr(0, 20);
        EXPECT_EQ(Variable(c.name), 4) << c.bytes.substr(0, 20);
    }
    ClearConsole();
    Append("d>表\r\n");
    Run("save out.txt");
    EXPECT_EQ(ReadFile("out.txt"), "d>" + kTable + "\n");
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
    EXPECT_EQ(desktop.log.back(), "save-dialog 計算結果保存 3");
    desktop.saveFile = "chosen.txt";
    EXPECT_EQ(Run("save"), " chosen.txtに保存しました。\r\n");
    EXPECT_EQ(ReadFile("chosen.txt").back(), '\0');
}

// The number of times a text occurs in another.
size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

const std::string kCut = " の実行を打ち切りました\r\n";

// After a cut everything is as after any statement: output on, the files
// closed, and the next statement prints (in the plain display, unless random
// lines may have changed it).
void ScriptTest::ExpectSettled(int files, bool plainDisplay) {
    EXPECT_EQ(g_console.suppress, 0);
    EXPECT_EQ(ScriptDepth(), 0);
    EXPECT_EQ(OpenFiles(), files);
    std::string printed = Run("6*7");
    if (plainDisplay)
        EXPECT_EQ(printed, " 42\r\n");
    else
        EXPECT_FALSE(printed.empty());
}

TEST_F(ScriptTest, SelfCallsEndAtTheWorkBound) {
    // Six calls of itself per level: about 400,000 runs without a bound.
    std::string self = "n=n+1\n";
    for (int i = 0; i < 6; ++i) self += "call self\n";
    WriteFile("self.tvs", self);
    Run("n=0");
    int files = OpenFiles();
    Run("call self");
    // One message, and nothing of the cut scripts after it: no report, no list.
    std::string text = Text();
    EXPECT_EQ(Count(text, kCut), 1u);
    const std::string last = " self.tvs" + kCut;
    EXPECT_EQ(text.compare(text.size() - last.size(), std::string::npos, last), 0);
    EXPECT_GT(Variable("n"), 100);
    ExpectSettled(files);
    // The bound is the statement's: the next call runs again.
    double before = Variable("n");
    Run("call self");
    EXPECT_GT(Variable("n") - before, 100);
}

TEST_F(ScriptTest, TheLineBudgetCountsTheLinesThatRun) {
    // A budget of 4 lines stands for the million; the time is out of the way.
    SetScriptTimeLimit(1000, 1000);
    SetScriptLineBudget(4);
    // Four lines to run, among comment and empty lines: the script ends as usual.
    WriteFile("four.tvs", "n=0\n//\nn=n+1\n\nn=n+1\n// end\nn=n+1\n\n//\n");
    EXPECT_EQ(Run("call four").rfind(" four.tvs を読み込みました\r\n\r\n", 0), 0u);
    EXPECT_EQ(Variable("n"), 3);
    // A fifth line is not run, and the script is cut.
    WriteFile("five.tvs", "n=0\nn=n+1\nn=n+1\nn=n+1\nn=n+1\n");
    EXPECT_EQ(Run("call five"), " five.tvs" + kCut);
    EXPECT_EQ(Variable("n"), 3);
    // The lines of nested scripts count together; an inner script opened as
    // the budget ends runs nothing.
    WriteFile("inner.tvs", "n=n+10\n");
    WriteFile("outer.tvs", "n=0\nn=n+1\nn=n+1\ncall inner\n");
    EXPECT_EQ(Run("call outer"), " outer.tvs" + kCut);
    EXPECT_EQ(Variable("n"), 2);
    SetScriptLineBudget(kScriptLineBudget);
    SetScriptTimeLimit(0.5, 0.9);
    ExpectSettled(OpenFiles());
}

TEST_F(ScriptTest, EndlessFilesEndAtTheBound) {
    int files = OpenFiles();
    for (const char* device : {"/dev/zero", "/dev/urandom"}) {
        std::filesystem::remove("endless.tvs");
        std::filesystem::create_symlink(device, "endless.tvs");
        // /dev/zero is one endless line, too long to run.
        std::string out = Run("call endless");
        const std::string last = " endless.tvs" + kCut;
        EXPECT_EQ(out.compare(out.size() - last.size(), std::string::npos, last), 0) << device;
        if (strcmp(device, "/dev/zero") == 0) {
            EXPECT_EQ(out, " endless.tvs 1 行目: 行が長すぎます\r\n" + last);
        }
        // Random lines may hold commands that change the display (hex, for one).
        ExpectSettled(files, strcmp(device, "/dev/zero") == 0);
    }
}

TEST_F(ScriptTest, PipesEndAtTheBound) {
    SetScriptTimeLimit(0.2, 0.4);
    ASSERT_EQ(mkfifo("pipe.tvs", 0600), 0);
    int files = OpenFiles();
    // A writer that never stops, and one that never writes.
    for (const char* writer : {"yes 1+1 > pipe.tvs", "exec 3> pipe.tvs; sleep 30"}) {
        pid_t child = fork();
        if (child == 0) {
            execl("/bin/sh", "sh", "-c", writer, (char*)nullptr);
            _exit(127);
        }
        usleep(300 * 1000); // the writer has opened it
        EXPECT_EQ(Run("call pipe"), " pipe.tvs" + kCut) << writer;
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        ExpectSettled(files);
    }
    // Without a writer it waits for one no longer than the bound either.
    EXPECT_EQ(Run("call pipe"), " pipe.tvs" + kCut);
    ExpectSettled(files);
    SetScriptTimeLimit(0.5, 0.9);
}

// A work clock that only moves when told.
double g_now = 0;
struct FakeClocks : NativeClocks {
    double WorkSeconds() override { return g_now; }
};

// A desktop whose open dialog and beep take time on the fake clock.
struct SlowDesktop : RecordingDesktop {
    bool ChooseFile(bool save, const char* t, int index, char* fileTitle, int size) override {
        g_now += 60; // a person looking for a file
        return RecordingDesktop::ChooseFile(save, t, index, fileTitle, size);
    }
    void Beep() override {
        g_now += 0.2; // work of the program's own
        RecordingDesktop::Beep();
    }
};

TEST_F(ScriptTest, TimeInDialogsIsNotWork) {
    SlowDesktop slow;
    g_seam.desktop = &slow;
    FakeClocks fake;
    g_seam.clocks = &fake;
    WriteFile("inner.tvs", "i=1\n");
    slow.openFile = "inner.tvs";
    WriteFile("ask.tvs", "call\ncall\nk=5\n");
    std::string out = Run("call ask");
    EXPECT_EQ(out.find(kCut), std::string::npos);
    EXPECT_EQ(Variable("k"), 5);
    // Three errors of 0.2 s each pass the half second the scripts may take.
    WriteFile("slow.tvs", "1/0\n1/0\n1/0\n1/0\nk=6\n");
    EXPECT_EQ(Run("call slow"), " slow.tvs" + kCut);
    EXPECT_EQ(slow.beeps, 3);
    EXPECT_EQ(Variable("k"), 5);
    g_seam.desktop = &desktop;
}

// Files that fail at one step of a replacement, on the real files otherwise.
struct FaultyFiles : NativeFiles {
    enum Step { kNone, kCreate, kWrite, kFinish } failAt = kNone;
    int CreateReplacement(const char* name) override {
        return failAt == kCreate ? -1 : NativeFiles::CreateReplacement(name);
    }
    bool Write(int handle, const char* bytes, int size) override {
        if (failAt != kWrite) return NativeFiles::Write(handle, bytes, size);
        NativeFiles::Write(handle, bytes, size / 2); // the disk filled up half way
        return false;
    }
    bool FinishReplacement(int handle, bool keep) override {
        if (failAt != kFinish) return NativeFiles::FinishReplacement(handle, keep);
        NativeFiles::FinishReplacement(handle, false);
        return false;
    }
};

// The names in the current folder, sorted.
std::string Listing() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("."))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string all;
    for (const std::string& name : names) all += name + " ";
    return all;
}

TEST_F(ScriptTest, AFailedSaveKeepsTheOldFile) {
    FaultyFiles faulty;
    faulty.windowsBytes = true;
    g_seam.files = &faulty;
    const std::string old(6300, 'o');
    WriteFile("keep.txt", old);
    Append(std::string(9000, 'n').c_str());
    for (auto step : {FaultyFiles::kCreate, FaultyFiles::kWrite, FaultyFiles::kFinish}) {
        faulty.failAt = step;
        EXPECT_EQ(Run("save keep.txt"), " 保存失敗 [keep.txt]\r\n") << step;
        EXPECT_EQ(ReadFile("keep.txt"), old) << step;
        EXPECT_EQ(Listing(), "keep.txt ") << step;
    }
    faulty.failAt = FaultyFiles::kNone;
    std::string text = Text() + std::string(1, '\0');
    EXPECT_EQ(Run("save keep.txt"), " keep.txtに保存しました。\r\n");
    EXPECT_EQ(ReadFile("keep.txt"), text);
    EXPECT_EQ(Listing(), "keep.txt ");
    g_seam.files = &files;
}

TEST_F(ScriptTest, SaveReplacesWhatTheNamePointsTo) {
    WriteFile("target.txt", "old");
    chmod("target.txt", 0640);
    std::filesystem::create_symlink("target.txt", "link.txt");
    EXPECT_EQ(Run("save link.txt"), " link.txtに保存しました。\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink("link.txt"));
    EXPECT_EQ(ReadFile("target.txt").back(), '\0');
    struct stat st;
    ASSERT_EQ(stat("target.txt", &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // A device is written in place, and stays a device.
    EXPECT_EQ(Run("save /dev/null"), " /dev/nullに保存しました。\r\n");
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(Listing(), "link.txt target.txt ");
}

TEST_F(ScriptTest, NamesAreUtf8OnDisk) {
    // The core's names are CP932; the files carry UTF-8 names.
    EXPECT_EQ(Run("save 計算.txt"), " 計算.txtに保存しました。\r\n");
    EXPECT_TRUE(std::filesystem::exists(u8"計算.txt"));
    std::ofstream(u8"表.tvs") << "t=9\n";
    EXPECT_EQ(Run("call 表").find(" 表.tvs を読み込みました"), 0u);
    EXPECT_EQ(Variable("t"), 9);
    // A name that is no CP932 is no file.
    EXPECT_EQ(Run("call \x81"), " \x81.tvs が見あたりません\r\n");
    EXPECT_EQ(Run("save \x81"), " 保存失敗 [\x81]\r\n");
}

} // namespace
