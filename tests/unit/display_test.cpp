// The result formatter: decimal renderings, engineering notation, the hex and
// bin lines, and the settings report, printed into the in-memory console.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "session/console.h"
#include "session/settings.h"
#include "eval/number_text.h"
#include "session/print.h"
#include "tests/unit/core_fixture.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct RenderCase {
    double value;
    int precision;
    const char* text;
};

std::string Fixed(double value, int precision) {
    char out[kRenderSize];
    RenderFixed(value, precision, out, sizeof out);
    return out;
}

std::string Exponent(double value, int precision) {
    char out[kRenderSize];
    RenderExponent(value, precision, out, sizeof out);
    return out;
}

TEST(RenderFixed, RoundsTheSeventeenDigitStringHalfUp) {
    const RenderCase cases[] = {
        {0.0625, 3, "0.063"}, // exact tie: up, not to even
        {0.125, 2, "0.13"},   // exact tie
        {2.5, 0, "3"},        // exact tie
        {0.5, 0, "1"},        // exact tie
        {-0.5, 0, "-1"},      // ties go away from zero
        {0.105, 2, "0.11"},   // 0.1049999... whose 17 digits read 0.10500000000000000
        {0.9996, 3, "1.000"}, // carry into the integer part
        {9.9995, 3, "9.999"}, // 17 digits 9.9994999999999994
        {0.1 + 0.2, 17, "0.30000000000000004"},
        {0.1 + 0.2, 16, "0.3000000000000000"},
        {0.1 + 0.2, 20, "0.30000000000000004000"},
        {-0.0001, 3, "-0.000"}, // sign kept for values that round to 0
        {-0.0001, 0, "-0"},
        {-0.0, 2, "-0.00"},
        {0.0, 0, "0"},
        {1e-300, 3, "0.000"},
        {0.4, 0, "0"},
        {0.05, 1, "0.1"},
        {1e21, 2, "1000000000000000000000.00"},
        {123456789012345678.0, 0, "123456789012345680"},
        // Positions past the 17th significant digit print as 0.
        {123456789012345678901.0, 0, "123456789012345680000"},
        {1e23, 0, "99999999999999992000000"},
        {999999999.9996, 3, "1000000000.000"},
        {-2.0, 3, "-2.000"},
    };
    for (const RenderCase& c : cases)
        EXPECT_EQ(Fixed(c.value, c.precision), c.text) << c.value << " p=" << c.precision;
}

TEST(RenderExponent, HasThreeExponentDigitsAndRoundsHalfUp) {
    const RenderCase cases[] = {
        {1234.5, 3, "1.235E+003"}, // exact tie
        {1234.56, 3, "1.235E+003"},
        {1e-12, 3, "1.000E-012"},
        {5e-10, 3, "5.000E-010"},
        {1e9, 3, "1.000E+009"},
        {0.0, 3, "0.000E+000"},
        {-0.0, 2, "-0.00E+000"},
        {-9.99951, 3, "-1.000E+001"}, // the carry moves the exponent
        {1e23, 15, "9.999999999999999E+022"},
        {1e23, 14, "1.00000000000000E+023"},
        {1e100, 0, "1E+100"},
        {1e-300, 3, "1.000E-300"},
        {5e-324, 3, "4.941E-324"},
        {1.7976931348623157e308, 16, "1.7976931348623157E+308"},
        {1.7976931348623157e308, 20, "1.79769313486231570000E+308"},
        {-1.7976931348623157e308, 3, "-1.798E+308"},
        {123456789012345678.0, 3, "1.235E+017"},
        {kInf, 3, "INF"},
        {-kInf, 3, "-INF"},
        {kNaN, 3, "NAN"},
    };
    for (const RenderCase& c : cases)
        EXPECT_EQ(Exponent(c.value, c.precision), c.text) << c.value << " p=" << c.precision;
}

