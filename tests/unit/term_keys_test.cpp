// The terminal key decoder on the bytes that xterm, tmux and the Linux
// console send, whole and split across reads.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "platform/key_script.h"
#include "shell/native/term_keys.h"

namespace {

struct Case {
    const char* terminal;
    const char* bytes;
    int code;
    int modifiers;
    unsigned codepoint;
};

const int S = kModShift, C = kModCtrl, A = kModAlt;

const Case kCases[] = {
    // xterm, normal and application cursor keys, modifiers as CSI 1;m
    {"xterm", "\x1b[A", kTkUp, 0, 0},
    {"xterm", "\x1bOD", kTkLeft, 0, 0},
    {"xterm", "\x1b[1;2D", kTkLeft, S, 0},
    {"xterm", "\x1b[1;2C", kTkRight, S, 0},
    {"xterm", "\x1b[1;5H", kTkHome, C, 0},
    {"xterm", "\x1b[1;5F", kTkEnd, C, 0},
    {"xterm", "\x1b[H", kTkHome, 0, 0},
    {"xterm", "\x1bOF", kTkEnd, 0, 0},
    {"xterm", "\x1b[1;2H", kTkHome, S, 0},
    {"xterm", "\x1b[3~", kTkDelete, 0, 0},
    {"xterm", "\x1b[5~", kTkPageUp, 0, 0},
    {"xterm", "\x1b[6;2~", kTkPageDown, S, 0},
    {"xterm", "\x1bOP", kTkF1, 0, 0},
    {"xterm", "\x1bOR", kTkF1 + 2, 0, 0},
    {"xterm", "\x1b[21;2~", kTkF1 + 9, S, 0},
    {"xterm", "\x1b[29~", kTkMenu, 0, 0},
    {"xterm", "\x1b[Z", kTkTab, S, 0},
    {"xterm", "\x1b[27;5;48~", kTkChar, C, '0'}, // modifyOtherKeys Ctrl+0
    {"xterm", "\x1b[57;5u", kTkChar, C, '9'},    // CSI u Ctrl+9
    // tmux (TERM=screen or tmux)
    {"tmux", "\x1b[1~", kTkHome, 0, 0},
    {"tmux", "\x1b[4~", kTkEnd, 0, 0},
    {"tmux", "\x1bOA", kTkUp, 0, 0},
    {"tmux", "\x1b[13~", kTkF1 + 2, 0, 0},
    // the Linux console
    {"linux", "\x1b[[A", kTkF1, 0, 0},
    {"linux", "\x1b[[C", kTkF1 + 2, 0, 0},
    {"linux", "\x1b[34~", kTkF1 + 9, S, 0},
    {"linux", "\x1b[2~", kTkInsert, 0, 0},
    // every terminal: control characters, Alt as an ESC prefix, UTF-8
    {"any", "\x01", kTkChar, C, 'a'},
    {"any", "\x03", kTkChar, C, 'c'},
    {"any", "\x0b", kTkChar, C, 'k'},
    {"any", "\r", kTkEnter, 0, 0},
    {"any", "\t", kTkTab, 0, 0},
    {"any", "\x7f", kTkBackspace, 0, 0},
    {"any", "\x08", kTkBackspace, 0, 0},
    {"any", "\x1bs", kTkChar, A, 's'},
    {"any",
     "\x1b"
     "0",
     kTkChar, A, '0'},
    {"any", "\x1bP", kTkChar, A, 'P'},
    {"any", "x", kTkChar, 0, 'x'},
    {"any", "\xe6\xbc\xa2", kTkChar, 0, 0x6F22}, // a kanji
    {"any", "\xef\xbd\xb1", kTkChar, 0, 0xFF71}, // half-width katakana
};

std::vector<TermKey> Decode(const std::string& bytes) {
    TermKeyDecoder decoder;
    memset(&decoder, 0, sizeof decoder);
    std::vector<TermKey> keys;
    DecodeTermKeys(&decoder, bytes.data(), bytes.size(), &keys);
    FlushTermKeys(&decoder, &keys);
    return keys;
}

TEST(TermKeys, SequencesOfEachTerminal) {
    for (const Case& c : kCases) {
        std::vector<TermKey> keys = Decode(c.bytes);
        ASSERT_EQ(keys.size(), 1u) << c.terminal << " " << c.bytes + 1;
        EXPECT_EQ(keys[0].code, c.code) << c.terminal << " " << c.bytes + 1;
        EXPECT_EQ(keys[0].modifiers, c.modifiers) << c.terminal << " " << c.bytes + 1;
        if (c.code == kTkChar) {
            EXPECT_EQ(keys[0].codepoint, c.codepoint) << c.terminal;
        }
    }
}

TEST(TermKeys, SplitAcrossReadsGivesTheSameKeys) {
    for (const Case& c : kCases) {
        TermKeyDecoder decoder;
        memset(&decoder, 0, sizeof decoder);
        std::vector<TermKey> keys;
        for (const char* p = c.bytes; *p; ++p) DecodeTermKeys(&decoder, p, 1, &keys);
        FlushTermKeys(&decoder, &keys);
        ASSERT_EQ(keys.size(), 1u) << c.terminal << " " << c.bytes + 1;
        EXPECT_EQ(keys[0].code, c.code) << c.terminal << " " << c.bytes + 1;
    }
}

TEST(TermKeys, LoneEscapeWaitsThenIsEscape) {
    TermKeyDecoder decoder;
    memset(&decoder, 0, sizeof decoder);
    std::vector<TermKey> keys;
    DecodeTermKeys(&decoder, "\x1b", 1, &keys);
    EXPECT_TRUE(keys.empty());
    EXPECT_TRUE(TermKeysPending(decoder));
    FlushTermKeys(&decoder, &keys);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].code, kTkEscape);
    EXPECT_FALSE(TermKeysPending(decoder));
}

