// Script files (call) and transcript saving (save).
#pragma once

enum {
    kMaxScriptDepth = 8,      // scripts open at once through nested calls
    kTranscriptBuffer = 65536 // the whole console text and its terminator
};

// Action of call: the named script, or one chosen in the open dialog.
void CallAction(int nameLength);
// Action of save: the named file, or one chosen in the save dialog.
void SaveAction(int nameLength);
void RunScript(const char* name);
void SaveTranscript(const char* name);
