// The console's text buffer as the core sees it: the few messages of a
// multi-line edit control that the console needs. Win32 forwards each to the
// real EDIT control; natively an in-memory model answers them.
#pragma once

// A position that addresses the end of the text: EM_SETSEL(kEndOfText,
// kEndOfText + 1) selects the end, as the 16-bit positions of the control do.
enum { kEndOfText = 0xFFFE };

struct EditControl {
    virtual ~EditControl() = default;
    // EM_GETSEL: start and end of the selection (both the caret without one).
    virtual void GetSel(int* start, int* end) = 0;
    // EM_SETSEL: (0, -1) selects all; positions past the end mean the end.
    virtual void SetSel(int start, int end) = 0;
    // EM_REPLACESEL with wParam 0: the selection becomes text, caret behind it.
    virtual void ReplaceSel(const char* text) = 0;
    // The text goes behind all the control holds, the caret behind it (what
    // EM_SETSEL of the end and EM_REPLACESEL do together).
    virtual void AppendAtEnd(const char* text) = 0;
    // EM_LINEFROMCHAR: line of a position; -1 the line of the selection start.
    virtual int LineFromChar(int pos) = 0;
    // EM_LINEINDEX: position of a line's first character; -1 the caret line.
    virtual int LineIndex(int line) = 0;
    // EM_LINELENGTH: length of the line that holds a position.
    virtual int LineLength(int pos) = 0;
    // EM_GETLINE: copies at most max bytes of a line, writes no terminator,
    // returns the count copied.
    virtual int GetLine(int line, char* buffer, int max) = 0;
    // WM_GETTEXTLENGTH.
    virtual int GetTextLength() = 0;
    // WM_GETTEXT: at most size - 1 bytes and a terminator; returns the count.
    virtual int GetText(char* buffer, int size) = 0;
    // WM_CLEAR: deletes the selection.
    virtual void Clear() = 0;
    // EM_SETLIMITTEXT: typed and replacing text stops at this many bytes.
    virtual void SetLimitText(int limit) = 0;
};
