// tolvane: the calculator console in a terminal, and the key-script player.
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "platform/key_script.h"
#include "shell/native/codepage.h"
#include "shell/native/native_settings.h"
#include "shell/native/options.h"
#include "shell/native/player.h"
#include "shell/native/terminal.h"

namespace {

enum { kExitUsage = 2 };

// Reads a whole file ("-": standard input); false when it cannot be read.
bool ReadAll(const char* name, std::string* text) {
    FILE* f = (name[0] == '-' && name[1] == '\0') ? stdin : fopen(name, "rb");
    if (!f) return false;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) text->append(chunk, n);
    bool ok = !ferror(f);
    if (f != stdin) fclose(f);
    return ok;
}

// One line on standard error and the usage exit status.
int Fail(const char* message, const char* detail = nullptr) {
    if (detail)
        fprintf(stderr, "tolvane: %s: %s\n", detail, message);
    else
        fprintf(stderr, "tolvane: %s\n", message);
    return kExitUsage;
}

// --decode: CP932 console text on standard input, printed as a transcript.
int Decode() {
    std::string text;
    if (!ReadAll("-", &text)) return Fail("cannot read standard input");
    PrintConsoleText(text, false);
    fputc('\n', stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    char error[256];
    if (!ParseOptions(argc, argv, &options, error, sizeof error)) return Fail(error);
    if (options.help) {
        fputs(UsageText(), stdout);
        return 0;
    }
    if (options.version) {
        printf("tolvane %s\n", TOLVANE_VERSION);
        return 0;
    }
    if (options.decode) return Decode();

    // The key script is checked whole before anything runs, then played as
    // it is read: its actions are never all kept.
    std::string script;
    if (options.keys) {
        if (!ReadAll(options.keys, &script))
            return Fail("cannot read the key script", options.keys);
        if (!CheckKeyScript(script.data(), script.size(), error, sizeof error))
            return Fail(error, options.keys);
    }
    if (options.ini && access(options.ini, F_OK) == 0 && access(options.ini, R_OK) != 0)
        return Fail("cannot read the settings file", options.ini);
    FILE* events = nullptr;
    if (options.events) {
        events = fopen(options.events, "w");
        if (!events) return Fail("cannot write the events file", options.events);
    }
    NativeDesktop& desktop = g_shell.desktop;
    desktop.answerYes = options.answerYes;
    desktop.openName = options.open;
    desktop.saveName = options.save;
    desktop.events = events;

    std::string settings = SettingsFilePath(options.ini);
    StartSession(settings.c_str(), options.script);
    int status = 0;
    if (options.keys) {
        PlayKeyScript(script.data(), script.size());
        PrintConsoleText(CurrentText(), options.raw);
        if (!options.raw) fputc('\n', stdout);
    } else {
        status = RunTerminal(options.raw);
    }
    if (events) fclose(events);
    return status;
}
