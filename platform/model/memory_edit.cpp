#include "platform/model/memory_edit.h"

#include <string.h>

#include "text/text.h"

namespace {

int Min(int a, int b) {
    return a < b ? a : b;
}
int Max(int a, int b) {
    return a > b ? a : b;
}

} // namespace

// An empty control with the caret at 0.
void MemoryEdit::Reset() {
    text_ = buffer_;
    text_[0] = '\0';
    length_ = 0;
    breaks_ = 0;
    anchor_ = 0;
    caret_ = 0;
    limit_ = kCapacity - 1;
}

// EM_SETLIMITTEXT: 0 means as much as the control holds.
void MemoryEdit::SetLimitText(int limit) {
    limit_ = (limit <= 0 || limit > kCapacity - 1) ? kCapacity - 1 : limit;
}

// The part of a replacing text that the limit lets in, whole characters only.
int MemoryEdit::Fitting(int from, int to, const char* bytes, int count) const {
    int room = limit_ - (length_ - (to - from));
    if (count <= room) return count;
    if (room <= 0) return 0;
    int fit = 0;
    while (fit < room) {
        int step = (IsLeadByte((unsigned char)bytes[fit]) && fit + 1 < count) ? 2 : 1;
        if (fit + step > room) break;
        fit += step;
    }
    return fit;
}

// EM_GETSEL: the selection's two ends, the smaller first.
void MemoryEdit::GetSel(int* start, int* end) {
    if (start) *start = Min(anchor_, caret_);
    if (end) *end = Max(anchor_, caret_);
}

// EM_SETSEL: positions are unsigned, so -1 and anything past the end mean the
// end; a start of -1 only removes the selection.
void MemoryEdit::SetSel(int start, int end) {
    if (start == -1) {
        anchor_ = caret_;
        return;
    }
    anchor_ = (start < 0 || start > length_) ? length_ : start;
    caret_ = (end < 0 || end > length_) ? length_ : end;
}

// EM_REPLACESEL: the selection becomes the text, the caret stands behind it;
// a text that would not fit changes nothing.
void MemoryEdit::ReplaceSel(const char* text) {
    int from = Min(anchor_, caret_), to = Max(anchor_, caret_);
    int count = Fitting(from, to, text, text ? (int)strlen(text) : 0);
    if (!Splice(from, to, text, count)) return;
    anchor_ = caret_ = from + count;
}

// EM_LINEFROMCHAR: the line that holds a position; -1 the selection start.
int MemoryEdit::LineFromChar(int pos) {
    if (pos == -1) pos = Min(anchor_, caret_);
    if (pos < 0) pos = 0;
    if (pos > length_) pos = length_;
    // The pairs wholly before pos, counted from the nearer end.
    if (pos <= length_ / 2) return PairsEndingIn(1, pos - 1);
    return breaks_ - PairsEndingIn(pos, length_ - 1);
}

// EM_LINEINDEX: the position of a line's first character; -1 the caret line;
// -1 for a line that does not exist.
int MemoryEdit::LineIndex(int line) {
    if (line == -1) return StartOfLine(caret_);
    if (line < 0 || line > breaks_) return -1;
    if (line <= breaks_ / 2) {
        int pos = 0;
        for (int found = 0; found < line; ++found) pos = NextBreak(pos) + 2;
        return pos;
    }
    // The line begins behind the pair that is this many from the end.
    int fromEnd = breaks_ - line + 1;
    for (int i = length_ - 1; i >= 1; --i) {
        if (text_[i] == '\n' && text_[i - 1] == '\r' && --fromEnd == 0) return i + 1;
    }
    return -1;
}

// EM_LINELENGTH: the length of the line at a position without its CR LF; -1
// counts the unselected characters on the lines the selection touches.
int MemoryEdit::LineLength(int pos) {
    if (pos == -1) {
        int start = Min(anchor_, caret_), end = Max(anchor_, caret_);
        return (start - StartOfLine(start)) + (EndOfLine(end) - end);
    }
    if (pos < 0 || pos > length_) return 0;
    return EndOfLine(pos) - StartOfLine(pos);
}

