// Statement entry and submission by Enter.
#pragma once

// Runs one line in the form of an input line: two characters in the prompt's
// place, then the statement text.
void EnterStatement(const char* line);
// What Enter does: submits the caret line and prints the next prompt.
void SubmitEnter();
