// The error table and its report.
#pragma once

enum { kErrorFlagCount = 30 }; // per-code flags of the error state

enum ErrorCode {
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
};

int ReportError(int code);
