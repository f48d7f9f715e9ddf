// Small text helpers shared by every layer: code page 932 bytes, and the
// length of a UTF-8 sequence.
#pragma once

#include <stddef.h>

// Lead byte of a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// A byte that may follow a lead byte in code page 932.
inline bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// Bytes of the character at p: 2 for a lead byte with its trail byte, else 1.
inline int CharLength(const char* p) {
    return IsLeadByte((unsigned char)p[0]) && IsTrailByte((unsigned char)p[1]) ? 2 : 1;
}

// The bytes a UTF-8 lead byte begins: 1 for ASCII, 2 to 4 for the lead
// bytes of longer sequences, 0 for a byte that begins nothing.
constexpr int Utf8Length(unsigned char c) {
    return c < 0x80                 ? 1
           : c >= 0xC2 && c <= 0xDF ? 2
           : c >= 0xE0 && c <= 0xEF ? 3
           : c >= 0xF0 && c <= 0xF4 ? 4
                                    : 0;
}

// ASCII letter-case-insensitive equality, as lstrcmpiA answers it for these names.
inline bool EqualsNoCase(const char* a, const char* b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (; *a && *b; ++a, ++b) {
        if (lower(*a) != lower(*b)) return false;
    }
    return *a == *b;
}

// Whether the n bytes at p are all ASCII: such text needs no conversion.
bool IsAscii(const char* p, size_t n);

// Where the last whole character of a terminated text of length bytes
// begins; 0 for an empty text.
size_t LastCharStart(const char* text, size_t length);

// Copies at most size - 1 bytes and a terminator, never splitting a
// double-byte character; returns the bytes copied.
int CopyText(char* out, int size, const char* text, int length);
