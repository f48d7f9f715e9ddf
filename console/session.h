// The start of a run: every subsystem's state back to its start values.
#pragma once

// Clears the console state, the evaluator, the variables, the functions, the
// history and the session settings. The seam is left as it is.
void ResetCore();
