#include "eval/number_text.h"

#include <stdio.h>
#include <stdlib.h>

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// The two builds differ only here. The C++ library's to_chars and from_chars
// are the quick, correctly rounded way. The Windows program takes mingw-w64's
// C99 printf and strtod, which round correctly as well, and so carries none
// of the C++ library's number tables.
#ifdef _WIN32

// Writes a finite value's 17 significant digits, correctly rounded, as
// "d.dddddddddddddddde+XX"; returns the length.
int ScientificText(double value, char* text, int size) {
    int n = snprintf(text, (size_t)size, "%.16e", value);
    return n < 0 ? 0 : (n < size ? n : size - 1);
}

// Reads the longest number at the start of n bytes; false when there is
// none. strtod's one extra, a leading sign, cannot begin a number token.
bool ReadDouble(const char* p, int, double* value) {
    char* end = nullptr;
    *value = strtod(p, &end);
    return end != p;
}

#else

// Writes a finite value's 17 significant digits, correctly rounded, as
// "d.dddddddddddddddde+XX"; returns the length.
int ScientificText(double value, char* text, int size) {
    std::to_chars_result r =
        std::to_chars(text, text + size, value, std::chars_format::scientific, 16);
    return (int)(r.ptr - text);
}

// Reads the longest number at the start of n bytes; false when there is
// none. Beyond the double range it is infinity or 0, as the C library reads
// it (the token ends at a terminator, so strtod cannot read past it).
bool ReadDouble(const char* p, int n, double* value) {
    std::from_chars_result r = std::from_chars(p, p + n, *value, std::chars_format::general);
    if (r.ec == std::errc::invalid_argument) return false;
    if (r.ec == std::errc::result_out_of_range) *value = strtod(p, nullptr);
    return true;
}

#endif

// A byte a decimal literal may hold: a digit, a sign, the point or "E".
bool IsNumberByte(char c) {
    return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == 'E';
}

enum { kSignificant = 17 };

// A finite double as a string of significant digits and the power of ten of
// the first one; digits past count read as 0.
struct DecimalDigits {
    bool negative;
    int exponent;
    int count;
    char digit[kSignificant];
};

// A bounded text writer: remembers when a character did not fit.
struct TextOut {
    char* out;
    int size;
    int length;
    bool full;
};

// Appends one character, or marks the writer full.
void Put(TextOut* t, char c) {
    if (t->length + 1 >= t->size) {
        t->full = true;
        return;
    }
    t->out[t->length++] = c;
}

// Appends a text.
void PutText(TextOut* t, const char* text) {
    while (*text) Put(t, *text++);
}

// Terminates the text; returns its length, or -1 and an empty text when full.
int Finish(TextOut* t) {
    if (t->size <= 0) return -1;
    if (t->full) {
        t->out[0] = '\0';
        return -1;
    }
    t->out[t->length] = '\0';
    return t->length;
}

// Splits a finite value into its 17 significant digits and the exponent of
// the first.
void SplitDigits(double value, DecimalDigits* d) {
    char text[40];
    const char* end = text + ScientificText(value, text, sizeof text - 1);
    text[end - text] = '\0';
    const char* p = text;
    d->negative = std::signbit(value);
    if (*p == '-') ++p;
    d->count = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9' && d->count < kSignificant) d->digit[d->count++] = *p;
    }
    d->exponent = p < end ? (int)strtol(p + 1, nullptr, 10) : 0; // behind the "e"
}

// The digit that stands at a power of ten.
char DigitAt(const DecimalDigits& d, int power) {
    int index = d.exponent - power;
    return index >= 0 && index < d.count ? d.digit[index] : '0';
}

// Rounds the digit string half up so that its last digit stands at the power
// of ten `last`; digits below it are dropped.
void RoundAt(DecimalDigits* d, int last) {
    int keep = d->exponent - last + 1;
    if (keep >= d->count) return;
    if (keep < 0) {
        d->count = 0;
        return;
    }
    bool up = d->digit[keep] >= '5';
    d->count = keep;
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && d->digit[i] == '9') d->digit[i--] = '0';
    if (i >= 0) {
        d->digit[i]++;
        return;
    }
    // Every kept digit was 9 (or none was kept): a 1 one place higher.
    d->digit[0] = '1';
    if (d->count == 0) d->count = 1;
    d->exponent++;
}

// Writes the text for a value that has no digits: "INF", "-INF" or "NAN".
bool PutNonFinite(TextOut* t, double value) {
    if (std::isfinite(value)) return false;
    PutText(t, std::isnan(value) ? "NAN" : value < 0 ? "-INF" : "INF");
    return true;
}

// Writes an exponent as a sign and at least three digits.
void PutExponent(TextOut* t, int exponent) {
    Put(t, exponent < 0 ? '-' : '+');
    unsigned magnitude = exponent < 0 ? 0u - static_cast<unsigned>(exponent) : exponent;
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (n < 3) digits[n++] = '0';
    while (n > 0) Put(t, digits[--n]);
}

