#include "commands/script.h"

// Runs a script file (built with the command set).
void RunScript(const char*) {}

// Saves the console's text (built with the command set).
void SaveTranscript(const char*) {}
