// Built-in functions, the variable table and user-defined functions.
#include <math.h>
#include <string.h>

#include <string>

#include "session/settings.h"
#include "core_fixture.h"
#include "eval/builtins.h"
#include "eval/eval.h"
#include "session/definitions.h"
#include "eval/functions.h"
#include "eval/variables.h"

namespace {

const char kRange[] = " レンジオーバー\r\n";
const char kDivide[] = " Divide by 0\r\n";
const char kCannot[] = " 関数が登録できません\r\n";
const char kNoRoom[] = " 関数登録領域が足りません\r\n";

struct Value {
    const char* input;
    double value; // expected, within a relative 1e-15
};

// Evaluates a text from a reset error state; the value, or NAN on an error.
double ValueOf(const char* text) {
    double slot = 0.0;
    EvalState s = {};
    return EvaluateText(&s, text, &slot) == kNoError ? slot : NAN;
}

const Value kDegrees[] = {
    {"sin(30)", 0.5},
    {"asin(1)", 90},
    {"atan(1)", 45},
    {"acos(0)", 90},
    {"cos(90)", 6.123233995736766e-17},
    {"tan(45)", 1},
    {"sinh(2)", 3.626860407847019},
    {"cosh(0)", 1},
    {"tanh(0)", 0},
    {"exp(1)", 2.718281828459045},
    {"ln(exp(2))", 2},
    {"log(1000)", 3},
    {"sqrt(16)", 4},
    {"kai(0)", 1},
    {"kai(0.5)", 1},
    {"kai(3.7)", 6},
    {"kai(170)", 7.257415615307999e306},
    {"p(5,2)", 20},
    {"c(5,2)", 10},
    {"p(5.5,2)", 20},
    {"c(4.5,1.5)", 4},
    {"p(5,-1)", 120.0 / 720.0},
    {"mod(7,3)", 1},
    {"mod(-7,3)", -1},
    {"mod(7.5,2)", 1.5},
    {"int(2.5)", 3},
    {"int(-2.5)", -3},
    {"int(2.4999)", 2},
    {"int(-0.4)", 0},
    {"int(3000000000.5)", 3000000001},
    {"ceil(1.2)", 2},
    {"floor(-1.2)", -2},
    {"not(0)", 4294967295},
    {"not(1)", 4294967294},
    {"not(-1)", 0},
    {"not(2.9)", 4294967293},
    {"not(4294967296)", 4294967295},
    {"not(1E300)", 4294967295},
    {"sin(x=30)+x", 30.5},
    {"mod(sqrt(49),p(3,2))", 1},
};

class DegreesTest : public CoreTest, public ::testing::WithParamInterface<Value> {};

TEST_P(DegreesTest, Value) {
    double v = ValueOf(GetParam().input);
    EXPECT_NEAR(v, GetParam().value, fabs(GetParam().value) * 1e-15 + 1e-300) << GetParam().input;
}

INSTANTIATE_TEST_SUITE_P(Builtins, DegreesTest, ::testing::ValuesIn(kDegrees));

struct Output {
    const char* input;
    const char* output;
};

const Output kFailures[] = {
    {"ln(0)", kRange},
    {"log(-1)", kRange},
    {"sqrt(-4)", kRange},
    {"asin(1.5)", kRange},
    {"acos(-2)", kRange},
    {"kai(171)", kRange},
    {"kai(-0.5)", kRange},
    {"p(5,6)", kRange},
    {"c(5,6)", kRange},
    {"c(5,-1)", kRange},
    {"mod(7,0)", kDivide},
    {"SIN(30)", " 指定された関数がありません\r\n"},
    {"sin(30,40)", " 括弧の対応がとれません\r\n"},
    {"mod(7)", " 引数の対応がとれません\r\n Syntax error\r\n 括弧の対応がとれません\r\n"},
    {"sin", " 指定された変数がありません\r\n"},
    {"tan(90)", " 1.633E+016\r\n"},
    {"cos(90)", " 0\r\n"},
    {"exp(1000)", " INF\r\n"},
};

class FailureTest : public CoreTest, public ::testing::WithParamInterface<Output> {};

TEST_P(FailureTest, Prints) {
    EXPECT_EQ(Run(GetParam().input), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(Builtins, FailureTest, ::testing::ValuesIn(kFailures));

class BuiltinTest : public CoreTest {};

TEST_F(BuiltinTest, RadiansLeaveAnglesAlone) {
    g_settings.angleMode = kRadians;
    EXPECT_DOUBLE_EQ(ValueOf("sin(PI/2)"), 1);
    EXPECT_DOUBLE_EQ(ValueOf("asin(1)"), 1.5707963267948966);
    EXPECT_DOUBLE_EQ(ValueOf("sinh(2)"), 3.626860407847019);
}

TEST_F(BuiltinTest, TableOrderAndEndMarker) {
    EXPECT_EQ(FindBuiltin("exp"), 0);
    EXPECT_EQ(FindBuiltin("not"), 20);
    EXPECT_EQ(FindBuiltin("/"), -1);
    EXPECT_EQ(FindBuiltin("Sin"), -1);
    EXPECT_STREQ(kBuiltins[kBuiltinCount].name, "/");
    EXPECT_EQ(Factorial(-1), -1);
    EXPECT_EQ(Factorial(171), -1);
    EXPECT_EQ(Factorial(NAN), -1);
}

// Each row's name finds that row, and a call takes exactly its count of
// arguments: one more stops at the "," (error 1), one fewer at the ")" (error 4).
TEST_F(BuiltinTest, EveryRowIsFoundAndTakesItsArguments) {
    for (int i = 0; i < kBuiltinCount; ++i) {
        const Builtin& row = kBuiltins[i];
        std::string name = row.name;
        EXPECT_EQ(FindBuiltin(row.name), i) << name;
        double slot = 0.0;
        EvalState s = {};
        std::string call = name + (row.arguments == 1 ? "(1)" : "(1,1)");
        EXPECT_EQ(EvaluateText(&s, call.c_str(), &slot), kNoError) << call;
        std::string more = name + (row.arguments == 1 ? "(1,1)" : "(1,1,1)");
        EvaluateText(&s, more.c_str(), &slot);
        EXPECT_TRUE(s.errorFlags[kErrParen]) << more;
        if (row.arguments == 2) {
            std::string fewer = name + "(1)";
            EvaluateText(&s, fewer.c_str(), &slot);
            EXPECT_TRUE(s.errorFlags[kErrArguments]) << fewer;
        }
    }
}

class VariableTest : public CoreTest {};

TEST_F(VariableTest, AssignmentCreatesAndChanges) {
    EXPECT_EQ(Run("x=3"), " 3\r\n");
    EXPECT_EQ(g_vars.count, 1);
    EXPECT_EQ(Run("x = 4"), " 4\r\n");
    EXPECT_EQ(g_vars.count, 1);
    EXPECT_EQ(Run("X"), " 指定された変数がありません\r\n");
    EXPECT_EQ(Run("a=x=1"), " 4\r\n"); // the right side is a sum: =1 is left unread
    EXPECT_EQ(Run("pi=2"), " 2\r\n");
    EXPECT_EQ(Run("pi"), " 3.142\r\n");
}

TEST_F(VariableTest, FailedEvaluationStoresNothing) {
    Run("x=1/0");
    EXPECT_EQ(g_vars.count, 0);
    Run("y+(x=2)");
    EXPECT_EQ(g_vars.count, 0);
    Run("x=5");
    Run("x=1/0");
    double v;
    ASSERT_TRUE(FindVariable("x", &v));
    EXPECT_EQ(v, 5);
}

TEST_F(VariableTest, FullTableAndFullPool) {
    for (int i = 0; i < kMaxVariables; ++i) Run("v" + std::to_string(i) + "=" + std::to_string(i));
    EXPECT_EQ(g_vars.count, kMaxVariables);
    EXPECT_EQ(Run("w=1"), " 変数定義領域が足りません\r\n");
    EXPECT_EQ(Run("v7=70"), " 70\r\n");
    EXPECT_EQ(desktop.beeps, 0);

    ResetCore();
    for (int i = 10; i < 24; ++i) Run(std::string(68, 'n') + std::to_string(i) + "=1");
    EXPECT_EQ(g_vars.used, 14 * 71);
    EXPECT_EQ(Run(std::string(30, 'q') + "=1"), " 変数定義領域が足りません\r\n");
    EXPECT_EQ(Run(std::string(29, 'q') + "=1"), " 1\r\n"); // fills the pool exactly
    EXPECT_EQ(g_vars.used, kVariablePoolSize);
}

class UserFunctionTest : public CoreTest {};

TEST_F(UserFunctionTest, DefineCallAndList) {
    EXPECT_EQ(Run("def f(x)=x*2"), " 関数 f() を登録しました\r\n");
    EXPECT_EQ(Run("f(3)+1"), " 7\r\n");
    double x;
    ASSERT_TRUE(FindVariable("x", &x));
    EXPECT_EQ(x, 1);
    Run("x=5");
    EXPECT_EQ(Run("f(3)"), " 6\r\n");
    ASSERT_TRUE(FindVariable("x", &x));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(Run("def g(x,y)=x-y"), " 関数 g() を登録しました\r\n");
    EXPECT_EQ(Run("g(5,2)"), " 3\r\n");
    EXPECT_EQ(Run("g(5)"),
              " 引数の対応がとれません\r\n Syntax error\r\n 引数の対応がとれません\r\n");
    EXPECT_EQ(Run("g(5,2,1)"), " 引数の対応がとれません\r\n");
    EXPECT_EQ(Run("def h(x)=f(x)+1"), " 関数 h() を登録しました\r\n");
    EXPECT_EQ(Run("h(3)"), " 7\r\n");
    ListFunctions();
    EXPECT_NE(Text().find(" f(x)=x*2\r\n g(x,y)=x-y\r\n h(x)=f(x)+1\r\n"), std::string::npos);
}

TEST_F(UserFunctionTest, Refusals) {
    EXPECT_EQ(Run("def sin(x)=x"), " 関数名 sin は予約されています\r\n");
    EXPECT_EQ(Run("def f x)=x"), kCannot);
    EXPECT_EQ(Run("def f()=1"), kCannot);
    EXPECT_EQ(Run("def f(x)+1=x"), kCannot);
    EXPECT_EQ(Run("def f(2)=1"), kCannot);
    EXPECT_EQ(Run("def f(x)=x+zz"), " 指定された変数がありません\r\n" + std::string(kCannot));
    EXPECT_EQ(Run("def f(x)=g(x)"), " 指定された関数がありません\r\n" + std::string(kCannot));
    EXPECT_EQ(Run("def f(x)="), " 指定された関数がありません\r\n" + std::string(kCannot));
    EXPECT_EQ(g_funcs.count, 0);
    EXPECT_EQ(Run("def f(x)=ln(x-1)"), " レンジオーバー\r\n 関数 f() を登録しました\r\n");
    EXPECT_EQ(Run("q(1)+2"), " 指定された関数がありません\r\n");
}

TEST_F(UserFunctionTest, ParameterLimitAndLongNames) {
    std::string params = "a0";
    for (int i = 1; i < kMaxParameters; ++i) params += ",a" + std::to_string(i);
    EXPECT_EQ(Run("def f(" + params + ")=a0+a19"), " 関数 f() を登録しました\r\n");
    EXPECT_EQ(Run("def g(" + params + ",a20)=a0"), kCannot);
    EXPECT_EQ(Run("def " + std::string(80, 'n') + "(x)=x"), kCannot);
    EXPECT_EQ(Run("def k(" + std::string(80, 'p') + ")=1"), kCannot);
}

TEST_F(UserFunctionTest, Redefinition) {
    Run("def f(x)=x");
    EXPECT_EQ(Run("def g(x)=2*x"), " 関数 g() を登録しました\r\n");
    desktop.answer = false;
    EXPECT_EQ(Run("def f(x,y)=x*y"), "");
    EXPECT_EQ(desktop.log.back(), "question 関数 f() は既に定義されています。\n書き換えますか？");
    EXPECT_EQ(Run("f(4)"), " 4\r\n");
    desktop.answer = true;
    EXPECT_EQ(Run("def f(x,y)=x*y"), " 関数 f() を登録しました\r\n");
    EXPECT_EQ(Run("f(4,5)"), " 20\r\n");
    EXPECT_EQ(FindFunction("f"), 0); // keeps its place
}

TEST_F(UserFunctionTest, RecursionIsBounded) {
    Run("def f(x)=x");
    Run("def f(x)=f(x)");
    EXPECT_EQ(Run("f(1)"), " メモリーが足りません\r\n");
    Run("def a(x)=x");
    Run("def b(x)=a(x)");
    Run("def a(x)=b(x)+b(x)");
    EXPECT_EQ(Run("a(1)"), " メモリーが足りません\r\n");
    double x;
    ASSERT_TRUE(FindVariable("x", &x));
    EXPECT_EQ(x, 1); // every level put its parameter back
}

TEST_F(UserFunctionTest, PoolCompaction) {
    // Each definition takes 2 + 1 + 200 + 3 = 206 bytes of the pool.
    std::string body(200, '1');
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Run("def f" + std::to_string(i) + "(x)=" + body),
                  " 関数 f" + std::to_string(i) + "() を登録しました\r\n");
    }
    EXPECT_EQ(Run("def f0(x)=2"), " 関数 f0() を登録しました\r\n"); // redefined: stale text
    EXPECT_EQ(Run("def f4(x)=" + body), kNoRoom);                   // compacts, refuses
    EXPECT_EQ(Run("def f4(x)=" + body), " 関数 f4() を登録しました\r\n");
    EXPECT_EQ(Run("f0(1)+f3(1)"), " 1.111E+199\r\n");
    EXPECT_EQ(g_funcs.count, 5);
}

TEST_F(UserFunctionTest, FiftyFunctions) {
    for (int i = 0; i < kMaxFunctions; ++i) Run("def f" + std::to_string(i) + "(x)=x");
    EXPECT_EQ(g_funcs.count, kMaxFunctions);
    EXPECT_EQ(Run("def f1(x)=2"), kNoRoom);
    EXPECT_EQ(Run("def x(a)=a*3"), kNoRoom);
}

TEST_F(UserFunctionTest, VariableAndFunctionShareAName) {
    Run("x=2");
    Run("def x(a)=a*3");
    EXPECT_EQ(Run("x(x)"), " 6\r\n");
}

} // namespace