TEST(RenderDecimal, PrecisionOutsideTheRangeIsClamped) {
    EXPECT_EQ(Fixed(2.5, -1), "3");
    EXPECT_EQ(Fixed(2.5, std::numeric_limits<int>::min()), "3");
    EXPECT_EQ(Exponent(1234.5, -7), "1E+003");
    std::string widest = Exponent(-1.0 / 3, 67);
    EXPECT_EQ(Exponent(-1.0 / 3, 1000), widest);
    EXPECT_EQ(Exponent(-1.0 / 3, std::numeric_limits<int>::max()), widest);
    EXPECT_EQ(widest.size(), 1u + 1 + 1 + 67 + 5);
    EXPECT_EQ(widest.substr(0, 19), "-3.3333333333333331");
    EXPECT_EQ(Fixed(-999999999.25, 67).size(), 1u + 9 + 1 + 67);
}

TEST(RenderDecimal, TooSmallABufferGivesAnEmptyText) {
    char out[8] = "xxxxxxx";
    EXPECT_EQ(RenderFixed(1e21, 2, out, sizeof out), -1);
    EXPECT_STREQ(out, "");
    char fits[12];
    EXPECT_EQ(RenderExponent(-1.5, 3, fits, 11), -1);
    EXPECT_EQ(RenderExponent(-1.5, 3, fits, sizeof fits), 11);
    EXPECT_STREQ(fits, "-1.500E+000");
    EXPECT_EQ(RenderFixed(1.5, 1, out, 0), -1);
    char big[400];
    ASSERT_EQ(RenderFixed(1.7976931348623157e308, 0, big, sizeof big), 309);
    EXPECT_EQ(std::string(big, 17), "17976931348623157");
    EXPECT_EQ(std::string(big + 17), std::string(292, '0'));
}

TEST(RenderHex, TruncatesToSixtyFourBitsAndKeepsTheLowThirtyTwo) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {255, "0000 00FF"},
        {-1, "FFFF FFFF"},
        {3.99, "0000 0003"},
        {-3.99, "FFFF FFFD"},
        {2147483648.0, "8000 0000"},
        {-2147483649.0, "7FFF FFFF"},
        {4294967296.0, "0000 0000"},
        {4294967297.0, "0000 0001"},
        {1e20, "0000 0000"},
        {9223372036854775808.0, "0000 0000"}, // 2^63: out of range
        {-9223372036854775808.0, "0000 0000"},
        {9223372036854774784.0, "FFFF FC00"}, // the largest double below 2^63
        {kInf, "0000 0000"},
        {-kInf, "0000 0000"},
        {kNaN, "0000 0000"},
    };
    for (const auto& c : cases) {
        char hex[kHexTextSize];
        RenderHexText(c.value, hex);
        EXPECT_STREQ(hex, c.text) << c.value;
    }
}

TEST(DecimalsAllZero, ScansFromTheEnd) {
    EXPECT_TRUE(DecimalsAllZero("0.000"));
    EXPECT_TRUE(DecimalsAllZero("-0.000"));
    EXPECT_TRUE(DecimalsAllZero("12.000"));
    EXPECT_TRUE(DecimalsAllZero("0"));
    EXPECT_FALSE(DecimalsAllZero("100")); // no point: a 1 is met first
    EXPECT_FALSE(DecimalsAllZero("0.010"));
    EXPECT_FALSE(DecimalsAllZero("10.5"));
    EXPECT_FALSE(DecimalsAllZero("1"));
}

class DisplayTest : public CoreTest {
  protected:
    // What PrintValue prints for a value in a style.
    std::string Print(double value, PrintStyle style = kPrintResult) {
        int before = edit.GetTextLength();
        PrintValue(value, style);
        return std::string(Text(), before);
    }

    // A result line without its line end.
    std::string Line(double value) {
        std::string text = Print(value);
        return text.substr(0, text.size() - 2);
    }

    // The engineering rendering, or "-1" when FormatEngineering declines.
    std::string Engineering(double value) {
        char out[kRenderSize] = "untouched";
        if (FormatEngineering(value, out) < 0) return std::string("-1 ") + out;
        return out;
    }
};

