// A desktop that starts nothing: it records what it is asked and answers from
// its fields. The unit tests, the fuzz targets and the benchmarks share it.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

#include "platform/desktop.h"

struct RecordingDesktop : Desktop {
    int beeps = 0;
    bool answer = true;           // the answer to every question
    std::string openFile;         // what the open dialog chooses; empty: cancelled
    std::string saveFile;         // what the save dialog chooses; empty: cancelled
    std::vector<std::string> log; // every call but beeps, in order
    bool quit = false;            // Quit was called

    void Beep() override { ++beeps; }
    bool AskYesNo(const char* text, const char*) override {
        log.push_back(std::string("question ") + text);
        return answer;
    }
    // Logged with the dialog's title and filter index.
    bool ChooseFile(bool save, const char* title, int filterIndex, char* fileTitle,
                    int size) override {
        log.push_back(std::string(save ? "save-dialog " : "open-dialog ") + title + " " +
                      std::to_string(filterIndex));
        const std::string& chosen = save ? saveFile : openFile;
        if (chosen.empty()) return false;
        snprintf(fileTitle, (size_t)size, "%s", chosen.c_str());
        return true;
    }
    void OpenHelp() override { log.push_back("open-help"); }
    void StartProgram(const char* commandLine) override {
        log.push_back(std::string("exec ") + commandLine);
    }
    void OpenFileManager() override { log.push_back("explorer"); }
    void HideWindow() override { log.push_back("hide"); }
    void ShowHiddenWindow() override { log.push_back("show-hidden"); }
    void SetTopmost(bool on) override { log.push_back(on ? "topmost on" : "topmost off"); }
    void Quit() override {
        log.push_back("quit");
        quit = true;
    }
    bool Quitting() override { return quit; }
    void SetupDialog() override { log.push_back("setup-dialog"); }
    void ShowPopupMenu(MenuPlace place) override {
        log.push_back(place == kMenuAtCaret ? "popup-menu-at-caret" : "popup-menu");
    }
};
