// tolvane-drive: replays a key script into tolvane.exe with real key presses
// and window messages, then prints the console's text as it holds it (code
// page 932, CR LF). Exit status 2 for a bad option, file or key script, 1 when
// the program does not come up or does not take what is sent within the time.
// TOLVANE_DRIVE_DEBUG set in the environment reports each settling on stderr.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "tests/wine/drive/remote.h"

namespace {

// The options as given; every value is kept as its text.
struct DriveOptions {
    const char* keys = nullptr;
    const char* exe = nullptr;
    const char* hold = nullptr;   // milliseconds to leave the last action's window open
    const char* answer = nullptr; // yes or no
    const char* open = nullptr;
    const char* save = nullptr;
    const char* script = nullptr;
    bool read = false; // only print the console of the running program
};

// One option: the value it keeps, or the flag it sets.
struct DriveOption {
    const char* name;
    const char* DriveOptions::*value;
    bool DriveOptions::*flag;
};

const DriveOption kOptions[] = {
    {"--keys", &DriveOptions::keys, nullptr}, {"--exe", &DriveOptions::exe, nullptr},
    {"--hold", &DriveOptions::hold, nullptr}, {"--answer", &DriveOptions::answer, nullptr},
    {"--open", &DriveOptions::open, nullptr}, {"--save", &DriveOptions::save, nullptr},
    {"--read", nullptr, &DriveOptions::read},
};

const char kUsage[] = "usage: tolvane-drive --keys FILE [--answer yes|no] [--open NAME] "
                      "[--save NAME] [--exe PATH] [--hold MS] [SCRIPT]\n"
                      "       tolvane-drive --read\n";

// Prints a one-line complaint and gives the exit status for bad input.
int Fail(const char* what, const char* detail) {
    fprintf(stderr, "tolvane-drive: %s%s\n", what, detail ? detail : "");
    return 2;
}

// What the dialogs and the question box answer.
RemoteAnswers AnswersOf(const DriveOptions& o) {
    RemoteAnswers answers;
    answers.yes = !o.answer || strcmp(o.answer, "yes") == 0;
    if (o.open) answers.openName = o.open;
    if (o.save) answers.saveName = o.save;
    return answers;
}

// options := { option [VALUE] | SCRIPT }, at most one SCRIPT. Returns 0 when
// they are good, else the exit status.
int ParseOptions(int argc, char** argv, DriveOptions* o) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const DriveOption* option = nullptr;
        for (const DriveOption& d : kOptions)
            if (strcmp(arg, d.name) == 0) option = &d;
        if (option && option->flag)
            o->*option->flag = true;
        else if (option && i + 1 >= argc)
            return Fail("missing value for ", arg);
        else if (option)
            o->*option->value = argv[++i];
        else if (arg[0] == '-' && arg[1] == '-')
            return Fail("unknown option ", arg);
        else if (!o->script)
            o->script = arg;
        else
            return Fail("more than one script: ", arg);
    }
    if (o->answer && strcmp(o->answer, "yes") != 0 && strcmp(o->answer, "no") != 0)
        return Fail("--answer takes yes or no, not ", o->answer);
    if (!o->keys && !o->read) {
        fputs(kUsage, stderr);
        return 2;
    }
    return 0;
}

// Reads a whole file; false when it cannot be read.
bool ReadFile(const char* path, std::vector<char>* out) {
    FILE* f = fopen(path, "rb");
    if (!f) return false;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) out->insert(out->end(), chunk, chunk + n);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

// tolvane.exe beside this program.
std::string DefaultExe() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return "tolvane.exe";
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    else
        path[0] = '\0';
    return std::string(path) + "tolvane.exe";
}

} // namespace

// --read: the console's text of a running tolvane.exe, as it holds it;
// status 1 when none runs.
int ReadRunning() {
    HWND main = FindWindowA("TOLVANE", nullptr);
    HWND console = main ? GetDlgItem(main, IDC_CONSOLE) : nullptr;
    if (!console) {
        fputs("tolvane-drive: no running tolvane.exe\n", stderr);
        return 1;
    }
    int length = (int)SendMessageA(console, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text((size_t)(length > 0 ? length : 0) + 2, '\0');
    SendMessageA(console, WM_GETTEXT, text.size(), (LPARAM)text.data());
    _setmode(_fileno(stdout), _O_BINARY);
    fwrite(text.data(), 1, strnlen(text.data(), text.size()), stdout);
    return 0;
}

// Reads the options and the key script, plays it, prints the transcript.
int main(int argc, char** argv) {
    DriveOptions options;
    int status = ParseOptions(argc, argv, &options);
    if (status) return status;
    if (options.read) return ReadRunning();

    std::vector<char> text;
    if (!ReadFile(options.keys, &text)) return Fail("cannot read ", options.keys);
    std::vector<KeyAction> actions;
    char error[256];
    if (!ParseKeyScript(text.data(), text.size(), &actions, error, sizeof error))
        return Fail(error, nullptr);

    DWORD begun = GetTickCount();
    RemoteApp app;
    app.answers = AnswersOf(options);
    std::string exe = options.exe ? options.exe : DefaultExe();
    if (!StartApp(&app, exe.c_str(), options.script, error, sizeof error)) {
        fprintf(stderr, "tolvane-drive: %s\n", error);
        StopApp(&app);
        return 1;
    }
    DWORD started = GetTickCount();
    int hold = options.hold ? atoi(options.hold) : 0;
    for (size_t i = 0; i < actions.size(); ++i) {
        // --hold: the last action's menu or dialog stays up for a while (for
        // screenshots) before it is settled.
        if (hold > 0 && i + 1 == actions.size()) {
            bool pending = DeliverAction(&app, actions[i]);
            fputs("holding\n", stderr);
            fflush(stderr);
            Sleep(hold);
            if (pending) PerformAction(&app, actions[i]);
        } else {
            PerformAction(&app, actions[i]);
        }
        if (!app.failure.empty()) break;
    }
    std::string transcript = app.quit ? app.lastText : ReadConsole(&app);
    DWORD played = GetTickCount();
    StopApp(&app);
    if (!app.failure.empty()) {
        fprintf(stderr, "tolvane-drive: %s\n", app.failure.c_str());
        return 1;
    }
    if (getenv("TOLVANE_DRIVE_DEBUG"))
        fprintf(stderr, "started in %lu ms, played in %lu ms, stopped in %lu ms\n", started - begun,
                played - started, GetTickCount() - played);

    _setmode(_fileno(stdout), _O_BINARY);
    fwrite(transcript.data(), 1, transcript.size(), stdout);
    fflush(stdout);
    return 0;
}
