#include "platform/qt/vector_state.h"

namespace {
#if defined(__x86_64__) || defined(__i386__)
const bool has_avx = [] {
    __builtin_cpu_init();  // this may run before the library's own start-up code
    return __builtin_cpu_supports("avx") != 0;
}();
#endif
}  // namespace

void clear_vector_upper_state() {
#if defined(__x86_64__) || defined(__i386__)
    // The lower halves (all that SSE code sees) are kept, so no register is clobbered.
    if (has_avx) __asm__ volatile("vzeroupper");
#endif
}
