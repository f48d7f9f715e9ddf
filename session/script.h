// Script files (call) and transcript saving (save).
#pragma once

#include <stddef.h>

enum {
    kMaxScriptDepth = 8,         // scripts open at once through nested calls
    kTranscriptBuffer = 65536,   // the whole console text and its terminator
    kScriptLineBudget = 1000000, // script lines one statement's scripts may run
};

// The script rule: a name without a "." four bytes from its end is the
// name of a script file when kScriptExtension is added.
extern const char kScriptExtension[];
bool TakesScriptExtension(const char* name, size_t length);
// Action of call: the named script, or one chosen in the open dialog.
void CallAction(const char* argument);
// Action of save: the named file, or one chosen in the save dialog.
void SaveAction(const char* argument);
void RunScript(const char* name);
void SaveTranscript(const char* name);

// How long one statement's scripts may run: seconds of the program's own
// work on the script clock, and seconds on the steady clock however busy the
// machine is (time in dialogs and question boxes counts for neither). Each
// front-end sets what its platform manages well within its bound.
void SetScriptTimeLimit(double seconds, double wallSeconds);
// How many script lines one statement's scripts may run (kScriptLineBudget
// unless a test sets another); a line beyond them is not run, and the
// scripts are cut.
void SetScriptLineBudget(long lines);
// What runs each script line as a statement (RunStatement; set by ResetCore,
// which sits above both).
void SetScriptLineRunner(void (*runLine)(const char* line));
// Back to no script running, the time limits kept.
void ResetScripts();
// Scripts running now, one inside the other (0 between statements).
int ScriptDepth();

// A beep of the desktop. A call of the desktop may take long, so after any
// the next script line reads the clocks.
void DesktopBeep();

// Times a modal call of the desktop (a dialog, a question box, the popup
// menu) while it lives: a person's time there is not the scripts' work.
struct ModalTiming {
    double work, wall; // the clocks' readings as the call began
    ModalTiming();
    ~ModalTiming();
};

// Makes a modal call of the desktop, timed; returns what the call returns.
template <typename Call> auto ModalCall(Call call) {
    ModalTiming timing;
    return call();
}
