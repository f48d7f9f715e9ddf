// The desktop of the native front-end: answers from the command-line
// options, writes one event line per action, and does in the terminal what
// a terminal program can.
#pragma once

#include <stdio.h>

#include <string>

#include "platform/desktop.h"

class NativeDesktop : public Desktop {
  public:
    bool answerYes = true;          // --answer
    const char* openName = nullptr; // --open: what the open dialog returns
    const char* saveName = nullptr; // --save: what the save dialog returns
    FILE* events = nullptr;         // --events
    bool bell = false;              // ring the terminal's bell on a beep
    bool quitting = false;          // Quit was called
    std::string finalText;          // the console's text when Quit was called

    void Beep() override;
    bool AskYesNo(const char* text, const char* caption) override;
    bool ChooseFile(bool save, const char* title, int filterIndex, char* fileTitle,
                    int size) override;
    void OpenHelp() override;
    void StartProgram(const char* commandLine) override;
    void OpenFileManager() override;
    void HideWindow() override;
    void SetTopmost(bool on) override;
    void Quit() override;
    void SetupDialog() override;
    void ShowPopupMenu() override;
    // The tray icon's left click: the window is shown.
    void ShowWindow();

  private:
    // Writes one event line; text is code page 932 and printed as UTF-8, a
    // line break in it as "\\n".
    void Event(const char* name, const char* text = nullptr);
};

// The help document: tolvane.wri beside the executable, else under share/.
std::string HelpDocumentPath();
