// The evaluator through statement entry: values, errors, literals, nesting.
#include <string>

#include "session/console.h"
#include "session/settings.h"
#include "core_fixture.h"
#include "eval/eval.h"
#include "eval/variables.h"

namespace {

struct Case {
    const char* input;
    const char* output; // what the statement prints
};

const char kSyntax[] = " Syntax error\r\n";
const char kParen[] = " 括弧の対応がとれません\r\n";
const char kNoFunction[] = " 指定された関数がありません\r\n";
const char kArguments[] = " 引数の対応がとれません\r\n";
const char kNoVariable[] = " 指定された変数がありません\r\n";
const char kMemory[] = " メモリーが足りません\r\n";
const char kDivide[] = " Divide by 0\r\n";
const char kNumber[] = " 数値の書式が違います\r\n";
const char kRange[] = " レンジオーバー\r\n";

const Case kExpressions[] = {
    // grammar and precedence
    {"1+2", " 3\r\n"},
    {"1-2-3", " -4\r\n"},
    {"8/2/2", " 2\r\n"},
    {"2^3^2", " 512\r\n"},
    {"2*3&1", " 2\r\n"},
    {"8&12|1", " 8\r\n"},
    {"-2^2", " 4\r\n"},
    {"2^-1", " 0.500\r\n"},
    {"+5", " 5\r\n"},
    {"2*(3+4)", " 14\r\n"},
    // what is left after a complete expression is ignored
    {"1+2)", " 3\r\n"},
    {"3(4)", " 3\r\n"},
    {"1,2", " 1\r\n"},
    {"3=4", " 3\r\n"},
    // names
    {"pi", " 3.142\r\n"},
    {"PI", " 3.142\r\n"},
    {"Pi*0", " 0\r\n"},
    {"ANS", " 0\r\n"},
    // literals
    {"0x10", " 16\r\n"},
    {"0b101", " 5\r\n"},
    {"0xffffffff", " -1\r\n"},
    {"0x80000000", " -2.147E+009\r\n"},
    {"0x7fffffff", " 2.147E+009\r\n"},
    {"0x123456789", " 591751049\r\n"},
    {"0b11111111111111111111111111111111", " -1\r\n"},
    {"1E3", " 1000\r\n"},
    {"1E+3", " 1000\r\n"},
    {"1.5E-3", " 0.002\r\n"},
    {".5", " 0.500\r\n"},
    {"1.2.3", " 1.200\r\n"},
    {"1E", " 1\r\n"},
    {"1E-400", " 0\r\n"},
    {"123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890/"
     "1E80",
     " 1.235E+009\r\n"},
    // bitwise operators work on the low 32 bits
    {"6&3", " 2\r\n"},
    {"6~3", " 5\r\n"},
    {"2.9&3", " 2\r\n"},
    {"-1|0", " 4.295E+009\r\n"},
    {"-2.5&255", " 254\r\n"},
    {"4294967296&1", " 0\r\n"},
    {"1E30|0", " 0\r\n"},
    {"(1/0)|0", kDivide},
    // errors: each message once, no value
    {"(1+2", kParen},
    {"#5", kNoFunction},
    {"%5", kNoFunction},
    {"x", kNoVariable},
    {"x+1", kNoVariable},
    {"q(1)+2", kNoFunction},
    {"q(1)+r(2)", kNoFunction},
    {"1/0", kDivide},
    {"1/(2-2)", kDivide},
    {"(-8)^(1/3)", kRange},
    {"(-8)^3", " -512\r\n"},
    {"2^0.5", " 1.414\r\n"},
    {"--5", kSyntax},
    {"x=", kSyntax},
    {"0b", kNumber},
    {"0x", kNumber},
    {"0xFF", kNumber},
    {"0X1f", kNumber},
    {"0b102", kNumber},
    {"1e3", kNumber},
    {"2x", kNumber},
    {"12abc", kNumber},
    {".", kNumber},
    {".E5", kNumber},
    {"E", kNoVariable},
    {"1+", kSyntax},
    {"*2", kSyntax},
    {"(", " Syntax error\r\n 括弧の対応がとれません\r\n"},
    {"1/0+x", " Divide by 0\r\n 指定された変数がありません\r\n"},
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.input;
}

class ExpressionTest : public CoreTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ExpressionTest, PrintsValueOrMessage) {
    EXPECT_EQ(Run(GetParam().input), GetParam().output) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Table, ExpressionTest, ::testing::ValuesIn(kExpressions));

