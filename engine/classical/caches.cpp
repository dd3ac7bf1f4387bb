#include "engine/classical/caches.h"

ClassicalCaches& classical_caches() {
    thread_local ClassicalCaches caches;
    return caches;
}
