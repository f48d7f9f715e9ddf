// The error table and the record of what an evaluation reported.
#pragma once

enum { kErrorFlagCount = 30 }; // per-code flags of the error state

enum ErrorCode {
    kNoError = -1,
    kErrSyntax = 0,
    kErrParen = 1,
    kErrNoFunction = 2,
    kErrArguments = 4,
    kErrNoVariable = 5,
    kErrUnknownFunction = 6,
    kErrMemory = 7,
    kErrDivide = 8,
    kErrNumber = 9,
    kErrRange = 11,
    kErrorCount = 17,        // the codes an evaluation reports, 0 to 16
    kNoteVariableSpace = 17, // the variable table is full: a message without a beep
};

enum { kErrorRecordSize = 64 };

// The reports of an evaluation in the order they were made. When it is full
// the owner's drain prints and empties it, so that no report is lost.
struct ErrorRecord {
    signed char codes[kErrorRecordSize]; // ErrorCode or kNoteVariableSpace
    int count;
    void (*drain)(ErrorRecord* record); // nullptr: reports past the size are dropped
};

// The message of a code as the console shows it, without the leading blank.
const char* ErrorMessage(int code);
// Whether the report of a code beeps.
bool ErrorBeeps(int code);
// What a report of the code leaves in the evaluation's fatal flag.
int ErrorFatal(int code);
// Adds a report to the end of the record.
void RecordError(ErrorRecord* record, int code);
