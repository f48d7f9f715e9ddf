/* Doubles are evaluated in SSE2 registers on both targets: no excess precision. */
typedef float float_t;
typedef double double_t;
