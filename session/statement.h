// Statement entry and submission by Enter.
#pragma once

// Runs a statement's text (what follows the prompt): a command or an
// expression, recorded in the history.
void RunStatement(const char* text);
// What Enter does: submits the caret line and prints the next prompt.
void SubmitEnter();