// Writes a finite value with a fixed number of decimals.
void PutFixed(TextOut* t, double value, int precision) {
    DecimalDigits d;
    SplitDigits(value, &d);
    RoundAt(&d, -precision);
    if (d.negative) Put(t, '-');
    if (d.count == 0 || d.exponent < 0) {
        Put(t, '0');
    } else {
        for (int power = d.exponent; power >= 0; --power) Put(t, DigitAt(d, power));
    }
    if (precision > 0) Put(t, '.');
    for (int power = -1; power >= -precision; --power) Put(t, DigitAt(d, power));
}

} // namespace

// The precision brought into the range the renderings support.
int ClampPrecision(long precision) {
    if (precision < kMinPrecision) return kMinPrecision;
    if (precision > kMaxPrecision) return kMaxPrecision;
    return (int)precision;
}

// Renders like "%.{p}lf" with half-up rounding of the 17-digit string.
int RenderFixed(double value, int precision, char* out, int size) {
    TextOut t = {out, size, 0, false};
    precision = ClampPrecision(precision);
    if (!PutNonFinite(&t, value)) PutFixed(&t, value, precision);
    return Finish(&t);
}

// Renders like "%.{p}E": one digit, the decimals, E and a 3-digit exponent.
int RenderExponent(double value, int precision, char* out, int size) {
    TextOut t = {out, size, 0, false};
    precision = ClampPrecision(precision);
    if (!PutNonFinite(&t, value)) {
        DecimalDigits d;
        SplitDigits(value, &d);
        RoundAt(&d, d.exponent - precision);
        if (d.negative) Put(&t, '-');
        Put(&t, DigitAt(d, d.exponent));
        if (precision > 0) Put(&t, '.');
        for (int i = 1; i <= precision; ++i) Put(&t, DigitAt(d, d.exponent - i));
        Put(&t, 'E');
        PutExponent(&t, d.count == 0 ? 0 : d.exponent);
    }
    return Finish(&t);
}

// Renders a mantissa with p decimals, then E and the exponent as "%+04d".
int RenderEngineering(double mantissa, int exponent, int precision, char* out, int size) {
    TextOut t = {out, size, 0, false};
    precision = ClampPrecision(precision);
    if (!PutNonFinite(&t, mantissa)) PutFixed(&t, mantissa, precision);
    Put(&t, 'E');
    PutExponent(&t, exponent);
    return Finish(&t);
}

// Scans a fixed rendering from its end: true when only zeros stand behind the
// point, or the text holds nothing but zeros.
bool DecimalsAllZero(const char* fixedText) {
    int i = 0;
    while (fixedText[i]) ++i;
    while (--i >= 0) {
        if (fixedText[i] == '.') return true;
        if (fixedText[i] != '0') return false;
    }
    return true;
}

// The low 32 bits of the value truncated toward zero to 64 bits, out-of-range
// values and not-a-number giving 0x8000000000000000, as "%04X %04X".
void RenderHexText(double value, char* out) {
    static const char kHex[] = "0123456789ABCDEF";
    std::uint32_t w = LowWord(value);
    int n = 0;
    for (int shift = 28; shift >= 0; shift -= 4) {
        if (shift == 12) out[n++] = ' ';
        out[n++] = kHex[(w >> shift) & 0xF];
    }
    out[n] = '\0';
}

// Builds "\r\n  (0b" and four bits for each hex digit (a blank before each),
// a second blank between the halves, then ")".
int RenderBinLine(const char* hexText, int lowHalfOnly, char* out, int size) {
    TextOut t = {out, size, 0, false};
    PutText(&t, "\r\n  (0b");
    const char* p = hexText;
    for (int i = 0; i < 5 && lowHalfOnly && *p; ++i) ++p;
    for (; *p; ++p) {
        char c = *p;
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit >= 0 || c == ' ') Put(&t, ' ');
        for (int bit = 3; digit >= 0 && bit >= 0; --bit) Put(&t, (digit >> bit) & 1 ? '1' : '0');
    }
    Put(&t, ')');
    return Finish(&t);
}

// The value of n digits when a double holds it exactly (1 to 15 digits).
bool ExactInteger(const char* p, int n, double* value) {
    if (n < 1 || n > kExactDigits) return false;
    unsigned long long whole = 0;
    for (int i = 0; i < n; ++i) {
        unsigned digit = (unsigned)(unsigned char)p[i] - '0';
        if (digit > 9) return false;
        whole = whole * 10 + digit;
    }
    *value = (double)whole;
    return true;
}

// decimal := { digit | "+" | "-" | "." | "E" }, its longest leading number.
// A text without any digit to convert is malformed; a value beyond the double
// range is infinity or 0, as the C library reads it.
bool DecimalLiteral(const char* p, int n, double* value) {
    if (ExactInteger(p, n, value)) return true;
    for (int i = 0; i < n; ++i) {
        if (!IsNumberByte(p[i])) return false;
    }
    return ReadDouble(p, n, value);
}

// The low 32 bits of a value truncated to a signed 64-bit integer; values
// outside that range (and not-a-number) give the pattern 0x8000000000000000.
uint32_t LowWord(double v) {
    if (!(v >= -9223372036854775808.0 && v < 9223372036854775808.0)) return 0;
    return (uint32_t)(uint64_t)(int64_t)v;
}
