#include "shell/native/codepage.h"

#include <errno.h>
#include <iconv.h>
#include <string.h>

#include "text/text.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD"; // U+FFFD in UTF-8

// One direction of conversion, opened the first time it is needed and kept
// for the life of the program.
struct Converter {
    const char* to;
    const char* from;
    bool opened;
    iconv_t cd;
};

Converter g_toUtf8 = {"UTF-8", "CP932", false, (iconv_t)-1};
Converter g_toCp932 = {"CP932", "UTF-8", false, (iconv_t)-1};

// The converter's descriptor, in its initial state; (iconv_t)-1 without iconv.
iconv_t Open(Converter* c) {
    if (!c->opened) {
        c->cd = iconv_open(c->to, c->from);
        c->opened = true;
    }
    if (c->cd != (iconv_t)-1) iconv(c->cd, nullptr, nullptr, nullptr, nullptr);
    return c->cd;
}

// Converts with iconv into out. On a sequence it cannot take, a strict
// conversion (no replacement) fails; else it appends replacement and skips
// what skip says. Without iconv a strict conversion fails and every byte
// above ASCII is replaced.
bool Convert(Converter* converter, const char* bytes, size_t size, const char* replacement,
             size_t (*skip)(const char*, size_t), std::string* out) {
    out->clear();
    iconv_t cd = Open(converter);
    if (cd == (iconv_t)-1) {
        if (!replacement) return false;
        for (size_t i = 0; i < size; ++i) *out += (unsigned char)bytes[i] < 0x80 ? bytes[i] : '?';
        return true;
    }
    char* in = const_cast<char*>(bytes);
    size_t left = size;
    char buffer[4096];
    while (left > 0) {
        char* o = buffer;
        size_t room = sizeof buffer;
        size_t r = iconv(cd, &in, &left, &o, &room);
        out->append(buffer, (size_t)(o - buffer));
        if (r != (size_t)-1 || errno == E2BIG) continue;
        if (!replacement) return false;
        // EILSEQ or EINVAL: an invalid or unconvertible sequence here.
        *out += replacement;
        size_t n = skip(in, left);
        in += n;
        left -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* o = buffer;
    size_t room = sizeof buffer;
    iconv(cd, nullptr, nullptr, &o, &room);
    out->append(buffer, (size_t)(o - buffer));
    return true;
}

// A bad CP932 byte is skipped alone: what follows it may be a character.
size_t SkipByte(const char*, size_t) {
    return 1;
}

// A UTF-8 character without a CP932 form is skipped whole, a byte that
// begins none alone.
size_t SkipUtf8Char(const char* in, size_t left) {
    size_t n = (size_t)Utf8Length((unsigned char)in[0]);
    if (n == 0) n = 1;
    if (n > left) n = left;
    for (size_t i = 1; i < n; ++i)
        if (((unsigned char)in[i] & 0xC0) != 0x80) return i;
    return n;
}

} // namespace

// A name of the core on the file system: strict, no replacement characters.
bool Cp932NameToUtf8(const char* name, std::string* utf8) {
    return Convert(&g_toUtf8, name, strlen(name), nullptr, nullptr, utf8);
}

// A name of the file system in the core: strict, no replacement characters,
// and only characters that come back as themselves (the converter takes "£"
// to the CP932 of "￡", which names another file).
bool Utf8NameToCp932(const char* name, std::string* cp932) {
    std::string back;
    return Convert(&g_toCp932, name, strlen(name), nullptr, nullptr, cp932) &&
           Cp932NameToUtf8(cp932->c_str(), &back) && back == name;
}

// CP932 bytes as UTF-8, bad bytes as U+FFFD.
std::string Cp932ToUtf8(const char* bytes, size_t size) {
    std::string out;
    Convert(&g_toUtf8, bytes, size, kReplacement, SkipByte, &out);
    return out;
}

// UTF-8 as CP932, what has no CP932 form as the replacement.
std::string Utf8ToCp932(const char* text, size_t size, const char* replacement) {
    std::string out;
    Convert(&g_toCp932, text, size, replacement, SkipUtf8Char, &out);
    return out;
}

// Strict both ways: "£" would come back as "￡", another character.
bool Utf8ToCp932Exactly(const char* text, size_t size, std::string* cp932) {
    std::string back;
    return Convert(&g_toCp932, text, size, nullptr, nullptr, cp932) &&
           Convert(&g_toUtf8, cp932->data(), cp932->size(), nullptr, nullptr, &back) &&
           back.size() == size && back.compare(0, size, text, size) == 0;
}

// Sequences checked by their lead byte, continuation bytes and the ranges
// UTF-8 leaves out (overlong forms, surrogates, beyond U+10FFFF).
size_t ValidUtf8Length(const char* text, size_t size) {
    const unsigned char* p = (const unsigned char*)text;
    size_t i = 0;
    while (i < size) {
        unsigned c = p[i];
        int n = Utf8Length(c);
        if (n == 1 && c < 0x80) {
            ++i;
            continue;
        }
        if (n < 2 || c == 0xC0 || c == 0xC1 || c > 0xF4) return i;
        if (i + (size_t)n > size) return i;
        unsigned second = p[i + 1];
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) ||
            (c == 0xF0 && second < 0x90) || (c == 0xF4 && second > 0x8F))
            return i;
        for (int k = 1; k < n; ++k)
            if ((p[i + (size_t)k] & 0xC0) != 0x80) return i;
        i += (size_t)n;
    }
    return i;
}

// ASCII needs no converter; nothing beyond the Basic Multilingual Plane has a
// CP932 form.
std::string CodepointToCp932(unsigned c) {
    if (c < 0x80) return std::string(1, (char)c);
    if (c >= 0x10000) return "?";
    char utf8[3];
    size_t n = 0;
    if (c >= 0x800) {
        utf8[n++] = (char)(0xE0 | (c >> 12));
        utf8[n++] = (char)(0x80 | ((c >> 6) & 0x3F));
    } else {
        utf8[n++] = (char)(0xC0 | (c >> 6));
    }
    utf8[n++] = (char)(0x80 | (c & 0x3F));
    return Utf8ToCp932(utf8, n);
}

// Each CR LF as LF, then UTF-8.
std::string TranscriptToUtf8(const char* bytes, size_t size) {
    std::string lf;
    lf.reserve(size);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n') continue;
        lf += bytes[i];
    }
    return Cp932ToUtf8(lf.data(), lf.size());
}
