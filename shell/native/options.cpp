#include "shell/native/options.h"

#include <stdio.h>
#include <string.h>

namespace {

enum OptionKind { kFlag, kValue };

struct OptionEntry {
    const char* name;
    int kind;
};

// Every option; the ones with a value take it from the next argument or
// after "=".
const OptionEntry kOptions[] = {
    {"--keys", kValue},   {"--ini", kValue},    {"--answer", kValue},    {"--open", kValue},
    {"--save", kValue},   {"--events", kValue}, {"--raw", kFlag},        {"--help", kFlag},
    {"--version", kFlag}, {"--decode", kFlag},  {"--transcript", kFlag}, {"--screen", kValue},
};

enum { kMinScreenColumns = 20, kMinScreenRows = 4, kMaxScreenSide = 1000 };

// Stores one option's value or flag.
bool Apply(const char* name, const char* value, Options* o, char* error, int errorSize) {
    if (strcmp(name, "--keys") == 0)
        o->keys = value;
    else if (strcmp(name, "--ini") == 0)
        o->ini = value;
    else if (strcmp(name, "--open") == 0)
        o->open = value;
    else if (strcmp(name, "--save") == 0)
        o->save = value;
    else if (strcmp(name, "--events") == 0)
        o->events = value;
    else if (strcmp(name, "--raw") == 0)
        o->raw = true;
    else if (strcmp(name, "--help") == 0)
        o->help = true;
    else if (strcmp(name, "--version") == 0)
        o->version = true;
    else if (strcmp(name, "--decode") == 0)
        o->decode = true;
    else if (strcmp(name, "--transcript") == 0)
        o->transcript = true;
    else if (strcmp(name, "--screen") == 0) {
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
    } else if (strcmp(name, "--answer") == 0) {
        if (strcmp(value, "yes") == 0)
            o->answerYes = true;
        else if (strcmp(value, "no") == 0)
            o->answerYes = false;
        else {
            snprintf(error, (size_t)errorSize, "--answer takes yes or no, not '%s'", value);
            return false;
        }
    }
    return true;
}

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
            snprintf(error, (size_t)errorSize, "unknown option '%.*s'", (int)length, arg);
            return false;
        }
        const char* value = nullptr;
        if (entry->kind == kValue) {
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
        if (!Apply(entry->name, value, o, error, errorSize)) return false;
    }
    return true;
}

// The text of --help.
const char* UsageText() {
    return "usage: tolvane [options] [SCRIPT]\n"
           "A keyboard-driven scientific calculator console.\n"
           "On a terminal it is a full-screen console. On a pipe or a file it runs each line\n"
           "as a statement and prints only the results; error messages go to standard error\n"
           "and the exit status is 1 when any statement reported an error.\n"
           "\n"
           "  --keys FILE     replay a key script (\"-\": standard input), print the transcript\n"
           "  --screen CxR    with --keys: print the screen of C columns and R rows instead\n"
           "  --transcript    on a pipe: print the whole transcript (prompts, statements)\n"
           "  --raw           print the transcript's bytes as the console holds them\n"
           "  --ini FILE      the settings file (default $XDG_CONFIG_HOME/tolvane/tolvane.ini)\n"
           "  --answer yes|no the answer to every yes/no question (default yes)\n"
           "  --open NAME     what an open-file dialog returns (default: cancelled)\n"
           "  --save NAME     what a save-file dialog returns (default: cancelled)\n"
           "  --events FILE   write one line per desktop action to FILE\n"
           "  --help          this text\n"
           "  --version       the version\n"
           "\n"
           "SCRIPT is run before the first prompt, as \"call SCRIPT\".\n";
}
