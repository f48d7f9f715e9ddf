// The command line of the native tolvane.
#pragma once

struct Options {
    const char* keys = nullptr;   // --keys FILE ("-": standard input)
    const char* ini = nullptr;    // --ini FILE
    bool answerYes = true;        // --answer yes|no
    const char* open = nullptr;   // --open NAME
    const char* save = nullptr;   // --save NAME
    const char* events = nullptr; // --events FILE
    bool raw = false;             // --raw
    bool transcript = false;      // --transcript: the whole transcript, also on a pipe
    const char* screen = nullptr; // --screen COLSxROWS: print the rendered screen
    int screenColumns = 0;        // of --screen
    int screenRows = 0;           // of --screen
    bool help = false;            // --help
    bool version = false;         // --version
    bool decode = false;          // --decode (for the test wrappers)
    bool noHistory = false;       // --no-history: no history file for Alt+Up and Ctrl+R
    const char* script = nullptr; // the one optional positional SCRIPT
};

// Reads argv into options; on a mistake writes a one-line message into error
// and returns false.
bool ParseOptions(int argc, char** argv, Options* options, char* error, int errorSize);
// The text of --help.
const char* UsageText();