// EM_GETLINE: copies at most max bytes of a line, no terminator.
int MemoryEdit::GetLine(int line, char* buffer, int max) {
    int start = LineIndex(line);
    if (start < 0 || max <= 0 || !buffer) return 0;
    int count = Min(EndOfLine(start) - start, max);
    memcpy(buffer, text_ + start, (size_t)count);
    return count;
}

// WM_GETTEXT: at most size - 1 bytes and a terminator.
int MemoryEdit::GetText(char* buffer, int size) {
    if (size <= 0 || !buffer) return 0;
    int count = Min(length_, size - 1);
    memcpy(buffer, text_, (size_t)count);
    buffer[count] = '\0';
    return count;
}

// WM_CLEAR: deletes the selection.
void MemoryEdit::Clear() {
    int from = Min(anchor_, caret_);
    Splice(from, Max(anchor_, caret_), "", 0);
    anchor_ = caret_ = from;
}

// The number of lines: one more than the CR LF pairs.
int MemoryEdit::LineCount() const {
    return breaks_ + 1;
}

// Types one character over the selection, as WM_CHAR does.
void MemoryEdit::TypeChar(const char* bytes, int count) {
    if (count < 1 || count > 2) return;
    unsigned char first = (unsigned char)bytes[0];
    if (count == 1 && ((first < 0x20 && first != '\t') || first == 0x7F)) return;
    int from = Min(anchor_, caret_), to = Max(anchor_, caret_);
    if (Fitting(from, to, bytes, count) < count) return;
    if (!Splice(from, to, bytes, count)) return;
    anchor_ = caret_ = from + count;
}

// Backspace: deletes the selection, or the whole character before the caret.
void MemoryEdit::Backspace() {
    if (anchor_ != caret_) {
        Clear();
        return;
    }
    if (caret_ == 0) return;
    int from = PreviousChar(caret_);
    Splice(from, caret_, "", 0);
    anchor_ = caret_ = from;
}

// Delete: deletes the selection, or the whole character at the caret.
void MemoryEdit::Delete() {
    if (anchor_ != caret_) {
        Clear();
        return;
    }
    if (caret_ >= length_) return;
    Splice(caret_, NextChar(caret_), "", 0);
}

// Left: one character back from the caret.
void MemoryEdit::Left(bool extend) {
    MoveCaret(PreviousChar(caret_), extend);
}

// Right: one character on from the caret.
void MemoryEdit::Right(bool extend) {
    MoveCaret(NextChar(caret_), extend);
}

// Up: the same byte column on the line above, within its length.
void MemoryEdit::Up(bool extend) {
    int start = StartOfLine(caret_);
    if (start == 0) {
        MoveCaret(caret_, extend);
        return;
    }
    int above = StartOfLine(start - 2);
    int column = Min(caret_ - start, start - 2 - above);
    MoveCaret(CharStart(above + column), extend);
}

// Down: the same byte column on the line below, within its length.
void MemoryEdit::Down(bool extend) {
    int start = StartOfLine(caret_);
    int end = EndOfLine(caret_);
    if (end >= length_) {
        MoveCaret(caret_, extend);
        return;
    }
    int below = end + 2;
    int column = Min(caret_ - start, EndOfLine(below) - below);
    MoveCaret(CharStart(below + column), extend);
}

// Home: the start of the caret line.
void MemoryEdit::Home(bool extend) {
    MoveCaret(StartOfLine(caret_), extend);
}

// End: the end of the caret line, before its CR LF.
void MemoryEdit::End(bool extend) {
    MoveCaret(EndOfLine(caret_), extend);
}

// Ctrl+Home: the start of the text.
void MemoryEdit::CtrlHome(bool extend) {
    MoveCaret(0, extend);
}

// Ctrl+End: the end of the text.
void MemoryEdit::CtrlEnd(bool extend) {
    MoveCaret(length_, extend);
}

