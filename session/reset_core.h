// The start of a run: every subsystem's state back to its start values.
#pragma once

// Clears the console state, the evaluator, the variables, the functions, the
// history (its entries leave the popup menu), the script state and the
// session settings. The seam is left as it is: set it first, to the objects
// in use or to nullptr; the script time limits and clock are kept.
void ResetCore();
