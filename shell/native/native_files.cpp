#include "shell/native/native_files.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/native/codepage.h"

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
    return fd;
}

// A read that waits for a pipe or a device at most waitMs.
int NativeFiles::Read(int handle, char* buffer, int size, int waitMs) {
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

// Writes every byte, resuming after short writes.
bool NativeFiles::Write(int handle, const char* bytes, int size) {
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
