#include "shell/native/profile.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "text/text.h"

namespace {

// ASCII letters in lower case; the bytes of double-byte characters as they are.
bool SameName(const std::string& a, const char* b) {
    size_t n = strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (IsLeadByte(x) && i + 1 < n) {
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (x >= 'A' && x <= 'Z') x = (unsigned char)(x + 32);
        if (y >= 'A' && y <= 'Z') y = (unsigned char)(y + 32);
        if (x != y) return false;
    }
    return true;
}

// Blanks and tabs off both ends.
std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

// The lines of a file's text without their line ends (CR LF or LF).
void SplitLines(const std::string& text, std::vector<std::string>* lines) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines->push_back(line);
        start = end + 1;
    }
}

// The section name of a "[name]" line, or false for any other line.
bool SectionOf(const std::string& line, std::string* name) {
    std::string t = Trim(line);
    if (t.size() < 2 || t[0] != '[') return false;
    size_t close = t.find(']');
    if (close == std::string::npos) return false;
    *name = Trim(t.substr(1, close - 1));
    return true;
}

// The key and value of a "key=value" line, or false for any other line.
bool EntryOf(const std::string& line, std::string* key, std::string* value) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) return false;
    *key = Trim(line.substr(0, eq));
    if (value) *value = Trim(line.substr(eq + 1));
    return !key->empty() && (*key)[0] != ';';
}

// Finds a key in the lines: the index of its line, and of the section's last
// key line (or header) in sectionEnd; -1s when missing.
void Locate(const std::vector<std::string>& lines, const char* section, const char* key,
            int* keyLine, int* sectionEnd) {
    *keyLine = -1;
    *sectionEnd = -1;
    bool inside = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name, k;
        if (SectionOf(lines[i], &name)) {
            if (inside) return; // the first matching section is the one
            inside = SameName(name, section);
            if (inside) *sectionEnd = (int)i;
            continue;
        }
        if (!inside || !EntryOf(lines[i], &k, nullptr)) continue;
        *sectionEnd = (int)i;
        if (*keyLine < 0 && SameName(k, key)) *keyLine = (int)i;
    }
}

// The value of a key, or false when the file, section or key is missing.
bool FindValue(const char* file, const char* section, const char* key, std::string* value) {
    std::string text;
    if (ReadProfileFile(file, &text) != kProfileRead) return false;
    std::vector<std::string> lines;
    SplitLines(text, &lines);
    int keyLine, sectionEnd;
    Locate(lines, section, key, &keyLine, &sectionEnd);
    if (keyLine < 0) return false;
    std::string k;
    EntryOf(lines[(size_t)keyLine], &k, value);
    if (value->size() >= 2 && (value->front() == '"' || value->front() == '\'') &&
        value->back() == value->front())
        *value = value->substr(1, value->size() - 2);
    return true;
}

} // namespace

// Reads at most kMaxProfileSize bytes, never waiting on a pipe.
int ReadProfileFile(const char* file, std::string* text) {
    text->clear();
    int fd = open(file, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? kProfileMissing : kProfileUnreadable;
    struct stat st;
    int result = kProfileRead;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) result = kProfileUnreadable;
    char chunk[4096];
    while (result == kProfileRead) {
        ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) break;
        if (n < 0)
            result = kProfileUnreadable;
        else if (text->size() + (size_t)n > kMaxProfileSize)
            result = kProfileTooLarge;
        else
            text->append(chunk, (size_t)n);
    }
    close(fd);
    if (result != kProfileRead) text->clear();
    return result;
}

// The signed decimal integer at the start of the value.
int GetProfileInt(const char* file, const char* section, const char* key, int def) {
    std::string value;
    if (!FindValue(file, section, key, &value) || value.empty()) return def;
    size_t i = 0;
    bool negative = false;
    if (value[i] == '-' || value[i] == '+') negative = value[i++] == '-';
    unsigned long long n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        n = n * 10 + (unsigned)(value[i] - '0');
    // Overlong numbers wrap to 32 bits, as the platform's reader does.
    unsigned int low = (unsigned int)n;
    if (negative) low = 0u - low;
    return (int)low;
}

// The value's text, or def.
int GetProfileText(const char* file, const char* section, const char* key, const char* def,
                   char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    std::string value;
    if (!FindValue(file, section, key, &value)) value = def ? def : "";
    int n = snprintf(buffer, (size_t)size, "%s", value.c_str());
    return n < size ? n : size - 1;
}

// Rewrites the file with the key set, adding the section or the key as needed.
bool WriteProfileText(const char* file, const char* section, const char* key, const char* value) {
    if (!file || !section || !key || !value) return false;
    std::vector<std::string> lines;
    // A file that is there but cannot be read is not written over.
    std::string text;
    int read = ReadProfileFile(file, &text);
    if (read != kProfileRead && read != kProfileMissing) return false;
    SplitLines(text, &lines);
    int keyLine, sectionEnd;
    Locate(lines, section, key, &keyLine, &sectionEnd);
    if (keyLine >= 0) {
        std::string k;
        EntryOf(lines[(size_t)keyLine], &k, nullptr);
        lines[(size_t)keyLine] = k + "=" + value;
    } else if (sectionEnd >= 0) {
        lines.insert(lines.begin() + sectionEnd + 1, std::string(key) + "=" + value);
    } else {
        lines.push_back(std::string("[") + section + "]");
        lines.push_back(std::string(key) + "=" + value);
    }
    FILE* f = fopen(file, "wb");
    if (!f) return false;
    bool ok = true;
    for (const std::string& line : lines) {
        if (fwrite(line.data(), 1, line.size(), f) != line.size() || fwrite("\r\n", 1, 2, f) != 2)
            ok = false;
    }
    if (fclose(f) != 0) ok = false;
    return ok;
}