TEST(TermKeys, Mouse) {
    std::vector<TermKey> keys = Decode("\x1b[<2;10;5M\x1b[<0;3;1m\x1b[<64;1;1M\x1b[M !!");
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].button, kButtonRight); // SGR right press at column 10, row 5
    EXPECT_EQ(keys[0].x, 9);
    EXPECT_EQ(keys[0].y, 4);
    EXPECT_FALSE(keys[0].release);
    EXPECT_TRUE(keys[1].release); // SGR left release
    EXPECT_EQ(keys[2].button, kWheelUp);
    EXPECT_EQ(keys[3].button, kButtonLeft); // X10 left press at the corner
    EXPECT_EQ(keys[3].x, 0);
    EXPECT_EQ(keys[3].y, 0);
}

TEST(TermKeys, PastedTextAndGarbage) {
    std::vector<TermKey> keys = Decode("1+2\r\x1b[99;99;99;99X\xff"
                                       "3\r");
    ASSERT_EQ(keys.size(), 7u); // 1 + 2 Enter (unknown sequence dropped) U+FFFD 3 Enter
    EXPECT_EQ(keys[3].code, kTkEnter);
    EXPECT_EQ(keys[4].codepoint, 0xFFFDu);
    EXPECT_EQ(keys[6].code, kTkEnter);
    // A sequence that never ends cannot hold the decoder.
    std::string endless = "\x1b[" + std::string(500, '1');
    keys = Decode(endless + "x");
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.back().codepoint, (unsigned)'x');
}

TEST(TermKeys, BracketedPasteIsText) {
    // Inside the brackets Enter, Tab, Ctrl+A and Escape are characters; an
    // ESC that begins no end mark is one too.
    const std::string bytes = "\x1b[200~1\r\t\x01\x1b[2\xe8\xa1\xa8\x1b[201~\t";
    for (int split = 0; split < 2; ++split) {
        TermKeyDecoder decoder;
        memset(&decoder, 0, sizeof decoder);
        std::vector<TermKey> keys;
        if (split)
            for (char c : bytes) DecodeTermKeys(&decoder, &c, 1, &keys);
        else
            DecodeTermKeys(&decoder, bytes.data(), bytes.size(), &keys);
        FlushTermKeys(&decoder, &keys);
        ASSERT_EQ(keys.size(), 11u) << split;
        EXPECT_EQ(keys[0].code, kTkPasteStart);
        const unsigned kText[] = {'1', '\r', '\t', 1, 0x1B, '[', '2', 0x8868};
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(keys[1 + i].code, kTkChar) << i;
            EXPECT_EQ(keys[1 + i].codepoint, kText[i]) << i;
            EXPECT_EQ(keys[1 + i].modifiers, 0) << i;
        }
        EXPECT_EQ(keys[9].code, kTkPasteEnd);
        EXPECT_EQ(keys[10].code, kTkTab); // a key again after the paste
    }
}

} // namespace
