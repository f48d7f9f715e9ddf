#include "fuzz/fuzz_session.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "session/script.h"
#include "session/console.h"
#include "session/reset_core.h"
#include "platform/model/memory_edit.h"
#include "platform/model/memory_menu.h"
#include "platform/seam.h"
#include "shell/native/native_clocks.h"

namespace {

MemoryEdit g_edit;
MemoryMenu g_menu;
RecordingDesktop g_desktop;
MemoryFiles g_files;
NativeClocks g_clocks;

} // namespace

// A known file, or the endless one; every other name is missing.
int MemoryFiles::OpenRead(const char* name) {
    bool endless = strcmp(name, "zero.tvs") == 0;
    auto found = files.find(name);
    if (!endless && found == files.end()) return -1;
    reading[next] = Reading{endless ? std::string() : found->second, endless, 0};
    return next++;
}

// The file's next bytes; the endless file gives zero bytes for ever.
int MemoryFiles::Read(int handle, char* buffer, int size, int) {
    auto r = reading.find(handle);
    Require(r != reading.end(), "read of a file that is not open");
    if (r->second.endless) {
        memset(buffer, 0, (size_t)size);
        return size;
    }
    size_t left = r->second.text.size() - r->second.at;
    size_t n = left < (size_t)size ? left : (size_t)size;
    memcpy(buffer, r->second.text.data() + r->second.at, n);
    r->second.at += n;
    return (int)n;
}

void MemoryFiles::Close(int handle) {
    Require(reading.erase(handle) == 1, "close of a file that is not open");
}

int MemoryFiles::CreateReplacement(const char* name) {
    Require(writing.empty(), "two replacements at once");
    if (*name == '\0') return -1;
    writing[next] = name;
    pending.clear();
    return next++;
}

bool MemoryFiles::Write(int handle, const char* bytes, int size) {
    Require(writing.count(handle) == 1, "write to a file that is not open");
    pending.append(bytes, (size_t)size);
    return true;
}

bool MemoryFiles::FinishReplacement(int handle, bool keep) {
    auto w = writing.find(handle);
    Require(w != writing.end(), "finish of a file that is not open");
    if (keep) files[w->second] = pending;
    writing.erase(w);
    return keep;
}

// Fresh state everywhere.
void StartFuzzSession() {
    g_edit.Reset();
    ResetFuzzDesktop(&g_desktop);
    ResetFuzzFiles();
    g_seam = Seam{&g_edit, &g_menu, &g_desktop, &g_files, nullptr, &g_clocks};
    ResetCore();
}

// A fresh desktop whose open dialog chooses the self-calling script.
void ResetFuzzDesktop(RecordingDesktop* desktop) {
    *desktop = RecordingDesktop();
    desktop->openFile = "self";
    desktop->saveFile = "out.txt";
}

// The self-calling script and nothing else.
void ResetFuzzFiles() {
    g_files.files.clear();
    g_files.files["self.tvs"] = "n=n+1\ncall self\ncall self\n";
    g_files.reading.clear();
    g_files.writing.clear();
}

MemoryFiles& FuzzFiles() {
    return g_files;
}

// The state that every statement must leave behind.
void CheckInvariants(int maxLength) {
    Require(g_console.suppress == 0, "output suppression left on");
    Require(ScriptDepth() == 0, "a script still counted as running");
    Require(g_seam.files == nullptr || (g_files.reading.empty() && g_files.writing.empty()),
            "a file left open");
    int length = g_seam.edit->GetTextLength();
    Require(length >= 0 && length <= maxLength, "transcript beyond its limit");
}

// A broken invariant is a finding: abort so that the fuzzer keeps the input.
void Require(bool condition, const char* what) {
    if (condition) return;
    fprintf(stderr, "invariant broken: %s\n", what);
    abort();
}
