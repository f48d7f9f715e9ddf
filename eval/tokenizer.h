// The tokenizer: the current token read from the parse cursor.
#pragma once

#include "eval/eval.h"

// Reads the token at p into t, names not looked up and nothing reported;
// returns where the token ends.
const char* ScanToken(const char* p, Token* t);
// Reads the next token at the state's cursor; a name before "(" becomes a
// call of a built-in or a user function (an unknown one is reported).
void NextToken(EvalState* s);
void PushBackToken(EvalState* s);
// The current token is the delimiter c.
bool TokenIs(const EvalState* s, char c);
