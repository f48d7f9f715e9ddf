// The files the core reads and writes: script files for call, transcripts
// for save. Names are the core's code page 932 text; each front-end turns
// them into what its file system takes.
#pragma once

enum { kReadError = -1, kReadTimedOut = -2 };

struct Files {
    virtual ~Files() = default;
    // Opens a file to read its bytes; a handle of 0 or more, or -1.
    virtual int OpenRead(const char* name) = 0;
    // Reads at most size bytes, waiting at most waitMs for the first of them;
    // the count, 0 at the end of the file, kReadError, or kReadTimedOut when
    // nothing came in time (a pipe).
    virtual int Read(int handle, char* buffer, int size, int waitMs) = 0;
    // Closes a file opened by OpenRead.
    virtual void Close(int handle) = 0;
    // Begins the replacement of a file: creates a new, empty file beside
    // name (where name is no plain file, a device, name itself) and returns a
    // handle for Write, or -1.
    virtual int CreateReplacement(const char* name) = 0;
    // Writes all of the bytes, or returns false.
    virtual bool Write(int handle, const char* bytes, int size) = 0;
    // Ends a replacement. With keep, closes the new file and puts it in the
    // old one's place in one step; false when any of that fails, and then the
    // old file is as it was. Without keep, the new file is removed.
    virtual bool FinishReplacement(int handle, bool keep) = 0;
};
