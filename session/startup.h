// What both front-ends do at start and at the close button, over the seam:
// each supplies only its platform's steps around these.
#pragma once

// The start of a run, once the front-end has set the seam: every subsystem
// fresh, then the session flags from the settings file.
void BeginSession();
// The end of start-up, once the console stands: its capacity, a script named
// on the command line (nullptr: none) run as the statement "call NAME", then
// the first prompt unless that script ended the program.
void StartConsole(const char* scriptName);
// The title bar's close button: with endflag it hides the window, else it
// runs the quit sequence.
void CloseButton();
