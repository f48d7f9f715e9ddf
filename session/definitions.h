// def and list's functions: a user function defined from its statement text,
// and the table listed.
#pragma once

// def := "def" name "(" params ")" "=" body   The argument is the text
// behind "def".
void DefineFunction(const char* argument);
// One line a function: name(parameters)=body.
void ListFunctions();
