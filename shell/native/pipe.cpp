#include "shell/native/pipe.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>

#include "session/console.h"
#include "session/keys.h"
#include "platform/seam.h"
#include "shell/native/codepage.h"
#include "shell/native/player.h"
#include "shell/native/transcript.h"
#include "text/text.h"

namespace {

struct PipeState {
    std::string line; // the output line being assembled (code page 932)
    bool lineIsError; // it holds an error message
    long inputLine;   // the number of the input line running, from 1; 0 at start-up
};

PipeState g_pipe;

// One finished output line: results to standard output without the leading
// blank the console puts there; error messages to standard error with the
// input line they came from. Blank lines are the console's own.
void EmitLine() {
    std::string& text = g_pipe.line;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(' ') != std::string::npos) {
        const char* shown = text[0] == ' ' ? text.c_str() + 1 : text.c_str();
        std::string utf8 = IsAscii(text.data(), text.size()) ? std::string(shown)
                                                             : Cp932ToUtf8(shown, strlen(shown));
        if (g_pipe.lineIsError) {
            fflush(stdout);
            if (g_pipe.inputLine > 0)
                fprintf(stderr, "tolvane: line %ld: %s\n", g_pipe.inputLine, utf8.c_str());
            else
                fprintf(stderr, "tolvane: %s\n", utf8.c_str());
        } else {
            puts(utf8.c_str());
        }
    }
    text.clear();
    g_pipe.lineIsError = false;
}

// The append observer: assembles the program's answers into lines, a line
// with an error message in it goes to standard error whole; prompts and
// statements on the input line are nobody's output here.
void Observe(const char* text, AppendKind kind) {
    if (kind == kAppendInput) return;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            EmitLine();
            continue;
        }
        if (kind == kAppendError) g_pipe.lineIsError = true;
        g_pipe.line += *p;
    }
}

// Leaves out control characters: the console takes none as text, a tab
// included (a double-byte character's second byte is never one).
void DropControls(std::string* cp932) {
    auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
    cp932->erase(std::remove_if(cp932->begin(), cp932->end(), control), cp932->end());
}

// Nobody sees a piped transcript: what lies before the input line goes, so
// that every statement finds a console of one line (save then writes only
// the statement that saves; --transcript keeps everything).
void DropOldLines() {
    EditControl* edit = g_seam.edit;
    int last = edit->LineFromChar(kEndOfText);
    int start = edit->LineIndex(last);
    if (start <= 0) return;
    edit->SetSel(0, start);
    edit->ReplaceSel("");
}

// The caret line holds text behind its prompt: a recalled statement stands.
bool RecallStands() {
    char line[kLineSize];
    return ReadCaretLine(line).input && line[2] != '\0';
}

} // namespace

// The observer on, the line assembly empty.
void BeginPipeOutput() {
    g_pipe = PipeState{};
    g_appendObserver = Observe;
}

// Each line behind the last prompt, then Enter; a statement recalled with
// "!" is run at once, as there is nobody to edit it.
int RunPipe(FILE* input) {
    std::string line;
    while (!g_native.desktop.quitting && ReadInputLine(input, &line)) {
        ++g_pipe.inputLine;
        DropOldLines();
        if (g_pipe.inputLine == 1 && line.compare(0, 3, kByteOrderMark) == 0) line.erase(0, 3);
        std::string cp932;
        if (!LineToCp932(line, &cp932)) {
            RefuseLine();
            continue;
        }
        DropControls(&cp932);
        PutInputLine(cp932.c_str());
        ConsoleChar(kVkReturn, false, 1);
        if (!g_native.desktop.quitting && RecallStands()) ConsoleChar(kVkReturn, false, 1);
    }
    if (!g_pipe.line.empty()) EmitLine();
    g_appendObserver = nullptr;
    fflush(stdout);
    return g_console.errors > 0 ? 1 : 0;
}
