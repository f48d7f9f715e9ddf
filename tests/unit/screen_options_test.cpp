// The command line of the terminal program's new modes.
#include <gtest/gtest.h>

#include "shell/native/options.h"

namespace {

bool Parse(std::vector<const char*> args, Options* o) {
    args.insert(args.begin(), "tolvane");
    char error[256];
    return ParseOptions((int)args.size(), const_cast<char**>(args.data()), o, error, sizeof error);
}

TEST(ScreenOptions, ScreenSizeAndTranscript) {
    Options o;
    ASSERT_TRUE(Parse({"--keys", "k", "--screen", "80x24", "--transcript"}, &o));
    EXPECT_EQ(o.screenColumns, 80);
    EXPECT_EQ(o.screenRows, 24);
    EXPECT_TRUE(o.transcript);
    const char* bad[] = {"80",   "80x",     "x24",    "80x24x", "19x24",
                         "80x3", "1001x24", "80 x24", "-80x24"};
    for (const char* size : bad) {
        Options rejected;
        EXPECT_FALSE(Parse({"--screen", size}, &rejected)) << size;
    }
}

} // namespace
