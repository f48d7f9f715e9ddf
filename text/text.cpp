#include "text/text.h"

#include <string.h>

// Lower-cases an ASCII letter.
static char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// ASCII letter-case-insensitive equality.
bool EqualsNoCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (Lower(*a) != Lower(*b)) return false;
    }
    return *a == *b;
}

// Bounded copy that keeps double-byte characters whole; plain ASCII that
// fits, the usual statement, is copied in one go.
int CopyText(char* out, int size, const char* text, int length) {
    int n = 0;
    unsigned char high = 0;
    while (n < length && text[n]) high |= (unsigned char)text[n++];
    if (!(high & 0x80) && n <= size - 1) {
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
