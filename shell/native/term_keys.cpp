#include "shell/native/term_keys.h"

#include <string.h>

#include "platform/virtual_keys.h"
#include "text/text.h"

namespace {

const int kIncomplete = 0;

struct TildeKey {
    int number; // CSI number ~
    int code;
    int modifiers;
};

// CSI number ~ of xterm, tmux, rxvt and the Linux console.
const TildeKey kTildeKeys[] = {
    {1, kTkHome, 0},    {2, kTkInsert, 0},          {3, kTkDelete, 0},   {4, kTkEnd, 0},
    {5, kTkPageUp, 0},  {6, kTkPageDown, 0},        {7, kTkHome, 0},     {8, kTkEnd, 0},
    {11, kTkF1, 0},     {12, kTkF1 + 1, 0},         {13, kTkF1 + 2, 0},  {14, kTkF1 + 3, 0},
    {15, kTkF1 + 4, 0}, {17, kTkF1 + 5, 0},         {18, kTkF1 + 6, 0},  {19, kTkF1 + 7, 0},
    {20, kTkF1 + 8, 0}, {21, kTkF1 + 9, 0},         {23, kTkF1 + 10, 0}, {24, kTkF1 + 11, 0},
    {29, kTkMenu, 0},   {34, kTkF1 + 9, kModShift}, // the Linux console's Shift+F10 (F20)
};

struct FinalKey {
    char final; // CSI [1;m] final, or SS3 final
    int code;
};

// The keys that end in one letter.
const FinalKey kFinalKeys[] = {
    {'A', kTkUp},     {'B', kTkDown},   {'C', kTkRight}, {'D', kTkLeft},
    {'H', kTkHome},   {'F', kTkEnd},    {'P', kTkF1},    {'Q', kTkF1 + 1},
    {'R', kTkF1 + 2}, {'S', kTkF1 + 3}, {'M', kTkEnter}, {'E', kTkNone},
};

// The modifier bits of an xterm modifier parameter (1 + bits).
int Modifiers(int parameter) {
    if (parameter < 2) return 0;
    int bits = parameter - 1;
    int m = 0;
    if (bits & 1) m |= kModShift;
    if (bits & 2) m |= kModAlt;
    if (bits & 4) m |= kModCtrl;
    return m;
}

// A key without a character.
TermKey Key(int code, int modifiers = 0) {
    return TermKey{code, 0, modifiers, 0, false, false, 0, 0};
}

// A typed character.
TermKey CharKey(unsigned codepoint, int modifiers) {
    return TermKey{kTkChar, codepoint, modifiers, 0, false, false, 0, 0};
}

// A key from one character code: the control characters are the keys
// that send them.
TermKey FromCharacter(unsigned c, int modifiers) {
    switch (c) {
    case 0x0D:
    case 0x0A: return Key(kTkEnter, modifiers);
    case 0x09: return Key(kTkTab, modifiers);
    case 0x7F:
    case 0x08: return Key(kTkBackspace, modifiers);
    case 0x1B: return Key(kTkEscape, modifiers);
    default: break;
    }
    if (c == 0) return CharKey(' ', modifiers | kModCtrl);
    if (c < 0x20) return CharKey('a' + c - 1, modifiers | kModCtrl);
    return CharKey(c, modifiers);
}

// char := utf8-sequence; kIncomplete when bytes are missing.
int ParseCharacter(const unsigned char* p, int n, int modifiers, TermKey* key) {
    int length = Utf8Length(p[0]);
    if (length == 0) {
        *key = CharKey(0xFFFD, modifiers);
        return 1;
    }
    if (n < length) return kIncomplete;
    unsigned c = length == 1 ? p[0] : p[0] & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) {
            *key = CharKey(0xFFFD, modifiers);
            return i;
        }
        c = (c << 6) | (p[i] & 0x3F);
    }
    *key = FromCharacter(c, modifiers);
    return length;
}

