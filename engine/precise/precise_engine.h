#pragma once
// The precise engine behind the engine seam: PRECISE_ENGINE answers every
// call of SkyEngine as the classical engine does, from the precise places
// and searches (classical_calls.h).  Jupiter's moons stay classical.
#include "engine/sky_engine.h"

extern const SkyEngine PRECISE_ENGINE;
