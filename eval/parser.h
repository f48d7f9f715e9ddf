// The grammar levels of an expression, its literals, operators and calls.
#pragma once

#include "eval/eval.h"

// Evaluates the text at the state's cursor into the slot; -1 (error 2) for
// an empty text. Call StartEvaluation first for a fresh evaluation.
double Evaluate(EvalState* s, double* slot);
void AssignmentLevel(EvalState* s, double* slot);
// Combines the left value in place with the right one.
void ApplyOperator(EvalState* s, char op, double* left, double right);
