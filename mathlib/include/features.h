/* What the math sources expect of their own C library's features.h, on top
   of the compiler's and the C library's own. */
#pragma once
#if defined(__has_include_next)
#if __has_include_next(<features.h>)
#include_next <features.h>
#endif
#endif
#define hidden
