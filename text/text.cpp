#include "text/text.h"

#include <stdint.h>
#include <string.h>

// Whether the n bytes at p are all ASCII, tested eight at a time.
bool IsAscii(const char* p, size_t n) {
    uint64_t high = 0;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        memcpy(&word, p + i, sizeof word);
        high |= word;
    }
    for (; i < n; ++i) high |= (unsigned char)p[i];
    return (high & 0x8080808080808080ull) == 0;
}

// Steps over the characters from the start, as a trail byte may look like a
// lead byte.
size_t LastCharStart(const char* text, size_t length) {
    size_t last = 0;
    for (size_t i = 0; i < length; i += (size_t)CharLength(text + i)) last = i;
    return last;
}

// Bounded copy that keeps double-byte characters whole; plain ASCII that
// fits, the usual statement, is copied in one go.
int CopyText(char* out, int size, const char* text, int length) {
    int n = length > 0 ? (int)strnlen(text, (size_t)length) : 0;
    if (n <= size - 1 && IsAscii(text, (size_t)n)) {
        memcpy(out, text, (size_t)n);
        out[n] = 0;
        return n;
    }
    n = 0;
    while (n < length && text[n]) {
        bool lead = IsLeadByte((unsigned char)text[n]);
        if (lead && (n + 1 >= length || text[n + 1] == 0)) break; // half a character
        int unit = CharLength(text + n);
        if (n + unit > size - 1) break;
        n += unit;
    }
    for (int i = 0; i < n; ++i) out[i] = text[i];
    out[n] = 0;
    return n;
}
