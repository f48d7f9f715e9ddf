// tolvane-digits: the number texts of a fixed set of doubles and the values
// of a fixed set of decimal texts, one line each. The native program and the
// Windows one must print the same bytes: the first takes the C++ library's
// conversions, the second mingw-w64's C99 printf and strtod.
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include "eval/number_text.h"
#include "session/print.h"

namespace {

// A small fixed generator, the same sequence on every platform.
uint64_t g_state = 0x9E3779B97F4A7C15ull;

// The next 64 pseudo-random bits (xorshift64*).
uint64_t Next() {
    g_state ^= g_state >> 12;
    g_state ^= g_state << 25;
    g_state ^= g_state >> 27;
    return g_state * 0x2545F4914F6CDD1Dull;
}

// A double from its bits.
double FromBits(uint64_t bits) {
    double v;
    memcpy(&v, &bits, sizeof v);
    return v;
}

// The bits of a double.
unsigned long long Bits(double v) {
    uint64_t bits;
    memcpy(&bits, &v, sizeof bits);
    return (unsigned long long)bits;
}

// One value's renderings, then its 17-digit text read back.
void PrintValue(double v) {
    char digits[kRenderSize], fixed[kRenderSize], exponent[kRenderSize], eng[kRenderSize];
    RenderExponent(v, 16, digits, sizeof digits);
    RenderFixed(v, 3, fixed, sizeof fixed);
    RenderExponent(v, 5, exponent, sizeof exponent);
    RenderEngineering(v, 0, 0, eng, sizeof eng);
    double back = 0;
    bool ok = DecimalLiteral(digits, (int)strlen(digits), &back);
    printf("%s %s %s %s %d %016llx\n", digits, fixed, exponent, eng, ok ? 1 : 0, Bits(back));
}

// One decimal text read as a literal.
void PrintParse(const char* text) {
    double v = 0;
    bool ok = DecimalLiteral(text, (int)strlen(text), &v);
    printf("%s %d %016llx\n", text, ok ? 1 : 0, Bits(v));
}

} // namespace

int main() {
    // Doubles of every exponent, values near a rounding boundary, and the
    // halves that half-up rounding decides.
    for (int i = 0; i < 20000; ++i) {
        uint64_t bits = Next() & 0x7FFFFFFFFFFFFFFFull;
        double v = FromBits(bits);
        if ((bits >> 52) == 0x7FF) continue; // not finite
        PrintValue(i % 2 ? v : -v);
    }
    for (int i = 0; i < 5000; ++i) {
        double scale = FromBits((uint64_t)(1023 - 30 + (int)(Next() % 60)) << 52);
        PrintValue((double)(Next() % 2000001) / 2000.0 * scale);
        PrintValue((double)(Next() % 100000) + 0.5);
        PrintValue((double)(Next() % 100000) / 1000.0 + 0.0005);
    }
    // Decimal texts longer than 17 digits, of every magnitude, and the edges.
    char text[64];
    for (int i = 0; i < 10000; ++i) {
        int n = 0;
        int digits = 1 + (int)(Next() % 25);
        for (int k = 0; k < digits; ++k) {
            if (k == 1) text[n++] = '.';
            text[n++] = (char)('0' + Next() % 10);
        }
        int exponent = (int)(Next() % 700) - 350;
        n += snprintf(text + n, sizeof text - (size_t)n, "E%+d", exponent);
        PrintParse(text);
    }
    const char* const edges[] = {"1E400",
                                 "1E-400",
                                 "2.4703282292062327E-324",
                                 "2.4703282292062328E-324",
                                 "1.7976931348623158E+308",
                                 "1.7976931348623159E+308",
                                 "4.9E-324",
                                 "1E",
                                 "1E+",
                                 ".5",
                                 "5.",
                                 "1.2.3",
                                 "0.000000000000000000001",
                                 "123456789012345678901234567890"};
    for (const char* e : edges) PrintParse(e);
    return 0;
}
