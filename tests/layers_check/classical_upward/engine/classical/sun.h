#pragma once
// The layer check's 1995 engine reaching up to the graphs above the engine.
#include "graphs/graph.h"
