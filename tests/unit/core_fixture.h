// A fresh calculator core over the in-memory edit control and menu, with a
// desktop that records what it is asked.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "session/reset_core.h"
#include "session/statement.h"
#include "eval/parser.h"
#include "session/print.h"
#include "platform/model/memory_edit.h"
#include "platform/model/memory_menu.h"
#include "platform/seam.h"
#include "shell/native/native_clocks.h"
#include "shell/native/native_files.h"
#include "recording_desktop.h"

class CoreTest : public ::testing::Test {
  protected:
    MemoryEdit edit;
    MemoryMenu menu;
    RecordingDesktop desktop;
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
