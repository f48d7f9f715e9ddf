#include "session/script.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "session/console.h"
#include "platform/seam.h"

namespace {

enum {
    kFileTitleSize = 256,           // the dialog's file-title buffer
    kNameSize = kStatementSize + 8, // a typed name and its ".tvs"
    kReadChunk = 16384,             // bytes read from a script at a time
    kLinesPerClockReading = 256,    // lines run between two readings of the clocks
};

// The seam's steady clock; 0 without clocks.
double SteadySeconds() {
    return g_seam.clocks ? g_seam.clocks->SteadySeconds() : 0.0;
}

// The seam's clock of the program's work; 0 without clocks.
double WorkSeconds() {
    return g_seam.clocks ? g_seam.clocks->WorkSeconds() : 0.0;
}

struct ScriptState {
    int depth;              // scripts now running, one inside the other
    long linesRead;         // lines this statement's scripts have read
    long linesRun;          // of them, the lines run as statements
    double started;         // clock reading when the outermost script began
    double wallStarted;     // the steady clock's reading then
    double modal;           // seconds of the clock spent since then in dialogs and boxes
    double wallModal;       // the same on the steady clock
    bool cut;               // the work bound was reached: every script stops
    bool desktopCalled;     // the desktop was called since the clocks were last read
    double limit = 0.5;     // seconds of work one statement's scripts may take
    double wallLimit = 0.9; // seconds they may take on the steady clock, however busy
    long lineBudget = kScriptLineBudget;         // lines they may run
    void (*runLine)(const char* line) = nullptr; // what a script line is run by
};

ScriptState g_script;

// The console's whole text for save: zero-filled before each use.
char g_transcript[kTranscriptBuffer];

// One script file being read in lines.
struct ScriptReader {
    int handle;
    char chunk[kReadChunk];
    int filled;       // bytes in chunk
    int next;         // the first byte not yet handed out
    bool ended;       // the end of the file, an error or a silent pipe
    const char* name; // as the messages name it
    long line;        // the number of the line read last, from 1
};

// Milliseconds of work left to this statement's scripts (at least 0).
int MillisecondsLeft() {
    double left = g_script.limit - (WorkSeconds() - g_script.started - g_script.modal);
    double wallLeft =
        g_script.wallLimit - (SteadySeconds() - g_script.wallStarted - g_script.wallModal);
    if (wallLeft < left) left = wallLeft;
    return left > 0 ? (int)(left * 1000) + 1 : 0;
}

// Whether this statement's scripts have taken all the time they may.
// The clocks are read every 256 lines read, a clock costing more than a
// short line, and after any call of the desktop, which can take long.
bool TimeBoundReached() {
    if (g_script.linesRead % kLinesPerClockReading != 0 && !g_script.desktopCalled) return false;
    g_script.desktopCalled = false;
    return MillisecondsLeft() == 0;
}

// Refills the reader's chunk; false when nothing more comes.
bool Refill(ScriptReader* r) {
    if (r->ended) return false;
    int n = g_seam.files->Read(r->handle, r->chunk, kReadChunk, MillisecondsLeft());
    if (n <= 0) {
        // A pipe that keeps silent takes all the time there is.
        if (n == kReadTimedOut) g_script.cut = true;
        r->ended = true;
        return false;
    }
    r->filled = n;
    r->next = 0;
    return true;
}

// Reads a line as fgets reads one: up to size - 1 bytes, through the line
// feed if one comes first; returns its length, 0 at the end of the file.
int ReadLine(ScriptReader* r, char* line, int size) {
    int n = 0;
    while (n < size - 1) {
        if (r->next >= r->filled && !Refill(r)) break;
        const char* from = r->chunk + r->next;
        int take = r->filled - r->next;
        if (take > size - 1 - n) take = size - 1 - n;
        const char* feed = (const char*)memchr(from, '\n', (size_t)take);
        if (feed) take = (int)(feed - from) + 1;
        memcpy(line + n, from, (size_t)take);
        n += take;
        r->next += take;
        if (feed) break;
    }
    line[n] = '\0';
    return n;
}

// Takes the next byte if it is c.
bool TakeByte(ScriptReader* r, char c) {
    if (r->next >= r->filled && !Refill(r)) return false;
    if (r->chunk[r->next] != c) return false;
    ++r->next;
    return true;
}

// After a read that filled the buffer without a line feed: true when the
// line ends there all the same (its line end or the file's end follows, and
// is taken), false when it goes on.
bool LineEndsHere(ScriptReader* r) {
    if (TakeByte(r, '\n')) return true;
    if (TakeByte(r, '\r') && (TakeByte(r, '\n') || r->next >= r->filled)) return true;
    return r->next >= r->filled && !Refill(r);
}

// Removes one line end (LF, CR LF or a lone CR) from a line of that length.
void StripLineEnd(char* line, int n) {
    if (n > 0 && line[n - 1] == '\n') line[--n] = '\0';
    if (n > 0 && line[n - 1] == '\r') line[--n] = '\0';
}

// Hands the typed name to action, or the one chosen in the dialog; a
// cancelled dialog does nothing.
void WithFileName(const char* typed, bool save, const char* title, int filterIndex,
                  void (*action)(const char*)) {
    if (*typed != '\0') {
        action(typed);
        return;
    }
    char fileTitle[kFileTitleSize] = "";
    if (ModalCall([&] {
            return g_seam.desktop->ChooseFile(save, title, filterIndex, fileTitle, kFileTitleSize);
        }))
        action(fileTitle);
}

// The outermost script of a statement starts the work count and the clocks.
void BeginStatementScripts() {
    g_script.linesRead = 0;
    g_script.linesRun = 0;
    g_script.started = WorkSeconds();
    g_script.wallStarted = SteadySeconds();
    g_script.modal = 0;
    g_script.wallModal = 0;
    g_script.cut = false;
}

// The outermost script has ended: the one report of a cut.
void EndStatementScripts(const char* name) {
    if (!g_script.cut) return;
    g_script.cut = false;
    AppendErrorFormat(" %s の実行を打ち切りました\r\n", name);
}

// Runs the lines of an open script as statements until it ends or a bound
// is reached: the time, or the line budget when one more line would run.
void RunLines(ScriptReader* reader) {
    char line[kLineSize];
    bool skipping = false; // the rest of a line too long to run
    while (!g_script.cut) {
        if (TimeBoundReached()) {
            g_script.cut = true;
            break;
        }
        int length = ReadLine(reader, line, kLineSize);
        if (length == 0) break;
        ++g_script.linesRead;
        bool whole = length < kLineSize - 1 || line[length - 1] == '\n';
        if (skipping) {
            skipping = !whole;
            continue;
        }
        ++reader->line;
        if (!whole && !LineEndsHere(reader)) {
            // A line longer than the buffer is not run in pieces: it is
            // skipped, and said so even while output is off.
            skipping = true;
            char message[kNameSize + 64];
            snprintf(message, sizeof message, " %s %ld 行目: 行が長すぎます\r\n", reader->name,
                     reader->line);
            AppendErrorShown(message);
            continue;
        }
        if (line[0] == '/' && line[1] == '/') continue;
        StripLineEnd(line, length);
        if (line[0] == '\0') continue;
        if (g_script.linesRun >= g_script.lineBudget) {
            g_script.cut = true;
            break;
        }
        ++g_script.linesRun;
        if (g_script.runLine) g_script.runLine(line);
    }
}

} // namespace

