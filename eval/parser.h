// The grammar levels of an expression, its literals and its operators.
#pragma once

#include <stdint.h>

// The value of a decimal literal's n bytes; false when it is malformed.
bool DecimalLiteral(const char* p, int n, double* value);
void ApplyOperator(char op, double* left, double right);
void AssignmentLevel(double* slot);
// The current token is the delimiter c.
bool TokenIs(char c);
// The low 32 bits of a value truncated toward zero to a signed 64-bit
// integer; out of range (and not-a-number) gives 0x8000000000000000's 0.
uint32_t LowWord(double v);
