// A fresh calculator core over the in-memory edit control and menu, with a
// desktop that records what it is asked.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/reset_core.h"
#include "session/statement.h"
#include "eval/parser.h"
#include "session/print.h"
#include "platform/model/memory_edit.h"
#include "platform/model/memory_menu.h"
#include "platform/seam.h"
#include "shell/native/native_clocks.h"
#include "shell/native/native_files.h"

struct TestDesktop : Desktop {
    int beeps = 0;
    bool answer = true;           // the answer to every question
    std::string chosenFile;       // what a file dialog returns; empty: cancelled
    std::vector<std::string> log; // every call but beeps, in order
    bool quit = false;            // Quit was called

    void Beep() override { ++beeps; }
    bool AskYesNo(const char* text, const char*) override {
        log.push_back(std::string("question ") + text);
        return answer;
    }
    bool ChooseFile(bool save, const char*, int, char* fileTitle, int size) override {
        log.push_back(save ? "save-dialog" : "open-dialog");
        if (chosenFile.empty()) return false;
        snprintf(fileTitle, (size_t)size, "%s", chosenFile.c_str());
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

class CoreTest : public ::testing::Test {
  protected:
    MemoryEdit edit;
    MemoryMenu menu;
    TestDesktop desktop;
    NativeFiles files;
    NativeClocks clocks;

    void SetUp() override {
        g_seam = Seam{&edit, &menu, &desktop, &files, nullptr, &clocks};
        ResetCore();
    }

    // Runs a statement as a typed line; returns what it printed (CP932).
    std::string Run(const std::string& statement) {
        int before = edit.GetTextLength();
        RunStatement(statement.c_str());
        return std::string(edit.Text() + before);
    }

    // The whole transcript.
    std::string Text() const { return edit.Text(); }
};

// Evaluates a text as a statement would, with the session's ans and angle
// mode, into the slot; returns the latest error code (kNoError when none).
// The reports stay in the state's record, unshown.
inline int EvaluateText(EvalState* s, const char* text, double* slot) {
    BeginEvaluation(s, text);
    Evaluate(s, slot);
    return s->error;
}
