#include "shell/native/transcript.h"

#include <stdio.h>
#include <unistd.h>

#include "session/console.h"
#include "session/keys.h"
#include "platform/seam.h"
#include "shell/native/codepage.h"
#include "shell/native/player.h"

// Lines of any length; a line end is LF or CR LF.
bool ReadInputLine(FILE* input, std::string* line) {
    line->clear();
    char chunk[4096];
    bool any = false;
    while (fgets(chunk, sizeof chunk, input)) {
        any = true;
        line->append(chunk);
        if (!line->empty() && line->back() == '\n') break;
    }
    if (!any) return false;
    if (!line->empty() && line->back() == '\n') line->pop_back();
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
}

// Bytes, or UTF-8 with CR LF as LF.
void PrintConsoleText(const std::string& text, bool raw) {
    std::string shown = raw ? text : TranscriptToUtf8(text.data(), text.size());
    fwrite(shown.data(), 1, shown.size(), stdout);
    fflush(stdout);
}

// The new tail; when the oldest lines went, the shortest cut of the old text
// at a line start that the new text continues.
std::string GainedText(const std::string& before, const std::string& now) {
    if (now.compare(0, before.size(), before) == 0) return now.substr(before.size());
    for (size_t k = 2; k <= before.size(); ++k) {
        if (before[k - 2] != '\r' || before[k - 1] != '\n') continue;
        size_t rest = before.size() - k;
        if (rest <= now.size() && now.compare(0, rest, before, k, rest) == 0)
            return now.substr(rest);
    }
    return now;
}

// The read-type-Enter-print loop.
int RunTranscript(bool raw) {
    bool tty = isatty(0) != 0;
    g_native.desktop.bell = tty && isatty(2);
    std::string shown = CurrentText();
    PrintConsoleText(shown, raw);
    std::string line;
    while (!g_native.desktop.quitting && ReadInputLine(stdin, &line)) {
        g_seam.edit->SetSel(kEndOfText, kEndOfText);
        std::string cp932;
        bool typed = LineToCp932(line, &cp932);
        if (typed) TypeText(cp932.data(), cp932.size());
        // The terminal has echoed the line and its Enter already.
        bool echoed = tty && !g_native.desktop.quitting;
        if (echoed) shown = CurrentText();
        if (!typed)
            RefuseLine();
        else if (!g_native.desktop.quitting)
            ConsoleChar(kVkReturn, false, 1);
        std::string now = CurrentText();
        std::string gained = GainedText(shown, now);
        if (echoed && gained.compare(0, 2, "\r\n") == 0) gained.erase(0, 2);
        PrintConsoleText(gained, raw);
        shown = now;
    }
    PrintConsoleText(raw ? "\r\n" : "\n", true);
    return 0;
}
