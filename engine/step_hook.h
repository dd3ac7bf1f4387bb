#pragma once
// Progress and stop for the engine's long searches.  The engine calls the
// hook before each step with the part of the search done (0..1) and the
// caller's context; a non-zero answer stops the search, which returns that
// answer with what it found so far.  Reports pass one that shows their
// progress line and runs the message pump; a null hook is never called.
using StepHook = int (*)(double fraction, void* context);
