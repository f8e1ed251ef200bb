#pragma once

// SSE2 intrinsics where the processor has them (always on x86-64); code that
// uses them tests VORLAINE_SSE2 and keeps a plain loop for the rest.

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define VORLAINE_SSE2 1
#endif
