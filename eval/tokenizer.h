// The tokenizer: the current token read from the parse cursor.
#pragma once

enum TokenKind {
    kTokenNone = 0,
    kTokenDelimiter = 1,
    kTokenVariable = 2,
    kTokenNumber = 3,
    kTokenBuiltin = 4,
    kTokenUserFunction = 5,
};

enum { kTokenSize = 80 }; // token text: 79 bytes and the terminator

// How tightly a token binds as a binary operator: the delimiters "+" "-",
// then "*" "/", then "^" "&" "|" "~"; every other token is none.
enum Priority { kNotBinary = 0, kSumPriority = 1, kTermPriority = 2, kBitwisePriority = 3 };

struct Token {
    char text[kTokenSize]; // names are significant to 79 bytes
    int kind;              // TokenKind
    int priority;          // Priority as a binary operator
    bool integer;          // a number token of digits only, its value taken
    double value;          // that value
    int builtin;           // index in the built-in table (kTokenBuiltin)
    int function;          // index in the function table (kTokenUserFunction)
    const char* start;     // where the token began in the text
    int length;            // bytes the token took from the text
};

void NextToken();
void PushBackToken();