// The time limits of one statement's scripts.
void SetScriptTimeLimit(double seconds, double wallSeconds) {
    g_script.limit = seconds;
    g_script.wallLimit = wallSeconds;
}

// The number of lines one statement's scripts may run.
void SetScriptLineBudget(long lines) {
    g_script.lineBudget = lines;
}

// No script running and nothing counted; the limits stay as the front-end
// (or a test) chose them.
void ResetScripts() {
    ScriptState fresh{};
    fresh.limit = g_script.limit;
    fresh.wallLimit = g_script.wallLimit;
    fresh.lineBudget = g_script.lineBudget;
    fresh.runLine = g_script.runLine;
    g_script = fresh;
}

// Statement entry runs the lines; set once, kept by ResetScripts.
void SetScriptLineRunner(void (*runLine)(const char* line)) {
    g_script.runLine = runLine;
}

int ScriptDepth() {
    return g_script.depth;
}

// Beeps, noted as a call of the desktop.
void DesktopBeep() {
    g_script.desktopCalled = true;
    g_seam.desktop->Beep();
}

// Notes the call and reads the clocks as it begins.
ModalTiming::ModalTiming() : work(WorkSeconds()), wall(SteadySeconds()) {
    g_script.desktopCalled = true;
}

// The call's time goes to the time not counted.
ModalTiming::~ModalTiming() {
    g_script.modal += WorkSeconds() - work;
    g_script.wallModal += SteadySeconds() - wall;
}

