// What every fuzz target shares: a fresh calculator session on in-memory
// parts that touch nothing outside the process, and the invariants that must
// hold after every input.
#pragma once

#include <stddef.h>

#include <map>
#include <string>

#include "session/console.h"
#include "platform/files.h"
#include "tests/unit/recording_desktop.h"

// Files kept in memory: a script named "self.tvs" that calls itself, the
// endless "zero.tvs", and whatever save writes.
struct MemoryFiles : Files {
    std::map<std::string, std::string> files;
    // What a reader sees: the file as it was when opened (a save over the
    // script that runs replaces the file, not what its reader reads), or
    // endless zero bytes.
    struct Reading {
        std::string text;
        bool endless;
        size_t at;
    };
    std::map<int, Reading> reading;
    std::map<int, std::string> writing; // handle to name
    std::string pending;                // the bytes of the replacement
    int next = 1;

    int OpenRead(const char* name) override;
    int Read(int handle, char* buffer, int size, int waitMs) override;
    void Close(int handle) override;
    int CreateReplacement(const char* name) override;
    bool Write(int handle, const char* bytes, int size) override;
    bool FinishReplacement(int handle, bool keep) override;
};

// A fresh core on the in-memory console, menu, desktop and files.
void StartFuzzSession();
// The desktop as every session starts with it: nothing logged, questions
// answered yes, the open dialog choosing "self" and the save dialog "out.txt".
void ResetFuzzDesktop(RecordingDesktop* desktop);
// The session's files as they are at its start.
void ResetFuzzFiles();
// The files of the session.
MemoryFiles& FuzzFiles();
// Aborts with a message unless the state between statements is sound:
// evaluator nesting 0, output on, no script running and no file open, the
// transcript within maxLength (the program's own output keeps it within
// kTranscriptLimit; what a person types can add to it up to the end-of-text
// address).
void CheckInvariants(int maxLength = kTranscriptLimit);
// Aborts with a message when a condition fails.
void Require(bool condition, const char* what);
