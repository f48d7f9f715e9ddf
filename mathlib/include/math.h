/* The math sources get the math.h of their own source package, whose path the
   build passes in. */
#pragma once
#include TOLVANE_MUSL_MATH_H
