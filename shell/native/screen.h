// The full-screen console in a terminal (ncursesw), and its rendering for
// --screen.
#pragma once

#include <stddef.h>

// True when the terminal can take the full-screen console; else a one-line
// message in error. Sets the locale from the environment.
bool ScreenCanStart(char* error, size_t errorSize);
// Runs the full-screen console until the program quits, the terminal goes
// or a SIGTERM or SIGHUP arrives. Returns the exit status.
int RunScreen();
// Prints the screen as it would show in a terminal of this size (--screen).
void PrintScreen(int columns, int rows);
