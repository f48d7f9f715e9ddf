#include "eval/errors.h"

namespace {

struct ErrorEntry {
    const char* message;
    int fatal; // what a report of the code leaves in the fatal flag
    bool beep;
};

const ErrorEntry kErrors[] = {
    {"Syntax error", 1, true},               // 0: operand expected
    {"括弧の対応がとれません", 1, true},     // 1: ")" missing
    {"指定された関数がありません", 1, true}, // 2: empty text
    {"?", 1, true},                          // 3
    {"引数の対応がとれません", 1, true},     // 4: "," or ")" missing in a call
    {"指定された変数がありません", 0, true}, // 5: unknown name
    {"指定された関数がありません", 1, true}, // 6: unknown function
    {"メモリーが足りません", 1, true},       // 7: no room for a parameter, nesting too deep
    {"Divide by 0", 0, true},                // 8
    {"数値の書式が違います", 1, true},       // 9: malformed number
    {"?", 0, true},                          // 10
    {"レンジオーバー", 0, true},             // 11: outside a function's domain
    {"?", 1, true},                          // 12
    {"?", 1, true},                          // 13
    {"?", 1, true},                          // 14
    {"?", 1, true},                          // 15
    {"?", 0, true},                          // 16
    {"変数定義領域が足りません", 0, false},  // the variable table is full
};

} // namespace

// The message of a code; an unknown code reads as 3.
const char* ErrorMessage(int code) {
    return kErrors[code >= 0 && code <= kNoteVariableSpace ? code : 3].message;
}

// Whether the report of a code beeps.
bool ErrorBeeps(int code) {
    return kErrors[code >= 0 && code <= kNoteVariableSpace ? code : 3].beep;
}

// The fatal flag a report of the code leaves.
int ErrorFatal(int code) {
    return kErrors[code >= 0 && code <= kNoteVariableSpace ? code : 3].fatal;
}

// Adds a report at the end; a full record is drained first.
void RecordError(ErrorRecord* record, int code) {
    if (record->count == kErrorRecordSize) {
        if (!record->drain) return;
        record->drain(record);
    }
    record->codes[record->count++] = (signed char)code;
}
