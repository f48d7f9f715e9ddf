// The settings file: read, one setting written, read back. The written
// setting reads back and every other keeps its value.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "fuzz/fuzz_session.h"
#include "shell/native/profile.h"

namespace {

struct Key {
    const char* section;
    const char* key;
};

// Every key of the settings file.
const Key kKeys[] = {
    {"window", "x"},     {"window", "y"},      {"window", "w"},        {"window", "h"},
    {"Setup", "dup"},    {"Setup", "crflag"},  {"Setup", "ontopflag"}, {"Setup", "endflag"},
    {"Setup", "byte2"},  {"Setup", "hscroll"}, {"Setup", "icon"},      {"Setup", "size"},
    {"Setup", "weight"}, {"Setup", "italic"},  {"Setup", "font"},
};
const int kKeyCount = sizeof kKeys / sizeof kKeys[0];

// A file of this process's own in the temporary folder.
std::string FilePath() {
    static std::string path;
    if (path.empty()) {
        const char* tmp = getenv("TMPDIR");
        path = std::string(tmp && *tmp ? tmp : "/tmp") + "/tolvane-fuzz-settings-" +
               std::to_string(getpid()) + ".ini";
    }
    return path;
}

// What a key reads as, both as a number and as text.
std::string Reading(const char* file, const Key& k) {
    char text[4096];
    GetProfileText(file, k.section, k.key, "<none>", text, sizeof text);
    return std::to_string(GetProfileInt(file, k.section, k.key, -77)) + "|" + text;
}

} // namespace

// The first two bytes choose the key and the value; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const Key& chosen = kKeys[data[0] % kKeyCount];
    int value = (int)(int8_t)data[1] * 1000 + data[1];
    std::string path = FilePath();
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return 0;
    fwrite(data + 2, 1, size - 2, f);
    fclose(f);

    std::string before[kKeyCount];
    for (int i = 0; i < kKeyCount; ++i) before[i] = Reading(path.c_str(), kKeys[i]);
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    bool written = WriteProfileText(path.c_str(), chosen.section, chosen.key, text);
    // Only a file too large for a settings file is refused, and kept.
    if (size - 2 > kMaxProfileSize) {
        Require(!written, "a settings file too large was written over");
        unlink(path.c_str());
        return 0;
    }
    Require(written, "a setting could not be written");
    Require(GetProfileInt(path.c_str(), chosen.section, chosen.key, -77) == value,
            "the written setting does not read back");
    for (int i = 0; i < kKeyCount; ++i) {
        if (&kKeys[i] == &chosen) continue;
        Require(Reading(path.c_str(), kKeys[i]) == before[i], "another setting changed");
    }
    unlink(path.c_str());
    return 0;
}
