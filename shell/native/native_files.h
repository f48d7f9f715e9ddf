// The core's files on a POSIX file system: names converted from code page
// 932 to UTF-8, reads that never wait long, and replacement by rename.
#pragma once

#include <map>
#include <string>

#include "platform/files.h"

// Script files are read as UTF-8 when they are UTF-8 (a byte-order mark
// skipped) and as code page 932 otherwise; transcripts are written as UTF-8
// with LF line ends. With windowsBytes both keep the Windows program's bytes.
class NativeFiles : public Files {
  public:
    bool windowsBytes = false;

    int OpenRead(const char* name) override;
    int Read(int handle, char* buffer, int size, int waitMs) override;
    void Close(int handle) override;
    int CreateReplacement(const char* name) override;
    bool Write(int handle, const char* bytes, int size) override;
    bool FinishReplacement(int handle, bool keep) override;

  private:
    // How an open script's bytes are read.
    enum Encoding { kUndecided, kCp932, kUtf8 };
    struct Reading {
        Encoding encoding = kUndecided;
        bool started = false;  // bytes were read: a byte-order mark is no more
        std::string cut;       // the start of a UTF-8 character the last read cut
        std::string name;      // the script's name, as the core gave it
        long line = 0;         // lines read whole
        bool lineStart = true; // the next byte begins a line
        bool refusing = false; // the line is refused: its rest is dropped
    };
    std::map<int, Reading> reading_;
    // Converts bytes read from a UTF-8 script into buffer; their count.
    int ReadBytes(int handle, char* buffer, int size, int waitMs);
    int FromUtf8(Reading* r, const char* bytes, int size, char* buffer, bool ended);

    // The replacement being written: its descriptor, the new file and the
    // file it will replace (both empty when it is written in place).
    int writing_ = -1;
    std::string temp_;
    std::string target_;
};
