// File names on their way from the native file system into the core, and
// the bound on what a settings file may hold.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "shell/native/codepage.h"
#include "shell/native/native_paths.h"
#include "shell/native/profile.h"

namespace {

class NamesTest : public ::testing::Test {
  protected:
    std::string folder;
    void SetUp() override {
        char pattern[] = "/tmp/tolvane-names-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    // A file in the folder with some text; returns its path.
    std::string Make(const std::string& name, const std::string& text = "x=1\n") {
        std::string path = folder + "/" + name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << text;
        return path;
    }
    // What the core's name opens, read back through UTF-8.
    static std::string Opened(const std::string& coreName) {
        std::string utf8;
        EXPECT_TRUE(Cp932NameToUtf8(coreName.c_str(), &utf8)) << coreName;
        std::ifstream in(utf8);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(NamesTest, TakeableNamesPassInCp932) {
    std::string plain = Make("calc.tvs");
    EXPECT_EQ(CoreNameOf(plain.c_str(), true), plain);
    std::string japanese = Make(u8"計算.tvs");
    EXPECT_EQ(CoreNameOf(japanese.c_str(), true), folder + "/計算.tvs");
    // A file that is not there goes in as it is, to be reported missing.
    EXPECT_EQ(CoreNameOf("no such file.tvs", true), "no such file.tvs");
}

TEST_F(NamesTest, OtherNamesOpenTheSameFileThroughALink) {
    const struct {
        const char* file;  // the file made (UTF-8)
        const char* given; // the path handed over, without the folder
        bool scriptRule;
    } cases[] = {
        {"my calc.tvs", "my calc.tvs", true},
        {"my calc.tvs", "my calc", true}, // call's ".tvs"
        {"it's.txt", "it's.txt", false},
        {"tab\there.tvs", "tab\there.tvs", true},
        {u8"emoji😀.tvs", u8"emoji😀.tvs", true},
        {u8"price£.tvs", u8"price£.tvs", true}, // its CP932 form is that of "￡"
    };
    for (const auto& c : cases) {
        std::string path = Make(c.file, std::string("content of ") + c.file);
        std::string given = folder + "/" + c.given;
        std::string name = CoreNameOf(given.c_str(), c.scriptRule);
        EXPECT_EQ(name.find_first_of(" \t'"), std::string::npos) << name;
        EXPECT_EQ(Opened(name), std::string("content of ") + c.file) << c.given;
        if (c.scriptRule) {
            EXPECT_EQ(name.substr(name.size() - 4), ".tvs");
        }
    }
    // A path longer than a statement holds.
    std::string deep = folder;
    for (int i = 0; i < 4; ++i) deep += "/" + std::string(150, 'a' + i);
    std::string path = Make(deep.substr(folder.size() + 1) + "/deep.tvs", "deep");
    ASSERT_GT(path.size(), 600u);
    std::string name = CoreNameOf(path.c_str(), true);
    EXPECT_LT(name.size(), 200u);
    EXPECT_EQ(Opened(name), "deep");
}

TEST(Profile, LargeOrEndlessFilesAreUnreadableAndKept) {
    std::string text;
    EXPECT_EQ(ReadProfileFile("/dev/zero", &text), kProfileTooLarge);
    EXPECT_EQ(ReadProfileFile("/dev/null", &text), kProfileRead);
    EXPECT_EQ(ReadProfileFile("/no/such/file", &text), kProfileMissing);
    EXPECT_EQ(GetProfileInt("/dev/zero", "Setup", "crflag", 5), 5);
    char path[] = "/tmp/tolvane-large-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    std::string big = "[Setup]\r\ncrflag=1\r\n" + std::string(kMaxProfileSize, ';');
    ASSERT_EQ(write(fd, big.data(), big.size()), (ssize_t)big.size());
    close(fd);
    EXPECT_EQ(GetProfileInt(path, "Setup", "crflag", 7), 7);
    EXPECT_FALSE(WriteProfileText(path, "Setup", "byte2", "1"));
    EXPECT_EQ(std::filesystem::file_size(path), big.size());
    unlink(path);
}

} // namespace
