#include "shell/native/native_desktop.h"

#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include "platform/seam.h"
#include "shell/native/codepage.h"
#include "shell/native/native_paths.h"
#include "shell/native/spawn.h"

namespace {

// The first help document that exists, else the one beside the executable.
std::string HelpDocumentPath() {
    std::string folder = ExecutableFolder();
    if (folder.empty()) folder = ".";
    const char* const candidates[] = {
        "/tolvane.wri",
        "/share/tolvane.wri",
        "/../share/tolvane/tolvane.wri",
        "/../../share/tolvane.wri",
    };
    for (const char* c : candidates) {
        std::string path = folder + c;
        if (access(path.c_str(), F_OK) == 0) return path;
    }
    return folder + candidates[0];
}

} // namespace

// MessageBeep: an event, and the bell in an interactive terminal.
void NativeDesktop::Beep() {
    Event("beep");
    if (bell) {
        fputc('\a', stderr);
        fflush(stderr);
    }
}

// The question is answered by --answer.
bool NativeDesktop::AskYesNo(const char* text, const char* caption) {
    Event("question", text);
    if (boxes) return boxes->AskYesNo(text, caption);
    return options.answerYes;
}

// The dialog returns --open or --save, or is cancelled without them; the
// chosen file's folder becomes the current folder.
bool NativeDesktop::ChooseFile(bool save, const char* title, int, char* fileTitle, int size) {
    Event(save ? "save-dialog" : "open-dialog");
    if (boxes) {
        std::string typed;
        if (!boxes->AskFileName(save, title, &typed)) return false;
        return TakeFileName(save, typed.c_str(), fileTitle, size);
    }
    return TakeFileName(save, save ? options.save : options.open, fileTitle, size);
}

// The folder part becomes the current folder; false for no name.
bool NativeDesktop::TakeFileName(bool save, const char* name, char* fileTitle, int size) {
    if (!name || !*name || !fileTitle || size <= 0) return false;
    const char* slash = strrchr(name, '/');
    const char* base = slash ? slash + 1 : name;
    if (!*base) return false;
    if (slash) {
        std::string folder(name, (size_t)(slash - name));
        if (folder.empty()) folder = "/";
        if (chdir(folder.c_str()) != 0) return false;
    }
    // The core's code page; a script to open under a name it can take.
    std::string chosen;
    if (save && !Utf8NameToCp932(base, &chosen)) chosen = Utf8ToCp932(base, strlen(base));
    if (!save) chosen = CoreNameOf(base, true);
    snprintf(fileTitle, (size_t)size, "%s", chosen.c_str());
    return true;
}

// Opens the help document with xdg-open when both are there.
void NativeDesktop::OpenHelp() {
    std::string path = HelpDocumentPath();
    Event("open-document", path.c_str());
    if (boxes) {
        boxes->ShowHelp();
        return;
    }
    if (access(path.c_str(), R_OK) != 0 || !FoundOnPath("xdg-open")) return;
    const char* argv[] = {"xdg-open", path.c_str(), nullptr};
    SpawnDetached(argv, true);
}

// Runs the command line with sh -c, without waiting.
void NativeDesktop::StartProgram(const char* commandLine) {
    Event("exec", commandLine);
    if (boxes) {
        boxes->RunProgram(commandLine);
        return;
    }
    const char* argv[] = {"sh", "-c", commandLine, nullptr};
    SpawnDetached(argv, false);
}

// Opens the current folder with xdg-open when there is one.
void NativeDesktop::OpenFileManager() {
    Event("explorer");
    // A terminal without a desktop shows the folder's listing instead.
    bool graphical = getenv("DISPLAY") || getenv("WAYLAND_DISPLAY");
    if (boxes && !graphical) {
        boxes->RunProgram("ls -la");
        return;
    }
    if (!FoundOnPath("xdg-open")) return;
    const char* argv[] = {"xdg-open", ".", nullptr};
    SpawnDetached(argv, true);
}

// In the terminal the program is stopped until fg shows it again.
void NativeDesktop::HideWindow() {
    Event("hide");
    hidden = boxes == nullptr;
    if (boxes) boxes->Hide();
}

// The window shows again when it was hidden.
void NativeDesktop::ShowHiddenWindow() {
    if (hidden) ShowWindow();
}

void NativeDesktop::SetTopmost(bool on) {
    Event("topmost", on ? "on" : "off");
}

// Ends the program: the console's text as it is now is what gets printed.
void NativeDesktop::Quit() {
    Event("quit");
    if (quitting) return;
    quitting = true;
    EditControl* edit = g_seam.edit;
    if (!edit) return;
    finalText.assign((size_t)edit->GetTextLength() + 1, '\0');
    finalText.resize((size_t)edit->GetText(&finalText[0], (int)finalText.size()));
}

void NativeDesktop::SetupDialog() {
    Event("setup-dialog");
    if (boxes) boxes->Setup();
}

void NativeDesktop::ShowPopupMenu(MenuPlace place) {
    Event("popup-menu");
    if (boxes) boxes->PopupMenu(place);
}

void NativeDesktop::ShowWindow() {
    Event("show");
    hidden = false;
}

// One line: the name, a blank and the text in UTF-8 when there is one.
void NativeDesktop::Event(const char* name, const char* text) {
    if (!events) return;
    // Keep the event on one line: a line break is written as "\n".
    std::string oneLine;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (p[0] == '\r' && p[1] == '\n') continue;
        if (*p == '\n' || *p == '\r')
            oneLine += "\\n";
        else
            oneLine += *p;
    }
    std::string utf8 = Cp932ToUtf8(oneLine.data(), oneLine.size());
    if (text)
        fprintf(events, "%s %s\n", name, utf8.c_str());
    else
        fprintf(events, "%s\n", name);
    fflush(events);
}
