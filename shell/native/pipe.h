// The calculator on a pipe: statements in, their results out, as a filter.
#pragma once

#include <stdio.h>

// Sends the statements' own output lines to standard output and error
// messages to standard error from now on; call before the session starts so
// that a start-up script's lines are seen too.
void BeginPipeOutput();
// Runs each line of input as a statement until the input ends or the
// program quits. Returns the exit status: 1 when any statement reported an
// error, else 0.
int RunPipe(FILE* input);
