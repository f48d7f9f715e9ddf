// The desktop of the native front-end: answers from the command-line
// options, writes one event line per action, and does in the terminal what
// a terminal program can.
#pragma once

#include <stdio.h>

#include <string>

#include "platform/desktop.h"
#include "shell/native/options.h"

// The desktop's questions and windows as the full-screen console shows them.
struct DesktopBoxes {
    virtual ~DesktopBoxes() = default;
    // The yes/no question, Yes the default; code page 932 texts.
    virtual bool AskYesNo(const char* text, const char* caption) = 0;
    // A file name typed in a field; false when cancelled.
    virtual bool AskFileName(bool save, const char* title, std::string* name) = 0;
    // The help document, in a view that scrolls.
    virtual void ShowHelp() = 0;
    // The setup switches.
    virtual void Setup() = 0;
    // The popup menu at the mouse (where the last click was) or at the caret.
    virtual void PopupMenu(MenuPlace place) = 0;
    // Hiding the window: the terminal's job control.
    virtual void Hide() = 0;
    // A program in the foreground of the terminal.
    virtual void RunProgram(const char* commandLine) = 0;
};

class NativeDesktop : public Desktop {
  public:
    DesktopBoxes* boxes = nullptr; // set while the full-screen console runs
    Options options;               // --answer, and what --open and --save name
    FILE* events = nullptr;        // --events
    bool bell = false;             // ring the terminal's bell on a beep
    bool quitting = false;         // Quit was called
    bool hidden = false;           // hidden by HideWindow, not shown since
    std::string finalText;         // the console's text when Quit was called

    void Beep() override;
    bool AskYesNo(const char* text, const char* caption) override;
    bool ChooseFile(bool save, const char* title, int filterIndex, char* fileTitle,
                    int size) override;
    void OpenHelp() override;
    void StartProgram(const char* commandLine) override;
    void OpenFileManager() override;
    void HideWindow() override;
    void ShowHiddenWindow() override;
    void SetTopmost(bool on) override;
    void Quit() override;
    bool Quitting() override { return quitting; }
    void SetupDialog() override;
    void ShowPopupMenu(MenuPlace place) override;
    // The tray icon's left click: the window is shown.
    void ShowWindow();

  private:
    // A chosen name: its folder becomes the current folder, the rest goes to
    // fileTitle.
    bool TakeFileName(bool save, const char* name, char* fileTitle, int size);
    // Writes one event line; text is code page 932 and printed as UTF-8, a
    // line break in it as "\\n".
    void Event(const char* name, const char* text = nullptr);
};
