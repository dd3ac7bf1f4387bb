#pragma once
// The layer check's engine reaching up to the graphs above it.
#include "graphs/graph.h"
