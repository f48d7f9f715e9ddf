// tolvane: the calculator console in a terminal, and the key-script player.
#include <stdio.h>
#include <unistd.h>

#include <string>

#include "platform/key_script.h"
#include "shell/native/codepage.h"
#include "shell/native/native_settings.h"
#include "shell/native/options.h"
#include "shell/native/pipe.h"
#include "shell/native/player.h"
#include "shell/native/screen.h"
#include "shell/native/transcript.h"

namespace {

enum { kExitUsage = 2 };

// A key script types at most what a console holds many times over.
const size_t kMaxKeyScript = 64 * 1024 * 1024;

// Reads a whole file ("-": standard input) of at most limit bytes; false
// when it cannot be read, and then tooLarge tells whether it was too large.
bool ReadAll(const char* name, std::string* text, size_t limit = (size_t)-1,
             bool* tooLarge = nullptr) {
    FILE* f = (name[0] == '-' && name[1] == '\0') ? stdin : fopen(name, "rb");
    if (!f) return false;
    char chunk[4096];
    size_t n;
    bool ok = true;
    while (ok && (n = fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (text->size() + n > limit) {
            ok = false;
            if (tooLarge) *tooLarge = true;
        }
        text->append(chunk, n);
    }
    if (ferror(f)) ok = false;
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
        bool tooLarge = false;
        if (!ReadAll(options.keys, &script, kMaxKeyScript, &tooLarge))
            return Fail(tooLarge ? "the key script is larger than 64 MiB"
                                 : "cannot read the key script",
                        options.keys);
        if (!CheckKeyScript(script.data(), script.size(), error, sizeof error))
            return Fail(error, options.keys);
    }
    FILE* events = nullptr;
    if (options.events) {
        events = fopen(options.events, "w");
        if (!events) return Fail("cannot write the events file", options.events);
    }
    NativeDesktop& desktop = g_native.desktop;
    desktop.options = options;
    desktop.events = events;
    // The Windows program's bytes in the files too, as --raw prints them.
    g_native.files.windowsBytes = options.raw;

    if (options.screen && !options.keys) return Fail("--screen goes with --keys");

    // A key script, a full-screen console on a terminal, a filter on a pipe.
    bool piped = !options.keys && !options.transcript && !(isatty(0) && isatty(1));
    bool fullScreen = !options.keys && !options.transcript && !piped && ScreenTerminal();
    if (fullScreen && !ScreenCanStart(error, sizeof error)) return Fail(error);
    if (piped) BeginPipeOutput();
    if (options.screen) BeginScreenSnapshots(options.screenColumns, options.screenRows);
    std::string settings = SettingsFilePath(options.ini);
    // A settings file that cannot be read, or one far too large to be one,
    // stops a start that names it; the usual one is then left aside.
    const char* problem = SettingsFileProblem(settings.c_str());
    if (problem && options.ini) return Fail(problem, options.ini);
    if (problem)
        fprintf(stderr, "tolvane: %s: %s; using the defaults\n", settings.c_str(), problem);
    StartSession(settings.c_str(), options.script);
    int status = 0;
    if (options.keys) {
        if (options.screen) {
            // Screen scripts are short: their actions are kept for the snapshots.
            std::vector<KeyAction> actions;
            ParseKeyScript(script.data(), script.size(), &actions, error, sizeof error);
            PlayScreenActions(actions);
            PrintScreen();
        } else {
            PlayKeyScript(script.data(), script.size());
            PrintConsoleText(CurrentText(), options.raw);
            if (!options.raw) fputc('\n', stdout);
        }
    } else if (piped) {
        status = RunPipe(stdin);
    } else if (fullScreen) {
        status = RunScreen();
    } else {
        status = RunTranscript(options.raw);
    }
    if (events) fclose(events);
    return status;
}
