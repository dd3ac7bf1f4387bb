#pragma once
// The layer check's graphs: they stand on the engine.
#include "engine/sky.h"
