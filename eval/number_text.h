// Number text: decimal literals read, and the decimal and hexadecimal
// renderings of a double into a caller's buffer.
//
// Every decimal rendering starts from the value's 17 significant digits and
// rounds that digit string half up at the last printed position; exponents
// carry a sign and at least three digits. The result is the same bytes on
// every platform: no C library number formatting is involved.
#pragma once

#include <stdint.h>

enum {
    kMinPrecision = 0,  // fewest decimals a rendering prints
    kMaxPrecision = 67, // most decimals a rendering prints
    kHexTextSize = 10,  // "FFFF FFFF" and its terminator
    kExactDigits = 15,  // digits of an integer that a double always holds exactly
};

// The value of n bytes that are 1 to 15 digits; false for anything else.
bool ExactInteger(const char* p, int n, double* value);
// The value of a decimal literal's n bytes; false when it is malformed.
bool DecimalLiteral(const char* p, int n, double* value);
// The low 32 bits of a value truncated toward zero to a signed 64-bit
// integer; out of range (and not-a-number) gives 0x8000000000000000's 0.
uint32_t LowWord(double v);

// The precision brought into the range the renderings support.
int ClampPrecision(long precision);

// Renders like "%.{p}lf": returns the length, or -1 with an empty text when
// the rendering does not fit in size bytes.
int RenderFixed(double value, int precision, char* out, int size);
// Renders like "%.{p}E" with an exponent of at least three digits.
int RenderExponent(double value, int precision, char* out, int size);
// Renders a mantissa and an exponent like "%.{p}lfE%+04d".
int RenderEngineering(double mantissa, int exponent, int precision, char* out, int size);

// True when the decimals of a fixed rendering are all zeros (or it has none).
bool DecimalsAllZero(const char* fixedText);

// The low 32 bits of the value truncated to a signed 64-bit integer, as
// "%04X %04X" of the high and the low half.
void RenderHexText(double value, char* out);
// The binary rendering line of a hexadecimal text, low half only when
// lowHalfOnly is set: "\r\n  (0b 0000 ... 0101)". Returns the length or -1.
int RenderBinLine(const char* hexText, int lowHalfOnly, char* out, int size);