// The caret to a line and a byte column, each clamped to what exists.
void MemoryEdit::Goto(int line, int column) {
    int count = LineCount();
    if (line < 0) line = 0;
    if (line >= count) line = count - 1;
    int start = LineIndex(line);
    int length = EndOfLine(start) - start;
    if (column < 0) column = 0;
    if (column > length) column = length;
    // A caret never stands inside a double-byte character.
    MoveCaret(CharStart(start + column), false);
}

// Replaces the bytes [from, to) with count bytes, within the capacity.
// Only the pairs around the splice can change, so the count of CR LF pairs
// is mended from those.
bool MemoryEdit::Splice(int from, int to, const char* bytes, int count) {
    int newLength = length_ - (to - from) + count;
    if (newLength > kCapacity - 1) return false;
    breaks_ -= PairsEndingIn(from, to);
    if (from == 0 && count == 0) {
        // The oldest lines go: the text now starts further on.
        text_ += to;
    } else {
        if ((text_ - buffer_) + newLength + 1 > (long)sizeof buffer_) {
            memmove(buffer_, text_, (size_t)length_ + 1);
            text_ = buffer_;
        }
        memmove(text_ + from + count, text_ + to, (size_t)(length_ - to));
        if (count > 0) memcpy(text_ + from, bytes, (size_t)count);
    }
    length_ = newLength;
    text_[length_] = '\0';
    breaks_ += PairsEndingIn(from, from + count);
    return true;
}

// The CR LF pairs whose LF stands at a position from first to last; a plain
// loop the compiler can vectorize.
int MemoryEdit::PairsEndingIn(int first, int last) const {
    if (first < 1) first = 1;
    if (last > length_ - 1) last = length_ - 1;
    int count = 0;
    for (int i = first; i <= last; ++i) count += (text_[i] == '\n') & (text_[i - 1] == '\r');
    return count;
}

// The first position of the line that holds pos: just behind a CR LF.
int MemoryEdit::StartOfLine(int pos) const {
    for (int i = pos; i >= 2; --i)
        if (text_[i - 2] == '\r' && text_[i - 1] == '\n') return i;
    return 0;
}

// The position of the CR LF that ends the line at pos, or the end of text.
int MemoryEdit::EndOfLine(int pos) const {
    return NextBreak(StartOfLine(pos));
}

// The position of the first CR LF at or after from, or the end of text.
int MemoryEdit::NextBreak(int from) const {
    int i = from;
    while (i < length_) {
        const char* lf = (const char*)memchr(text_ + i, '\n', (size_t)(length_ - i));
        if (!lf) break;
        int at = (int)(lf - text_);
        if (at > from && text_[at - 1] == '\r') return at - 1;
        i = at + 1;
    }
    return length_;
}

// The character before pos, found by walking its line from the start.
int MemoryEdit::PreviousChar(int pos) const {
    if (pos <= 0) return 0;
    int p = StartOfLine(pos - 1);
    for (;;) {
        int next = NextChar(p);
        if (next >= pos) return p;
        p = next;
    }
}

// The position behind the character at pos.
int MemoryEdit::NextChar(int pos) const {
    if (pos >= length_) return length_;
    unsigned char c = (unsigned char)text_[pos];
    if (pos + 1 < length_) {
        unsigned char d = (unsigned char)text_[pos + 1];
        if ((c == '\r' && d == '\n') || (IsLeadByte(c) && IsTrailByte(d))) return pos + 2;
    }
    return pos + 1;
}

// The start of the character that holds pos.
int MemoryEdit::CharStart(int pos) const {
    int p = StartOfLine(pos);
    while (p < pos) {
        int next = NextChar(p);
        if (next > pos) return p;
        p = next;
    }
    return p;
}

// Caret to pos; without extend the selection collapses there.
void MemoryEdit::MoveCaret(int pos, bool extend) {
    caret_ = pos;
    if (!extend) anchor_ = pos;
}

// The end selected, then the text in its place.
void MemoryEdit::AppendAtEnd(const char* text) {
    SetSel(kEndOfText, kEndOfText + 1);
    ReplaceSel(text);
}
