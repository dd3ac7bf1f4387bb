#include "platform/qt/vector_state.h"

void clear_vector_upper_state() {
#if defined(__x86_64__) || defined(__i386__)
    // The lower halves (all that SSE code sees) are kept, so no register is clobbered.
    // The CPU model libgcc reads at start-up, before any of this runs.
    if (__builtin_cpu_supports("avx")) __asm__ volatile("vzeroupper");
#endif
}
