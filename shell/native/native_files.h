// The core's files on a POSIX file system: names converted from code page
// 932 to UTF-8, reads that never wait long, and replacement by rename.
#pragma once

#include <string>

#include "platform/files.h"

class NativeFiles : public Files {
  public:
    int OpenRead(const char* name) override;
    int Read(int handle, char* buffer, int size, int waitMs) override;
    void Close(int handle) override;
    int CreateReplacement(const char* name) override;
    bool Write(int handle, const char* bytes, int size) override;
    bool FinishReplacement(int handle, bool keep) override;

  private:
    // The replacement being written: its descriptor, the new file and the
    // file it will replace (both empty when it is written in place).
    int writing_ = -1;
    std::string temp_;
    std::string target_;
};
