#include "shell/native/native_paths.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "session/script.h"
#include "text/text.h"
#include "shell/native/codepage.h"

namespace {

enum {
    kMaxCoreName = 400, // bytes of a name that "call " and a statement still hold
    kMaxLinkName = 120, // bytes of a link's own name
    kMaxLinks = 64,     // links one run makes at most
};

struct LinkFolder {
    std::string folder;             // the private folder, once made
    std::vector<std::string> links; // the links in it
};

LinkFolder g_links;

// Removes the links and their folder when the program ends.
void RemoveLinks() {
    for (const std::string& link : g_links.links) unlink(link.c_str());
    if (!g_links.folder.empty()) rmdir(g_links.folder.c_str());
}

// The private folder of this run's links, made on first use; empty when it
// cannot be made.
const std::string& Folder() {
    if (!g_links.folder.empty()) return g_links.folder;
    const char* tmp = getenv("TMPDIR");
    std::string base =
        tmp && *tmp && strlen(tmp) < 100 && strchr(tmp, ' ') == nullptr ? tmp : "/tmp";
    std::string pattern = base + "/tolvane-XXXXXX";
    if (mkdtemp(&pattern[0])) {
        g_links.folder = pattern;
        atexit(RemoveLinks);
    }
    return g_links.folder;
}

// Whether the core takes a CP932 name as it is.
bool Takeable(const std::string& cp932) {
    return cp932.size() <= kMaxCoreName && cp932.find_first_of(" \t'") == std::string::npos;
}

// The file's own name made takeable: troublesome characters become "_", and
// a long name keeps its end (the extension) and as much of its start as fits.
std::string LinkNameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string name;
    for (size_t i = 0; i < base.size();) {
        size_t n = (size_t)Utf8Length((unsigned char)base[i]);
        if (n == 0) n = 1; // a byte that begins no character: alone, and no name
        std::string ch = base.substr(i, n), cp932;
        if (ch == " " || ch == "\t" || ch == "'" || !Utf8NameToCp932(ch.c_str(), &cp932))
            name += '_';
        else
            name += cp932;
        i += n;
    }
    if (name.size() > kMaxLinkName) {
        // Cut between characters: keep the last 8 bytes whole if ASCII.
        std::string tail = name.substr(name.size() - 8);
        if (std::any_of(tail.begin(), tail.end(), [](unsigned char c) { return c >= 0x80; }))
            tail.clear();
        char head[kMaxLinkName];
        CopyText(head, (int)(kMaxLinkName - tail.size() - 2), name.c_str(), (int)name.size());
        name = std::string(head) + "_" + tail;
    }
    return name.empty() ? std::string("_") : name;
}

} // namespace

// The path itself when the core can take it, else a link that opens the file.
std::string CoreNameOf(const char* path, bool scriptRule) {
    std::string cp932;
    bool converts = Utf8NameToCp932(path, &cp932);
    if (converts && Takeable(cp932)) return cp932;
    std::string target = path;
    size_t length = target.size();
    if (scriptRule && TakesScriptExtension(target.c_str(), length)) target += kScriptExtension;
    char real[PATH_MAX];
    const std::string& folder = Folder();
    if (!realpath(target.c_str(), real) || folder.empty() || g_links.links.size() >= kMaxLinks)
        return converts ? cp932 : Utf8ToCp932(path, strlen(path));
    std::string name = LinkNameOf(target);
    for (int n = 1; n < 100; ++n) {
        std::string candidate = folder + "/" + (n == 1 ? "" : std::to_string(n) + "-");
        std::string candidateCp932;
        if (!Utf8NameToCp932(candidate.c_str(), &candidateCp932)) break;
        candidateCp932 += name;
        std::string utf8;
        if (!Cp932NameToUtf8(candidateCp932.c_str(), &utf8)) break;
        if (symlink(real, utf8.c_str()) == 0) {
            g_links.links.push_back(utf8);
            return candidateCp932;
        }
    }
    return converts ? cp932 : Utf8ToCp932(path, strlen(path));
}

// Creates every folder on the way to a file that is missing.
void MakeFolders(const std::string& file, unsigned mode) {
    for (size_t slash = file.find('/', 1); slash != std::string::npos;
         slash = file.find('/', slash + 1))
        mkdir(file.substr(0, slash).c_str(), (mode_t)mode);
}

// The variable's folder when absolute (relative ones are to be ignored),
// else the home's.
std::string XdgFile(const char* variable, const char* homeFolder, const char* name) {
    const char* base = getenv(variable);
    if (base && *base == '/') return std::string(base) + "/tolvane/" + name;
    const char* home = getenv("HOME");
    if (!home || !*home) return "";
    return std::string(home) + "/" + homeFolder + "/tolvane/" + name;
}

// The executable's path as the kernel reports it, without its file name.
std::string ExecutableFolder() {
    char exe[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) return "";
    exe[n] = '\0';
    const char* slash = strrchr(exe, '/');
    return slash ? std::string(exe, (size_t)(slash - exe)) : std::string();
}
