#pragma once
// The layer check's engine: the standard library only.
#include <cmath>
