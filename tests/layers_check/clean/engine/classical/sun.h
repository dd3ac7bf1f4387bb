#pragma once
// The layer check's 1995 engine: part of the engine's library, standing on its basics.
#include "engine/sky.h"