// Parameters of a control sequence: numbers separated by ";".
int ReadParameters(const unsigned char* p, int n, int* values, int max) {
    int count = 0;
    int value = 0;
    bool any = false;
    for (int i = 0; i < n; ++i) {
        if (p[i] >= '0' && p[i] <= '9') {
            value = value * 10 + (p[i] - '0');
            if (value > 100000) value = 100000;
            any = true;
        } else if (p[i] == ';') {
            if (count < max) values[count++] = any ? value : 1;
            value = 0;
            any = false;
        }
    }
    if (count < max) values[count++] = any ? value : 1;
    return count;
}

// sgr-mouse := CSI "<" button ";" x ";" y ("M" | "m")
TermKey SgrMouse(const unsigned char* params, int n, bool release) {
    int v[3] = {0, 1, 1};
    ReadParameters(params, n, v, 3);
    TermKey key = Key(kTkMouse);
    int b = v[0];
    key.modifiers = ((b & 4) ? kModShift : 0) | ((b & 8) ? kModAlt : 0) | ((b & 16) ? kModCtrl : 0);
    key.motion = (b & 32) != 0;
    key.button = b & ~(4 | 8 | 16 | 32);
    key.release = release;
    key.x = v[1] - 1;
    key.y = v[2] - 1;
    return key;
}

// The end of a bracketed paste.
const char kPasteEnd[] = "\x1b[201~";

// pasted := paste-end | utf8-sequence, every character as text; kIncomplete
// while the bytes may still become the end.
int ParsePasted(TermKeyDecoder* d, const unsigned char* p, int n, TermKey* key) {
    const int endLength = (int)sizeof kPasteEnd - 1;
    int same = 0;
    while (same < n && same < endLength && p[same] == (unsigned char)kPasteEnd[same]) ++same;
    if (same == endLength) {
        d->pasting = false;
        *key = Key(kTkPasteEnd);
        return endLength;
    }
    if (same == n) return kIncomplete;
    int used = ParseCharacter(p, n, 0, key);
    if (used != kIncomplete && key->codepoint != 0xFFFD) {
        // The control characters are the characters, not the keys that send them.
        unsigned c = p[0] < 0x80 ? p[0] : key->codepoint;
        *key = CharKey(c, 0);
    }
    return used;
}

// csi := ESC "[" parameters intermediates final
int ParseCsi(const unsigned char* p, int n, TermKey* key) {
    // The Linux console's F1 to F5: ESC [ [ A .. E.
    if (n >= 3 && p[2] == '[') {
        if (n < 4) return kIncomplete;
        *key = p[3] >= 'A' && p[3] <= 'E' ? Key(kTkF1 + (p[3] - 'A')) : Key(kTkNone);
        return 4;
    }
    // X10 mouse: ESC [ M button x y, each plus 32.
    if (n >= 3 && p[2] == 'M') {
        if (n < 6) return kIncomplete;
        *key = Key(kTkMouse);
        int b = p[3] - 32;
        key->release = (b & 3) == 3;
        key->button = (b & 64) ? 64 + (b & 1) : (b & 3);
        key->motion = (b & 32) != 0;
        key->x = p[4] - 33;
        key->y = p[5] - 33;
        return 6;
    }
    int i = 2;
    while (i < n && p[i] >= 0x20 && p[i] <= 0x3F) ++i;
    if (i >= n) return n >= TermKeyDecoder::kPendingSize ? n : kIncomplete;
    unsigned char final = p[i];
    int consumed = i + 1;
    const unsigned char* params = p + 2;
    int length = i - 2;
    if (length > 0 && params[0] == '<' && (final == 'M' || final == 'm')) {
        *key = SgrMouse(params + 1, length - 1, final == 'm');
        return consumed;
    }
    int v[3] = {1, 1, 1};
    int count = ReadParameters(params, length, v, 3);
    *key = Key(kTkNone);
    if (final == '~') {
        if (v[0] == 200) { // a bracketed paste begins
            *key = Key(kTkPasteStart);
            return consumed;
        }
        if (v[0] == 27 && count >= 3) { // modifyOtherKeys: 27 ; modifiers ; code ~
            *key = FromCharacter((unsigned)v[2], Modifiers(v[1]));
            return consumed;
        }
        for (const TildeKey& t : kTildeKeys)
            if (t.number == v[0])
                *key = Key(t.code, t.modifiers | (count >= 2 ? Modifiers(v[1]) : 0));
        return consumed;
    }
    if (final == 'u') { // code ; modifiers u
        *key = FromCharacter((unsigned)v[0], count >= 2 ? Modifiers(v[1]) : 0);
        return consumed;
    }
    if (final == 'Z') {
        *key = Key(kTkTab, kModShift);
        return consumed;
    }
    for (const FinalKey& f : kFinalKeys)
        if (f.final == final) *key = Key(f.code, count >= 2 ? Modifiers(v[1]) : 0);
    return consumed;
}

