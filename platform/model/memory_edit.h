// An in-memory multi-line EDIT control: code page 932 bytes, positions are
// byte offsets, lines break only at CR LF. It answers the console's messages
// and also does the user's own editing for the key-script player.
//
// The text lies in a buffer twice its capacity: dropping the oldest lines
// only moves its start, and the rare compaction pays for many drops. It keeps
// the count of its CR LF pairs, so that a line number near the end is found
// from the end: the caret line of a long transcript costs its own length.
#pragma once

#include "platform/edit_control.h"

class MemoryEdit : public EditControl {
  public:
    enum { kCapacity = 65536 }; // bytes, the terminator included

    MemoryEdit() { Reset(); }
    MemoryEdit(const MemoryEdit&) = delete;
    MemoryEdit& operator=(const MemoryEdit&) = delete;

    // EditControl
    void GetSel(int* start, int* end) override;
    void SetSel(int start, int end) override;
    void ReplaceSel(const char* text) override;
    void AppendAtEnd(const char* text) override;
    int LineFromChar(int pos) override;
    int LineIndex(int line) override;
    int LineLength(int pos) override;
    int GetLine(int line, char* buffer, int max) override;
    int GetTextLength() override { return length_; }
    int GetText(char* buffer, int size) override;
    void Clear() override;
    void SetLimitText(int limit) override;

    // An empty control with the caret at 0.
    void Reset();
    // The whole text, terminated.
    const char* Text() const { return text_; }
    // The caret: the moving end of the selection.
    int Caret() const { return caret_; }
    // The number of lines (an empty text has one).
    int LineCount() const;

    // The user types one character (one byte, or both bytes of a double-byte
    // character); control characters other than Tab are ignored.
    void TypeChar(const char* bytes, int count);
    // Backspace: the selection, or the character before the caret.
    void Backspace();
    // Delete: the selection, or the character at the caret.
    void Delete();
    // The caret keys; extend keeps the selection's anchor (Shift held).
    void Left(bool extend = false);
    void Right(bool extend = false);
    void Up(bool extend = false);
    void Down(bool extend = false);
    void Home(bool extend = false);
    void End(bool extend = false);
    void CtrlHome(bool extend = false);
    void CtrlEnd(bool extend = false);
    // The caret to a line and a byte column, both clamped; a column inside a
    // double-byte character stands before it.
    void Goto(int line, int column);

  private:
    // Replaces the bytes [from, to) with count bytes; false when too long.
    bool Splice(int from, int to, const char* bytes, int count);
    // How many of count bytes fit over [from, to) within the limit, cut at a
    // whole character.
    int Fitting(int from, int to, const char* bytes, int count) const;
    // Position of the first CR LF at or after from, or the end of text.
    int NextBreak(int from) const;
    // The number of CR LF pairs whose LF lies in [first, last].
    int PairsEndingIn(int first, int last) const;
    // Position of the first character of the line that holds pos.
    int StartOfLine(int pos) const;
    // Position of the CR LF (or the end of text) that ends the line at pos.
    int EndOfLine(int pos) const;
    // Position of the character before pos (a CR LF and a double-byte
    // character count as one).
    int PreviousChar(int pos) const;
    // Position behind the character at pos.
    int NextChar(int pos) const;
    // The start of the character that holds pos within its line.
    int CharStart(int pos) const;
    // Caret to pos; the anchor follows unless extend.
    void MoveCaret(int pos, bool extend);

    char buffer_[2 * kCapacity];
    char* text_; // within buffer_
    int length_;
    int breaks_; // CR LF pairs in the text
    int anchor_; // the fixed end of the selection
    int caret_;  // the moving end
    int limit_;  // typed and replacing text stops at this many bytes
};
