// Decodes the bytes a terminal sends for keys and the mouse: xterm, tmux and
// the Linux console.
#pragma once

#include <stddef.h>

#include <vector>

enum TermKeyCode {
    kTkNone, // bytes that mean nothing here (consumed)
    kTkChar, // codepoint, with kModCtrl for a control character, kModAlt after ESC
    kTkEnter,
    kTkTab, // kModShift for the back tab
    kTkBackspace,
    kTkEscape,
    kTkUp,
    kTkDown,
    kTkLeft,
    kTkRight,
    kTkHome,
    kTkEnd,
    kTkPageUp,
    kTkPageDown,
    kTkInsert,
    kTkDelete,
    kTkMenu, // the menu (application) key
    kTkF1,   // F1 to F12 follow in order
    kTkF12 = kTkF1 + 11,
    kTkMouse,      // button, release, x, y
    kTkPasteBegin, // the decoder's own: a bracketed paste begins
};

// Mouse buttons as reported.
enum TermButton {
    kButtonLeft = 0,
    kButtonMiddle = 1,
    kButtonRight = 2,
    kWheelUp = 64,
    kWheelDown = 65
};

struct TermKey {
    int code;           // TermKeyCode
    unsigned codepoint; // kTkChar
    int modifiers;      // KeyModifier bits (kModShift, kModCtrl, kModAlt)
    int button;         // kTkMouse: TermButton
    bool release;       // kTkMouse: the button went up
    bool motion;        // kTkMouse: moved with the button held
    int x, y;           // kTkMouse: cell, both from 0
    bool pasted;        // kTkChar, kTkEnter: part of a bracketed paste
};

struct TermKeyDecoder {
    enum { kPendingSize = 64 };
    unsigned char pending[kPendingSize]; // an unfinished sequence
    int count;
    bool pasting; // between the marks of a bracketed paste
    bool afterCr; // a pasted CR was the last byte: an LF behind it adds nothing
};

// Decodes bytes; keys that are complete go to out, an unfinished sequence
// waits for the next bytes.
void DecodeTermKeys(TermKeyDecoder* decoder, const char* bytes, size_t size,
                    std::vector<TermKey>* out);
// No more bytes came in time: what waits is taken as it stands (a lone ESC
// is the Escape key).
void FlushTermKeys(TermKeyDecoder* decoder, std::vector<TermKey>* out);
// True while a sequence is unfinished.
inline bool TermKeysPending(const TermKeyDecoder& decoder) {
    return decoder.count > 0;
}
