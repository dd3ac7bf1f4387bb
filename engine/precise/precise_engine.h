#pragma once
// The precise engine behind the engine seam: PRECISE_ENGINE answers every
// call of SkyEngine from the precise places and searches
// (seam_searches.h).  Jupiter's moons stay classical.
#include "engine/sky_engine.h"

extern const SkyEngine PRECISE_ENGINE;
