#include "shell/native/recall.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "session/console.h"
#include "session/script.h"
#include "platform/seam.h"
#include "shell/native/codepage.h"
#include "shell/native/native_paths.h"
#include "text/text.h"

Recall g_recall;

namespace {

// A line of the file as it is written: UTF-8.
std::string FileLine(const std::string& cp932) {
    return IsAscii(cp932.data(), cp932.size()) ? cp932 : Cp932ToUtf8(cp932.data(), cp932.size());
}

// The whole file anew with the lines kept, through a new file renamed over it.
void RewriteFile() {
    std::string temp = g_recall.file + ".new";
    FILE* f = fopen(temp.c_str(), "w");
    if (!f) return;
    for (const std::string& line : g_recall.lines) fprintf(f, "%s\n", FileLine(line).c_str());
    if (fclose(f) == 0)
        rename(temp.c_str(), g_recall.file.c_str());
    else
        unlink(temp.c_str());
}

// The text behind the last prompt.
std::string BehindPrompt(int start) {
    EditControl* edit = g_seam.edit;
    int length = edit->GetTextLength();
    std::string all((size_t)length + 1, '\0');
    int n = edit->GetText(&all[0], length + 1);
    return all.substr((size_t)start, (size_t)(n - start));
}

// The newest line from index down that holds the query, -1 when none.
int FindOlder(int index) {
    for (int i = index; i >= 0; --i)
        if (g_recall.lines[(size_t)i].find(g_recall.query) != std::string::npos) return i;
    return -1;
}

} // namespace

// TOLVANE_HISTORY=off: no history file.
std::string HistoryFilePath() {
    const char* off = getenv("TOLVANE_HISTORY");
    if (off && strcmp(off, "off") == 0) return "";
    return XdgFile("XDG_STATE_HOME", ".local/state", "history");
}

// The file's last kRecallLines lines, each as the console holds it.
void LoadRecall(const std::string& file) {
    g_recall = Recall{};
    g_recall.file = file;
    if (file.empty()) return;
    FILE* f = fopen(file.c_str(), "r");
    if (!f) return;
    char buffer[4 * kLineSize];
    while (fgets(buffer, sizeof buffer, f)) {
        size_t n = strcspn(buffer, "\r\n");
        if (n == 0 || n >= kLineSize) continue;
        std::string cp932 = Utf8ToCp932(buffer, n);
        g_recall.lines.push_back(cp932);
    }
    fclose(f);
    if (g_recall.lines.size() > kRecallLines)
        g_recall.lines.erase(g_recall.lines.begin(), g_recall.lines.end() - kRecallLines);
}

// Blank lines and a repeat of the line before are not kept.
void RememberLine(const std::string& cp932) {
    if (cp932.find_first_not_of(" \t") == std::string::npos) return;
    if (!g_recall.lines.empty() && g_recall.lines.back() == cp932) return;
    g_recall.lines.push_back(cp932);
    bool full = g_recall.lines.size() > kRecallLines;
    if (full) g_recall.lines.erase(g_recall.lines.begin());
    if (g_recall.file.empty()) return;
    if (full) return RewriteFile();
    MakeFolders(g_recall.file, 0700);
    FILE* f = fopen(g_recall.file.c_str(), "a");
    if (!f) return;
    fprintf(f, "%s\n", FileLine(cp932).c_str());
    fclose(f);
}

// Past the newest line what was typed comes back; past the oldest nothing moves.
void BrowseRecall(int direction) {
    int start = InputLineStart();
    int count = (int)g_recall.lines.size();
    if (start < 0 || count == 0) return;
    if (g_recall.browsing < 0) {
        if (direction > 0) return;
        g_recall.typed = BehindPrompt(start);
        g_recall.browsing = count;
    }
    int next = g_recall.browsing + direction;
    if (next < 0) return;
    if (next >= count) {
        PutInputLine(g_recall.typed.c_str());
        g_recall.browsing = -1;
        return;
    }
    g_recall.browsing = next;
    PutInputLine(g_recall.lines[(size_t)next].c_str());
}

// Browsing ends: what is behind the prompt stays.
void EndBrowsing() {
    g_recall.browsing = -1;
}

// The first Ctrl+R keeps what is typed; each further one looks older.
void SearchRecall() {
    EndBrowsing();
    if (!g_recall.searching) {
        int start = InputLineStart();
        if (start < 0) return;
        g_recall.searching = true;
        g_recall.typed = BehindPrompt(start);
        g_recall.query.clear();
        g_recall.found = -1;
        return;
    }
    if (g_recall.query.empty()) return;
    int from = g_recall.found >= 0 ? g_recall.found - 1 : (int)g_recall.lines.size() - 1;
    int found = FindOlder(from);
    if (found < 0) return DesktopBeep();
    g_recall.found = found;
    PutInputLine(g_recall.lines[(size_t)found].c_str());
}

// The query grows or shrinks; the newest line that holds it shows.
void SearchType(const char* cp932) {
    std::string& query = g_recall.query;
    if (cp932) {
        query += cp932;
    } else {
        query.resize(LastCharStart(query.c_str(), query.size()));
    }
    int found = query.empty() ? -1 : FindOlder((int)g_recall.lines.size() - 1);
    if (!query.empty() && found < 0) DesktopBeep();
    if (found >= 0 || query.empty()) g_recall.found = found;
    PutInputLine(
        (g_recall.found >= 0 ? g_recall.lines[(size_t)g_recall.found] : g_recall.typed).c_str());
}

// The search ends, keeping the line found or bringing back what was typed.
void EndSearch(bool keep) {
    if (!g_recall.searching) return;
    g_recall.searching = false;
    if (!keep) PutInputLine(g_recall.typed.c_str());
}

// As readline shows it, in the program's words.
std::string SearchStatus() {
    return " 履歴検索: " + g_recall.query + "_   Enter:実行  Esc:取消";
}