// One key at the start of p; kIncomplete when it needs more bytes.
int ParseKey(const unsigned char* p, int n, TermKey* key) {
    if (p[0] != 0x1B) return ParseCharacter(p, n, 0, key);
    if (n < 2) return kIncomplete;
    if (p[1] == '[') {
        if (n < 3) return kIncomplete;
        return ParseCsi(p, n, key);
    }
    if (p[1] == 'O') { // SS3 final, with an optional modifier digit
        if (n < 3) return kIncomplete;
        int i = 2;
        int modifiers = 0;
        if (p[i] >= '1' && p[i] <= '9') {
            if (n < 4) return kIncomplete;
            modifiers = Modifiers(p[i] - '0');
            ++i;
        }
        *key = Key(kTkNone);
        for (const FinalKey& f : kFinalKeys)
            if (f.final == p[i]) *key = Key(f.code, modifiers);
        return i + 1;
    }
    if (p[1] == 0x1B) { // ESC ESC: the first is the Escape key
        *key = Key(kTkEscape);
        return 1;
    }
    int used = ParseCharacter(p + 1, n - 1, kModAlt, key);
    return used == kIncomplete ? kIncomplete : used + 1;
}

// Drops the first count pending bytes.
void Consume(TermKeyDecoder* d, int count) {
    memmove(d->pending, d->pending + count, (size_t)(d->count - count));
    d->count -= count;
}

// Takes every complete key from the pending bytes.
void Drain(TermKeyDecoder* d, std::vector<TermKey>* out) {
    while (d->count > 0) {
        TermKey key;
        int used = d->pasting ? ParsePasted(d, d->pending, d->count, &key)
                              : ParseKey(d->pending, d->count, &key);
        if (used == kIncomplete) {
            if (d->count < TermKeyDecoder::kPendingSize) return;
            key = Key(kTkNone); // a sequence too long to be a key
            used = d->count;
        }
        if (key.code == kTkPasteStart) d->pasting = true;
        if (key.code != kTkNone) out->push_back(key);
        Consume(d, used);
    }
}

} // namespace

// Appends the bytes to what waits and takes what is complete.
void DecodeTermKeys(TermKeyDecoder* d, const char* bytes, size_t size, std::vector<TermKey>* out) {
    for (size_t i = 0; i < size; ++i) {
        if (d->count == TermKeyDecoder::kPendingSize) Drain(d, out);
        if (d->count == TermKeyDecoder::kPendingSize) Consume(d, 1);
        d->pending[d->count++] = (unsigned char)bytes[i];
        Drain(d, out);
    }
}

// An unfinished sequence stands alone: its ESC is the Escape key (in a
// paste, the character), the rest is decoded afresh; unfinished UTF-8 is
// dropped.
void FlushTermKeys(TermKeyDecoder* d, std::vector<TermKey>* out) {
    while (d->count > 0 && d->pasting) {
        if (d->pending[0] == 0x1B) out->push_back(CharKey(0x1B, 0));
        Consume(d, 1);
        Drain(d, out);
    }
    while (d->count > 0) {
        bool escape = d->pending[0] == 0x1B;
        if (escape) out->push_back(Key(kTkEscape));
        Consume(d, 1);
        if (escape) Drain(d, out);
    }
}
