// The in-memory control's line bookkeeping against a plain model of the same
// text: line numbers, line starts and lines after appends at the end, drops of
// the oldest lines (which only move the text's start, then compact it) and
// edits in the middle, CR LF pairs split and joined included.
#include <gtest/gtest.h>

#include <string>

#include "platform/model/memory_edit.h"

namespace {

// The line of a position as the plain model counts it: CR LF pairs before it.
int ModelLine(const std::string& text, int pos) {
    int line = 0;
    for (int i = 1; i < pos && i < (int)text.size(); ++i)
        if (text[i] == '\n' && text[i - 1] == '\r') ++line;
    return line;
}

// The start of a line in the plain model, -1 past the last.
int ModelLineStart(const std::string& text, int line) {
    if (line == 0) return 0;
    int found = 0;
    for (int i = 1; i < (int)text.size(); ++i)
        if (text[i] == '\n' && text[i - 1] == '\r' && ++found == line) return i + 1;
    return -1;
}

// Every line of the control agrees with the model.
void ExpectSameLines(MemoryEdit& edit, const std::string& text, const char* step) {
    ASSERT_EQ(std::string(edit.Text(), (size_t)edit.GetTextLength()), text) << step;
    int lines = ModelLine(text, (int)text.size() + 1) + 1;
    ASSERT_EQ(edit.LineCount(), lines) << step;
    for (int line = 0; line <= lines; ++line)
        ASSERT_EQ(edit.LineIndex(line), ModelLineStart(text, line)) << step << " line " << line;
    for (int pos = 0; pos <= (int)text.size(); pos += 61)
        ASSERT_EQ(edit.LineFromChar(pos), ModelLine(text, pos)) << step << " pos " << pos;
    ASSERT_EQ(edit.LineFromChar((int)text.size()), ModelLine(text, (int)text.size())) << step;
}

// A fixed pseudo-random sequence.
unsigned Next(unsigned* state) {
    *state = *state * 1103515245u + 12345u;
    return (*state >> 16) & 0x7FFF;
}

TEST(MemoryEditLineIndex, AgreesWithAPlainModelThroughAppendsDropsAndEdits) {
    static const char* const kPieces[] = {"\r\n",       "d>1+2", "\r",       "\n",
                                          " 3\r\n\r\n", "x",     "\r\n\r\n", "\x82\xA0"};
    MemoryEdit edit;
    std::string model;
    unsigned state = 7;
    for (int step = 0; step < 4000; ++step) {
        unsigned what = Next(&state) % 10;
        if (what < 6) {
            // Append at the end, as the console prints.
            const char* piece = kPieces[Next(&state) % 8];
            edit.SetSel(0xFFFE, 0xFFFF);
            edit.ReplaceSel(piece);
            model += piece;
        } else if (what < 8 && !model.empty()) {
            // The oldest bytes go, as when the transcript makes room.
            int cut = (int)(Next(&state) % (model.size() < 40 ? model.size() : 40)) + 1;
            edit.SetSel(0, cut);
            edit.ReplaceSel("");
            model.erase(0, (size_t)cut);
        } else if (!model.empty()) {
            // An edit anywhere: a piece over a short selection.
            int from = (int)(Next(&state) % model.size());
            int to = from + (int)(Next(&state) % 3);
            if (to > (int)model.size()) to = (int)model.size();
            const char* piece = kPieces[Next(&state) % 8];
            edit.SetSel(from, to);
            edit.ReplaceSel(piece);
            model.replace((size_t)from, (size_t)(to - from), piece);
        }
        if (step % 97 == 0) ExpectSameLines(edit, model, ("step " + std::to_string(step)).c_str());
    }
    ExpectSameLines(edit, model, "end");
}

TEST(MemoryEditLineIndex, ALongSessionOfDropsKeepsItsText) {
    // Many more bytes pass through than the buffer holds: the text's start
    // moves on and is compacted again and again.
    MemoryEdit edit;
    std::string model;
    for (int i = 0; i < 20000; ++i) {
        std::string line = "d>" + std::to_string(i) + "*2\r\n " + std::to_string(i * 2) + "\r\n";
        edit.SetSel(0xFFFE, 0xFFFF);
        edit.ReplaceSel(line.c_str());
        model += line;
        if (model.size() > 30000) {
            size_t cut = model.find("\r\n", 100) + 2;
            edit.SetSel(0, (int)cut);
            edit.ReplaceSel("");
            model.erase(0, cut);
        }
    }
    ExpectSameLines(edit, model, "after the session");
    // The caret line at the end is the last line.
    EXPECT_EQ(edit.LineFromChar(-1), edit.LineCount() - 1);
    EXPECT_EQ(edit.LineIndex(-1), (int)model.size());
}

} // namespace
