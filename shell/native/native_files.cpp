#include "shell/native/native_files.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "session/console.h"
#include "shell/native/codepage.h"
#include "text/text.h"

namespace {

// The file that writing to path changes: a symbolic link's target.
std::string Resolved(const std::string& path) {
    char real[PATH_MAX];
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && realpath(path.c_str(), real))
        return real;
    return path;
}

// The folder of a path, "." for a bare name.
std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file gets from the process's umask.
mode_t NewFileMode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A character without a code page 932 form in a line whose start is read
// already: the geta mark, the usual sign of a character that is missing.
const char kNoSuchCharacter[] = "\x81\xAC";

// The bytes are the start of one UTF-8 character that a read cut.
bool CutCharacter(const std::string& text, size_t from) {
    size_t n = text.size() - from;
    if (n == 0) return false;
    size_t length = (size_t)Utf8Length((unsigned char)text[from]);
    if (length < 2 || n >= length) return false;
    for (size_t k = from + 1; k < text.size(); ++k)
        if (((unsigned char)text[k] & 0xC0) != 0x80) return false;
    return true;
}

// The transcript as a Linux file: UTF-8, LF line ends, no zero byte.
std::string AsLinuxText(const char* bytes, int size) {
    std::string text;
    text.reserve((size_t)size);
    for (int i = 0; i < size; ++i) {
        if (bytes[i] == '\0') continue;
        if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return IsAscii(text.data(), text.size()) ? text : Cp932ToUtf8(text.data(), text.size());
}

// A result that changes nothing when it fails.
void Ignore(int) {}

} // namespace

// Opens without waiting (a pipe without a writer opens at once); a folder
// is no file to read.
int NativeFiles::OpenRead(const char* name) {
    std::string path;
    if (!Cp932NameToUtf8(name, &path)) return -1;
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        return -1;
    }
    reading_[fd] = Reading{};
    reading_[fd].name = name;
    return fd;
}

// The first bytes that are not ASCII decide: UTF-8 when they are valid UTF-8.
// A character cut at the end of a read waits for the next one.
int NativeFiles::FromUtf8(Reading* r, const char* bytes, int size, char* buffer, bool ended) {
    std::string text = r->cut + std::string(bytes, (size_t)size);
    r->cut.clear();
    if (!r->started && text.size() < 3 && !ended &&
        text.compare(0, text.size(), kByteOrderMark, text.size()) == 0) {
        r->cut = text; // perhaps a byte-order mark, perhaps not
        return 0;
    }
    size_t from = 0;
    if (!r->started && text.compare(0, 3, kByteOrderMark) == 0) {
        r->encoding = kUtf8;
        from = 3;
    }
    r->started = true;
    size_t valid = ValidUtf8Length(text.data(), text.size());
    bool cut = !ended && CutCharacter(text, valid);
    if (r->encoding == kUndecided && !IsAscii(text.data(), text.size()))
        r->encoding = valid == text.size() || cut ? kUtf8 : kCp932;
    if (r->encoding != kUtf8) {
        memcpy(buffer, text.data(), text.size());
        return (int)text.size();
    }
    size_t whole = cut ? valid : text.size(); // a cut character waits
    r->cut = text.substr(whole);
    std::string out;
    for (size_t at = from; at < whole;) {
        size_t feed = text.find('\n', at);
        size_t end = feed < whole ? feed : whole;
        std::string part;
        if (r->refusing) {
            // the rest of a refused line is dropped
        } else if (Utf8ToCp932Exactly(text.data() + at, end - at, &part)) {
            out += part;
        } else if (r->lineStart) {
            // A line with a character that has no code page 932 form is
            // a comment line to the core, and a message says why.
            out += "//";
            r->refusing = true;
            char message[kLineSize + 64];
            snprintf(message, sizeof message,
                     " %s %ld 行目: Shift-JIS で表せない文字があります\r\n", r->name.c_str(),
                     r->line + 1);
            AppendErrorShown(message);
        } else {
            // The line's start has gone to the core already: it cannot run.
            out += Utf8ToCp932(text.data() + at, end - at, kNoSuchCharacter);
        }
        r->lineStart = feed < whole;
        if (r->lineStart) {
            out += '\n';
            r->refusing = false;
            ++r->line;
        }
        at = end + (feed < whole ? 1 : 0);
    }
    memcpy(buffer, out.data(), out.size());
    return (int)out.size();
}

