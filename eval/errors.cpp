#include "eval/errors.h"

#include "session/console.h"
#include "eval/eval.h"
#include "platform/seam.h"

namespace {

struct ErrorEntry {
    const char* message;
    int fatal; // what a report of the code leaves in the fatal flag
};

const ErrorEntry kErrors[] = {
    {"Syntax error", 1},               // 0: operand expected
    {"括弧の対応がとれません", 1},     // 1: ")" missing
    {"指定された関数がありません", 1}, // 2: empty text
    {"?", 1},                          // 3
    {"引数の対応がとれません", 1},     // 4: "," or ")" missing in a call
    {"指定された変数がありません", 0}, // 5: unknown name
    {"指定された関数がありません", 1}, // 6: unknown function
    {"メモリーが足りません", 1},       // 7: no room for a parameter, nesting too deep
    {"Divide by 0", 0},                // 8
    {"数値の書式が違います", 1},       // 9: malformed number
    {"?", 0},                          // 10
    {"レンジオーバー", 0},             // 11: outside a function's domain
    {"?", 1},                          // 12
    {"?", 1},                          // 13
    {"?", 1},                          // 14
    {"?", 1},                          // 15
    {"?", 0},                          // 16
};

const int kErrorCount = sizeof kErrors / sizeof kErrors[0];

} // namespace

// Prints the code's message, beeps and records the code in the error state;
// returns the code plus 1. After the nesting bound was hit nothing more is
// reported, so that one deep line gives one message.
int ReportError(int code) {
    if (code < 0 || code >= kErrorCount) code = 3;
    if (g_eval.overflow) return code + 1;
    AppendErrorFormat(" %s\r\n", kErrors[code].message);
    g_seam.desktop->Beep();
    g_eval.errorFlags[code] = true;
    g_eval.lastError = code + 1;
    g_eval.fatal = kErrors[code].fatal;
    return code + 1;
}
