// The settings file: read, one setting written, read back. The written
// setting reads back and every other keeps its value.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "session/settings_file.h"
#include "fuzz/fuzz_session.h"
#include "shell/native/profile.h"

namespace {

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
std::string Reading(const char* file, const SettingEntry& k) {
    char text[4096];
    GetProfileText(file, k.section, k.name, "<none>", text, sizeof text);
    return std::to_string(GetProfileInt(file, k.section, k.name, -77)) + "|" + text;
}

} // namespace

// The first two bytes choose the key and the value; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const SettingEntry& chosen = kSettingTable[data[0] % kSettingCount];
    int value = (int)(int8_t)data[1] * 1000 + data[1];
    std::string path = FilePath();
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return 0;
    fwrite(data + 2, 1, size - 2, f);
    fclose(f);

    std::string before[kSettingCount];
    for (int i = 0; i < kSettingCount; ++i) before[i] = Reading(path.c_str(), kSettingTable[i]);
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    bool written = WriteProfileText(path.c_str(), chosen.section, chosen.name, text);
    // Only a file too large for a settings file is refused, and kept.
    if (size - 2 > kMaxProfileSize) {
        Require(!written, "a settings file too large was written over");
        unlink(path.c_str());
        return 0;
    }
    Require(written, "a setting could not be written");
    Require(GetProfileInt(path.c_str(), chosen.section, chosen.name, -77) == value,
            "the written setting does not read back");
    for (int i = 0; i < kSettingCount; ++i) {
        if (&kSettingTable[i] == &chosen) continue;
        Require(Reading(path.c_str(), kSettingTable[i]) == before[i], "another setting changed");
    }
    unlink(path.c_str());
    return 0;
}