// A read that waits for a pipe or a device at most waitMs; a UTF-8 script
// comes as code page 932, which never takes more bytes.
int NativeFiles::Read(int handle, char* buffer, int size, int waitMs) {
    auto found = reading_.find(handle);
    Reading* r = found == reading_.end() || windowsBytes ? nullptr : &found->second;
    if (r && r->encoding != kCp932) {
        for (;;) {
            std::string raw((size_t)size, '\0');
            // A refused line's "//" can be longer than what it stands for.
            int room = (size - (int)r->cut.size()) / 2;
            int n = ReadBytes(handle, &raw[0], room > 4 ? room : 4, waitMs);
            if (n < 0) return n;
            int converted = FromUtf8(r, raw.data(), n, buffer, n == 0);
            if (converted > 0 || n == 0) return converted;
        }
    }
    return ReadBytes(handle, buffer, size, waitMs);
}

// A read of the bytes as they are.
int NativeFiles::ReadBytes(int handle, char* buffer, int size, int waitMs) {
    for (;;) {
        ssize_t n = read(handle, buffer, (size_t)size);
        if (n >= 0) return (int)n;
        if (errno == EINTR) continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK) return kReadError;
        struct pollfd p = {handle, POLLIN, 0};
        int ready = poll(&p, 1, waitMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return kReadError;
        if (ready == 0) return kReadTimedOut;
        waitMs = 0;
    }
}

void NativeFiles::Close(int handle) {
    reading_.erase(handle);
    close(handle);
}

// A new file ".tolvane-XXXXXX" in the folder of the file that will be
// replaced, with that file's permissions; a device or a pipe is written
// in place, as there is nothing in it to keep.
int NativeFiles::CreateReplacement(const char* name) {
    if (writing_ >= 0) FinishReplacement(writing_, false);
    std::string path;
    if (!Cp932NameToUtf8(name, &path) || path.empty()) return -1;
    std::string target = Resolved(path);
    struct stat st;
    bool exists = stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return -1;
    if (exists && !S_ISREG(st.st_mode)) {
        int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return -1;
        writing_ = fd; // temp_ and target_ stay empty while nothing is written
        return fd;
    }
    if (exists && access(target.c_str(), W_OK) != 0) return -1;
    std::string temp = FolderOf(target) + "/.tolvane-XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) return -1;
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    // Permissions or an owner that cannot be copied still leave a usable file.
    Ignore(fchmod(fd, exists ? (st.st_mode & 07777) : NewFileMode()));
    if (exists && getuid() == 0) Ignore(fchown(fd, st.st_uid, st.st_gid));
    writing_ = fd;
    temp_ = temp;
    target_ = target;
    return fd;
}

// Writes every byte, resuming after short writes; a transcript as a Linux
// text file unless the Windows bytes are asked for.
bool NativeFiles::Write(int handle, const char* bytes, int size) {
    std::string text;
    if (!windowsBytes) {
        text = AsLinuxText(bytes, size);
        bytes = text.data();
        size = (int)text.size();
    }
    while (size > 0) {
        ssize_t n = write(handle, bytes, (size_t)size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= (int)n;
    }
    return true;
}

// Stored to the disk, closed, renamed over the old file; else removed.
bool NativeFiles::FinishReplacement(int handle, bool keep) {
    if (handle != writing_ || handle < 0) return false;
    writing_ = -1;
    bool inPlace = temp_.empty();
    bool ok = keep;
    if (ok && !inPlace && fsync(handle) != 0) ok = false;
    if (close(handle) != 0) ok = false;
    if (inPlace) return ok;
    if (ok && rename(temp_.c_str(), target_.c_str()) != 0) ok = false;
    if (!ok) unlink(temp_.c_str());
    temp_.clear();
    target_.clear();
    return ok;
}
