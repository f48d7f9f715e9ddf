// The code page conversions at the native edge: every output well formed, a
// second round trip changes nothing.
#include <stdint.h>
#include <string.h>

#include <string>

#include "fuzz/fuzz_session.h"
#include "shell/native/codepage.h"

namespace {

// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(const std::string& s) {
    size_t i = 0, n = s.size();
    while (i < n) {
        unsigned char c = (unsigned char)s[i];
        size_t len = c < 0x80                   ? 1
                     : (c >= 0xC2 && c <= 0xDF) ? 2
                     : (c >= 0xE0 && c <= 0xEF) ? 3
                     : (c >= 0xF0 && c <= 0xF4) ? 4
                                                : 0;
        if (len == 0 || i + len > n) return false;
        for (size_t k = 1; k < len; ++k)
            if (((unsigned char)s[i + k] & 0xC0) != 0x80) return false;
        unsigned char d = (unsigned char)(len > 1 ? s[i + 1] : 0);
        if (c == 0xE0 && d < 0xA0) return false;
        if (c == 0xED && d > 0x9F) return false;
        if (c == 0xF0 && d < 0x90) return false;
        if (c == 0xF4 && d > 0x8F) return false;
        i += len;
    }
    return true;
}

// Whether bytes are well-formed CP932: every lead byte has its trail byte.
bool IsCp932(const std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = (unsigned char)s[i];
        bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead) continue;
        if (i + 1 >= s.size()) return false;
        unsigned char t = (unsigned char)s[++i];
        if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC))) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = (const char*)data;
    std::string utf8 = Cp932ToUtf8(bytes, size);
    Require(IsUtf8(utf8), "Cp932ToUtf8 gave no UTF-8");
    std::string back = Utf8ToCp932(utf8.data(), utf8.size());
    Require(IsCp932(back), "Utf8ToCp932 gave no CP932");
    Require(Cp932ToUtf8(back.data(), back.size()) == utf8 ||
                utf8.find("\xEF\xBF\xBD") != std::string::npos ||
                utf8.find('?') != std::string::npos,
            "a second round trip changed the text");
    std::string cp932 = Utf8ToCp932(bytes, size);
    Require(IsCp932(cp932), "Utf8ToCp932 of any bytes gave no CP932");
    Require(IsUtf8(TranscriptToUtf8(bytes, size)), "TranscriptToUtf8 gave no UTF-8");

    // The UTF-8 check of the script reader agrees; a strict line conversion
    // gives CP932 that comes back as the line.
    size_t valid = ValidUtf8Length(bytes, size);
    Require(valid <= size && IsUtf8(std::string(bytes, valid)), "ValidUtf8Length passed bad bytes");
    Require((valid == size) == IsUtf8(std::string(bytes, size)), "ValidUtf8Length stopped early");
    std::string exact;
    if (Utf8ToCp932Exactly(bytes, size, &exact))
        Require(IsCp932(exact) &&
                    Cp932ToUtf8(exact.data(), exact.size()) == std::string(bytes, size),
                "a strict conversion does not come back");

    // File names: strict both ways, and a name that converts comes back.
    std::string name(bytes, strnlen(bytes, size));
    std::string onDisk, inCore;
    if (Cp932NameToUtf8(name.c_str(), &onDisk)) {
        Require(IsUtf8(onDisk), "a file name became no UTF-8");
        Require(Utf8NameToCp932(onDisk.c_str(), &inCore), "a converted name does not come back");
        std::string again;
        Require(Cp932NameToUtf8(inCore.c_str(), &again) && again == onDisk,
                "a file name's round trip changed it");
    }
    if (Utf8NameToCp932(name.c_str(), &inCore)) {
        Require(IsCp932(inCore), "a UTF-8 name became no CP932");
        Require(Cp932NameToUtf8(inCore.c_str(), &onDisk) && onDisk == name,
                "a UTF-8 name's round trip changed it");
    }
    return 0;
}