class EvaluatorTest : public CoreTest {};

TEST_F(EvaluatorTest, ResultBecomesAnsOnlyWithoutError) {
    Run("6*7");
    EXPECT_EQ(g_console.ans, 42);
    Run("1/0");
    EXPECT_EQ(g_console.ans, 42);
    EXPECT_EQ(Run("ans+1"), " 43\r\n");
}

TEST_F(EvaluatorTest, EveryErrorBeepsOnce) {
    Run("1/0+x");
    EXPECT_EQ(desktop.beeps, 2);
    Run("1+2");
    EXPECT_EQ(desktop.beeps, 2);
}

TEST_F(EvaluatorTest, ErrorStateAfterReports) {
    double slot = 0;
    EvalState s = {};
    EXPECT_EQ(EvaluateText(&s, "x+1", &slot), kErrNoVariable);
    EXPECT_EQ(slot, 2.0);
    EXPECT_EQ(s.fatal, 0);
    EXPECT_EQ(EvaluateText(&s, "(1+2", &slot), kErrParen);
    EXPECT_EQ(slot, 3.0);
    EXPECT_EQ(s.fatal, 1);
    slot = 5;
    StartEvaluation(&s, s.cursor);
    EXPECT_EQ(Evaluate(&s, &slot), -1.0); // the cursor is at the end now: empty text
    EXPECT_EQ(slot, 5.0);
    EXPECT_EQ(s.error, kErrNoFunction);
    EXPECT_EQ(EvaluateText(&s, "1/0", &slot), kErrDivide);
    EXPECT_EQ(slot, 1e99);
    EXPECT_TRUE(s.errorFlags[kErrDivide]);
    EXPECT_FALSE(s.errorFlags[kErrParen]); // the reset cleared it
}

TEST_F(EvaluatorTest, NestingIsBoundedWithOneMessage) {
    std::string deep(300, '(');
    deep += "1";
    deep += std::string(300, ')');
    EXPECT_EQ(Run(deep), kMemory);
    EXPECT_EQ(desktop.beeps, 1);
    std::string fine(150, '(');
    fine += "2";
    fine += std::string(150, ')');
    EXPECT_EQ(Run(fine), " 2\r\n");
    std::string power;
    for (int i = 0; i < 400; ++i) power += "1^";
    power += "1";
    EXPECT_EQ(Run(power), kMemory);
    std::string calls;
    for (int i = 0; i < 300; ++i) calls += "sin(";
    EXPECT_EQ(Run(calls), kMemory);
    EXPECT_EQ(Run("1+1"), " 2\r\n");
}

TEST_F(EvaluatorTest, StrangeBytesGiveMessagesNotCrashes) {
    for (int c = 0x80; c <= 0xFF; ++c) {
        std::string line(1, (char)c);
        line += "+1";
        std::string out = Run(line);
        EXPECT_FALSE(out.empty()) << c;
        EXPECT_EQ(out[0], ' ') << c;
    }
    // A double-byte name whose second byte is a backslash, and one whose
    // second byte is "|", stay whole names.
    EXPECT_EQ(Run("表=3"), " 3\r\n");
    EXPECT_EQ(Run("表*2"), " 6\r\n");
    EXPECT_EQ(Run("ポ=4"), " 4\r\n");
    EXPECT_EQ(Run("ポ+表"), " 7\r\n");
    EXPECT_EQ(Run("ｶﾅ=5"), " 5\r\n");
}

TEST_F(EvaluatorTest, LongTokens) {
    std::string name(200, 'a');
    EXPECT_EQ(Run(name + "=7"), " 7\r\n");
    EXPECT_EQ(Run(name), " 7\r\n");
    // Names are significant to 79 bytes.
    EXPECT_EQ(Run(std::string(79, 'a')), " 7\r\n");
    std::string number = "1" + std::string(120, '0');
    EXPECT_EQ(Run(number + "/1E120"), " 1\r\n");
    EXPECT_EQ(Run(std::string(600, '9') + "x"), kNumber);
}

TEST_F(EvaluatorTest, LongStatementsStayInBounds) {
    std::string line;
    while (line.size() < 1100) line += "1+";
    line += "1";
    Run(line); // cut to the statement buffer: whatever it prints, no overrun
    std::string sum;
    for (int i = 0; i < 255; ++i) sum += "1+";
    sum += "1";
    EXPECT_EQ(Run(sum), " 256\r\n");
}

} // namespace
