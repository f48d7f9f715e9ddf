// The full-screen console in a terminal (ncursesw), and its rendering for
// --screen.
#pragma once

#include <stddef.h>

#include <vector>

#include "platform/key_script.h"

// True when the terminal can take the full-screen console; else a one-line
// message in error. Sets the locale from the environment.
bool ScreenCanStart(char* error, size_t errorSize);
// True when the terminal's type can draw a full screen; others (TERM=dumb,
// an unknown type) get the console line by line.
bool ScreenTerminal();
// Runs the full-screen console until the program quits, the terminal goes
// or a SIGTERM or SIGHUP arrives. Returns the exit status.
int RunScreen();

// --screen: from now on every box that opens prints the screen of this size
// with the box, and answers as the options say.
void BeginScreenSnapshots(int columns, int rows);
// Plays a key script with the view following the caret after each action.
void PlayScreenActions(const std::vector<KeyAction>& actions);
// Prints the screen as it shows now.
void PrintScreen();
