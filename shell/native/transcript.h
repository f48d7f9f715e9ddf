// The console in line mode (--transcript, and a terminal that cannot address
// the cursor): driven by lines of input, its text printed as it grows; and
// the line reader the pipe shares.
#pragma once

#include <stdio.h>

#include <string>

// Reads one line of input without its line end; false at the end of input.
bool ReadInputLine(FILE* input, std::string* line);

// Writes code page 932 console text to standard output: its bytes when raw,
// else UTF-8 with each CR LF as LF.
void PrintConsoleText(const std::string& text, bool raw);
// What the console holds now beyond what it held before: the new tail, also
// after the oldest lines were dropped; the whole text after a clear.
std::string GainedText(const std::string& before, const std::string& now);
// Reads lines from standard input, types each at the end of the console,
// presses Enter and prints what the console gained, until the input ends or
// the program quits. The session must be started. Returns the exit status.
int RunTranscript(bool raw);
