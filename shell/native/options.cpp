#include "shell/native/options.h"

#include <stdio.h>
#include <string.h>

#include <string>

namespace {

enum { kMinScreenColumns = 20, kMinScreenRows = 4, kMaxScreenSide = 1000 };

// --screen COLSxROWS, each side within its bounds.
bool ParseScreen(const char* value, Options* o, char* error, int errorSize) {
    int columns = 0, rows = 0;
    char x = 0, extra = 0;
    if (sscanf(value, "%d%c%d%c", &columns, &x, &rows, &extra) != 3 || x != 'x' ||
        columns < kMinScreenColumns || rows < kMinScreenRows || columns > kMaxScreenSide ||
        rows > kMaxScreenSide) {
        snprintf(error, (size_t)errorSize,
                 "--screen takes COLSxROWS, at least %dx%d and at most %dx%d, not '%s'",
                 kMinScreenColumns, kMinScreenRows, kMaxScreenSide, kMaxScreenSide, value);
        return false;
    }
    o->screen = value;
    o->screenColumns = columns;
    o->screenRows = rows;
    return true;
}

// --answer yes|no.
bool ParseAnswer(const char* value, Options* o, char* error, int errorSize) {
    bool yes = strcmp(value, "yes") == 0;
    if (!yes && strcmp(value, "no") != 0) {
        snprintf(error, (size_t)errorSize, "--answer takes yes or no, not '%s'", value);
        return false;
    }
    o->answerYes = yes;
    return true;
}

// One option and where it goes: a flag it sets, or a value kept as text or
// read by a parser. The ones with a value take it from the next argument or
// after "=". The help line shows the option and its value, then says what
// it does (nullptr: left out of the help).
struct OptionEntry {
    const char* name;
    bool Options::*flag;
    const char* Options::*text;
    bool (*parse)(const char* value, Options* o, char* error, int errorSize);
    const char* help;
};

// In the order of the help.
const OptionEntry kOptions[] = {
    {"--keys", nullptr, &Options::keys, nullptr,
     "--keys FILE     replay a key script (\"-\": standard input), print the transcript"},
    {"--screen", nullptr, nullptr, ParseScreen,
     "--screen CxR    with --keys: print the screen of C columns and R rows instead"},
    {"--transcript", &Options::transcript, nullptr, nullptr,
     "--transcript    on a pipe: print the whole transcript (prompts, statements)"},
    {"--raw", &Options::raw, nullptr, nullptr,
     "--raw           the console's own bytes (CP932, CR LF) in the transcript and saved files"},
    {"--ini", nullptr, &Options::ini, nullptr,
     "--ini FILE      the settings file (default $XDG_CONFIG_HOME/tolvane/tolvane.ini)"},
    {"--answer", nullptr, nullptr, ParseAnswer,
     "--answer yes|no the answer to every yes/no question (default yes)"},
    {"--open", nullptr, &Options::open, nullptr,
     "--open NAME     what an open-file dialog returns (default: cancelled)"},
    {"--save", nullptr, &Options::save, nullptr,
     "--save NAME     what a save-file dialog returns (default: cancelled)"},
    {"--events", nullptr, &Options::events, nullptr,
     "--events FILE   write one line per desktop action to FILE"},
    {"--no-history", &Options::noHistory, nullptr, nullptr,
     "--no-history    no history file (also TOLVANE_HISTORY=off)"},
    {"--help", &Options::help, nullptr, nullptr, "--help          this text"},
    {"--version", &Options::version, nullptr, nullptr, "--version       the version"},
    {"--decode", &Options::decode, nullptr, nullptr, nullptr}, // for the test wrappers
};

} // namespace

// options := { option | SCRIPT }, at most one SCRIPT; "--" ends the options.
bool ParseOptions(int argc, char** argv, Options* o, char* error, int errorSize) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!optionsEnded && strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg[0] != '-' || strcmp(arg, "-") == 0) {
            if (o->script) {
                snprintf(error, (size_t)errorSize, "only one script may be named ('%s')", arg);
                return false;
            }
            o->script = arg;
            continue;
        }
        const char* eq = strchr(arg, '=');
        size_t length = eq ? (size_t)(eq - arg) : strlen(arg);
        const OptionEntry* entry = nullptr;
        for (const OptionEntry& s : kOptions)
            if (strlen(s.name) == length && strncmp(s.name, arg, length) == 0) entry = &s;
        if (!entry) {
            snprintf(error, (size_t)errorSize,
                     "unknown option '%.*s' (tolvane --help lists the options)", (int)length, arg);
            return false;
        }
        const char* value = nullptr;
        if (!entry->flag) {
            if (eq)
                value = eq + 1;
            else if (i + 1 < argc)
                value = argv[++i];
            else {
                snprintf(error, (size_t)errorSize, "%s needs a value", entry->name);
                return false;
            }
        } else if (eq) {
            snprintf(error, (size_t)errorSize, "%s takes no value", entry->name);
            return false;
        }
        if (entry->flag) o->*entry->flag = true;
        if (entry->text) o->*entry->text = value;
        if (entry->parse && !entry->parse(value, o, error, errorSize)) return false;
    }
    return true;
}

// The text of --help: what the program is, a line per option, the script.
const char* UsageText() {
    static std::string text;
    if (!text.empty()) return text.c_str();
    text = "usage: tolvane [options] [SCRIPT]\n"
           "A keyboard-driven scientific calculator console.\n"
           "On a terminal it is a full-screen console. On a pipe or a file it runs each line\n"
           "as a statement and prints only the results; error messages go to standard error\n"
           "and the exit status is 1 when any statement reported an error.\n"
           "\n";
    for (const OptionEntry& entry : kOptions)
        if (entry.help) text += std::string("  ") + entry.help + "\n";
    text += "\nSCRIPT is run before the first prompt, as \"call SCRIPT\".\n";
    return text.c_str();
}