TEST_F(DisplayTest, FixedModeTable) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1, "1"},
        {1.5, "1.500"},
        {2.0 / 3, "0.667"},
        {-2, "-2"},
        {0.0004, "0"}, // its three decimals are zeros
        {-0.0001, "-0"},
        {0.0625, "0.063"},
        {5e-10, "5.000E-010"},
        {1e-9, "0"}, // fixed branch, decimals all zero
        {1e9, "1.000E+009"},
        {999999999, "999999999"},
        {999999999.9996, "1000000000"},
        {1e21, "1.000E+021"},
        {0.1 + 0.2, "0.300"},
        {123456789012345678.0, "1.235E+017"},
        {1.7976931348623157e308, "1.798E+308"},
        {-1.7976931348623157e308, "-1.798E+308"},
        {1e-13, "0"},
        {kNaN, "0"},
        {kInf, "INF"},
        {-kInf, "-INF"},
    };
    for (const auto& c : cases) EXPECT_EQ(Line(c.value), c.text) << c.value;
}

TEST_F(DisplayTest, PrecisionZeroAndSixtySevenInFixedMode) {
    g_settings.precision = 0;
    EXPECT_EQ(Line(2.5), "3");
    EXPECT_EQ(Line(-0.4), "-0");
    EXPECT_EQ(Line(1e9), "1E+009");
    g_settings.precision = 67;
    EXPECT_EQ(Line(0.1), "0.1" + std::string(15, '0') + "1" + std::string(50, '0'));
    g_settings.precision = -3;
    EXPECT_EQ(Line(1.5), "2");
    g_settings.precision = 500;
    EXPECT_EQ(Line(0.1), "0.1" + std::string(15, '0') + "1" + std::string(50, '0'));
}

TEST_F(DisplayTest, ExponentMode) {
    g_settings.displayMode = kExponent;
    EXPECT_EQ(Line(1234.5), "1.235E+003");
    EXPECT_EQ(Line(1), "1.000E+000");
    EXPECT_EQ(Line(-0.0001), "-1.000E-004");
    EXPECT_EQ(Line(1e-300), "0"); // below the threshold
    EXPECT_EQ(Line(kInf), "INF");
    g_settings.precision = 67;
    EXPECT_EQ(Line(-1.7976931348623157e308).size(), 75u);
}

TEST_F(DisplayTest, EngineeringTable) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1234.56, "1.235E+003"},
        {0.05, "50.000E-003"},
        {0.001, "1.000E-003"},
        {1, "1.000E+000"},
        {123456, "123.456E+003"},
        {-4700, "-4.700E+003"},
        {0.0005, "500.000E-006"},
        {999.9999, "1000.000E+000"}, // the mantissa rounds up and stays
        {1000, "1.000E+003"},
        {0.5, "500.000E-003"},
        {0.9999999999999999, "1000.000E-003"},
        {1e21, "1.000E+021"},
        {1e-300, "1.000E-300"},
        {1.7976931348623157e308, "179.769E+306"},
        {-1.7976931348623157e308, "-179.769E+306"},
        // Subnormals: the power of ten itself would lose its digits.
        {2.2250738585072014e-308, "22.251E-309"},
        {1e-320, "10.000E-321"},
        {5e-324, "4.941E-324"},
        {kInf, "INF"},
        {-kInf, "-INF"},
        {0, "-1 untouched"},
        {-0.0, "-1 untouched"},
    };
    for (const auto& c : cases) EXPECT_EQ(Engineering(c.value), c.text) << c.value;
}

TEST_F(DisplayTest, EngineeringModePrintsThroughFormatEngineering) {
    g_settings.displayMode = kEngineering;
    EXPECT_EQ(Print(0.0005), "500.000E-006\r\n");
    g_settings.precision = 0;
    EXPECT_EQ(Line(-4700), "-5E+003");
    g_settings.precision = 67;
    std::string widest = Line(-999.9999);
    EXPECT_EQ(widest.size(), 1u + 3 + 1 + 67 + 5);
    EXPECT_EQ(widest.substr(0, 18), "-999.9999000000000");
}

TEST_F(DisplayTest, ExactZeroWithoutAThreshold) {
    g_settings.zeroThreshold = 0;
    g_settings.displayMode = kEngineering;
    EXPECT_EQ(Line(0), "0.000E+000");
    EXPECT_EQ(Line(-0.0), "-0.000E+000");
    g_settings.precision = 0;
    EXPECT_EQ(Line(0), "0E+000");
    g_settings.displayMode = kFixed;
    EXPECT_EQ(Line(0), "0E+000"); // below 1e-9: the exponent branch
    EXPECT_EQ(Line(kNaN), "0");
    g_settings.zeroThreshold = -1;
    EXPECT_EQ(Line(kNaN), "0");
}

