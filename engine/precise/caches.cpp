#include "engine/precise/caches.h"

namespace precise {

PreciseCaches& precise_caches() {
    thread_local PreciseCaches caches;
    return caches;
}

}  // namespace precise
