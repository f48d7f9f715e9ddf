// Starting other programs from the native front-end without waiting.
#pragma once

// Starts argv[0] (searched on PATH) with its arguments, detached: the
// program's standard input is /dev/null, its output goes to our standard
// error, or nowhere when quiet. False when it could not be started.
bool SpawnDetached(const char* const argv[], bool quiet);
// True when a program of that name is on PATH.
bool FoundOnPath(const char* program);