TEST_F(DisplayTest, ThresholdItselfPrintsNormally) {
    g_settings.zeroThreshold = 0.5;
    EXPECT_EQ(Line(0.5), "0.500");
    EXPECT_EQ(Line(-0.5), "-0.500");
    EXPECT_EQ(Line(0.4999), "0");
    EXPECT_EQ(Print(-0.4999), "0\r\n");
}

TEST_F(DisplayTest, HexAndBinLines) {
    g_settings.hexFlag = 1;
    EXPECT_EQ(Print(255), "255\r\n  (0x 0000 00FF)\r\n");
    EXPECT_EQ(Line(-1), "-1\r\n  (0x FFFF FFFF)");
    EXPECT_EQ(Line(4294967296.0), "4.295E+009\r\n  (0x 0000 0000)");
    EXPECT_EQ(Line(1e20), "1.000E+020\r\n  (0x 0000 0000)");
    g_settings.binFlag = 1;
    EXPECT_EQ(Print(5), "5\r\n  (0x 0000 0005)\r\n"
                        "  (0b 0000 0000 0000 0000  0000 0000 0000 0101)\r\n");
    g_settings.hexFlag = 0;
    EXPECT_EQ(Line(-1), "-1\r\n  (0b 1111 1111 1111 1111  1111 1111 1111 1111)");
    g_settings.byte2 = 1;
    EXPECT_EQ(Line(5), "5\r\n  (0b 0000 0000 0000 0101)");
    EXPECT_EQ(Line(-2.5), "-2.500\r\n  (0b 1111 1111 1111 1110)");
    EXPECT_EQ(Line(kInf), "INF\r\n  (0b 0000 0000 0000 0000)");
}

TEST_F(DisplayTest, NoRenderingsForZeroOrPlain) {
    g_settings.hexFlag = 1;
    g_settings.binFlag = 1;
    EXPECT_EQ(Print(1e-13), "0\r\n");
    EXPECT_EQ(Line(kNaN), "0");
    EXPECT_EQ(Print(255, kPrintTyped), "255");
}

TEST_F(DisplayTest, SuppressedOutputPrintsNothing) {
    g_settings.hexFlag = 1;
    g_console.suppress = 1;
    EXPECT_EQ(Print(255), "");
    PrintSettingsReport(kWithAns);
    EXPECT_EQ(edit.GetTextLength(), 0);
}

TEST_F(DisplayTest, SettingsReportAtStart) {
    PrintSettingsReport(kWithAns);
    EXPECT_EQ(Text(), std::string(" 小数点以下 3 桁：固定小数点表示\r\n"
                                  " 絶対値が 1.000E-012 未満の時０と表示\r\n"
                                  " \r\n 0\r\n"));
}

TEST_F(DisplayTest, SettingsReportNamesEachNotation) {
    g_settings.displayMode = kExponent;
    g_settings.precision = 0;
    g_settings.zeroThreshold = 0.00015;
    PrintSettingsReport(kWithoutAns);
    EXPECT_EQ(Text(), std::string(" 小数点以下 0 桁：指数表示\r\n"
                                  " 絶対値が 1.500E-004 未満の時０と表示\r\n"));
    edit.Reset();
    g_settings.displayMode = kEngineering;
    g_settings.precision = 5;
    g_settings.zeroThreshold = 1e300;
    g_settings.hexFlag = 1;
    g_console.ans = 1234.56;
    PrintSettingsReport(kWithAns);
    EXPECT_EQ(Text(), std::string(" 小数点以下 5 桁：指数表示(工学的)\r\n"
                                  " 絶対値が 1.000E+300 未満の時０と表示\r\n"
                                  " \r\n 0\r\n"));
    edit.Reset();
    g_settings.zeroThreshold = 1e-12;
    g_settings.precision = -4; // printed as given, rendered as 0 decimals
    PrintSettingsReport(kWithAns);
    EXPECT_EQ(Text(), std::string(" 小数点以下 -4 桁：指数表示(工学的)\r\n"
                                  " 絶対値が 1.000E-012 未満の時０と表示\r\n"
                                  " \r\n 1E+003\r\n  (0x 0000 04D2)\r\n"));
}

} // namespace
