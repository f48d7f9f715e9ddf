#include "shell/native/spawn.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

// True when a program of that name is on PATH and can be executed.
bool FoundOnPath(const char* program) {
    const char* path = getenv("PATH");
    if (!path) return false;
    char candidate[4096];
    while (*path) {
        const char* colon = strchr(path, ':');
        size_t length = colon ? (size_t)(colon - path) : strlen(path);
        int n = snprintf(candidate, sizeof candidate, "%.*s/%s", (int)length, path, program);
        if (n > 0 && n < (int)sizeof candidate && access(candidate, X_OK) == 0) return true;
        if (!colon) break;
        path = colon + 1;
    }
    return false;
}

// A double fork: the grandchild runs the program in a session of its own
// and nobody waits for it; the child is reaped at once.
bool SpawnDetached(const char* const argv[], bool quiet) {
    fflush(nullptr);
    pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
        setsid();
        if (fork() != 0) _exit(0);
        int null = open("/dev/null", O_RDWR);
        if (null >= 0) {
            dup2(null, 0);
            if (quiet) {
                dup2(null, 1);
                dup2(null, 2);
            } else {
                dup2(2, 1);
            }
            if (null > 2) close(null);
        }
        execvp(argv[0], const_cast<char* const*>(argv));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return true;
}