// call: runs the named script, or asks for one with the open dialog.
void CallAction(const char* argument) {
    WithFileName(argument, false, "スクリプト読み込み", 2, RunScript);
}

// save: saves to the named file, or asks for one with the save dialog.
void SaveAction(const char* argument) {
    WithFileName(argument, true, "計算結果保存", 3, SaveTranscript);
}

const char kScriptExtension[] = ".tvs";

// A name without a "." four bytes from its end.
bool TakesScriptExtension(const char* name, size_t length) {
    return length < 4 || name[length - 4] != '.';
}

// Runs each line of a script as a statement with output off, then lists.
// All the scripts of one statement share one bound on their work; when it is
// reached every one of them stops and one message says so.
void RunScript(const char* name) {
    char path[kNameSize];
    snprintf(path, sizeof path, "%s", name);
    size_t length = strlen(path);
    if (TakesScriptExtension(path, length))
        snprintf(path + length, sizeof path - length, "%s", kScriptExtension);

    if (g_script.depth >= kMaxScriptDepth) {
        AppendErrorShown(" スクリプトの入れ子が深すぎます\r\n");
        return;
    }
    if (g_script.depth > 0 && TimeBoundReached()) {
        g_script.cut = true;
        return;
    }
    Files* files = g_seam.files;
    int handle = files ? files->OpenRead(path) : -1;
    if (handle < 0) {
        AppendErrorFormat(" %s が見あたりません\r\n", path);
        return;
    }
    bool outermost = g_script.depth == 0;
    if (outermost) BeginStatementScripts();
    ScriptReader reader{handle, {}, 0, 0, false, path, 0};
    // A name that opens but cannot be read (a folder) is as good as missing.
    // A pipe that stays silent until the time is up is cut, not missing.
    int first = files->Read(handle, reader.chunk, kReadChunk, MillisecondsLeft());
    if (first == kReadTimedOut) g_script.cut = true;
    if (first < 0 && !g_script.cut) {
        files->Close(handle);
        if (outermost) EndStatementScripts(path);
        AppendErrorFormat(" %s が見あたりません\r\n", path);
        return;
    }
    reader.filled = first > 0 ? first : 0;
    reader.ended = first <= 0;

    ++g_script.depth;
    g_console.suppress = 1;
    RunLines(&reader);
    files->Close(handle);
    --g_script.depth;
    g_console.suppress = 0;
    bool cut = g_script.cut;
    if (outermost) EndStatementScripts(path);
    if (cut) return;
    AppendFormat(" %s を読み込みました\r\n\r\n", path);
    if (g_script.runLine) g_script.runLine("list");
}

// Writes the console's text and one zero byte into a new file beside the
// named one, and puts it in its place only when every byte is stored: a
// failed save leaves the old file as it was.
void SaveTranscript(const char* name) {
    memset(g_transcript, 0, sizeof g_transcript);
    int length = g_seam.edit->GetTextLength();
    if (length > kTranscriptBuffer - 1) length = kTranscriptBuffer - 1;
    if (length < 0) length = 0;
    int copied = g_seam.edit->GetText(g_transcript, length + 1);
    if (copied < 0 || copied > length) copied = length;

    bool saved = false;
    Files* files = g_seam.files;
    int handle = files ? files->CreateReplacement(name) : -1;
    if (handle >= 0) {
        bool written = files->Write(handle, g_transcript, copied + 1);
        saved = files->FinishReplacement(handle, written) && written;
    }
    if (saved)
        AppendFormat(" %sに保存しました。\r\n", name);
    else
        AppendErrorFormat(" 保存失敗 [%s]\r\n", name);
}
