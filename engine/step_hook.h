#pragma once
// Progress and stop for the engine's long searches.  The engine calls the
// hook before each step with the part of the search done (0..1) and the
// caller's context; a non-zero answer stops the search, which returns that
// answer with what it found so far.  Reports pass one that shows their
// progress line and runs the message pump; a null hook is never called.
using StepHook = int (*)(double fraction, void* context);

// A step hook seen through a part [base, base + span] of a longer search:
// pass part_step with a PartStep as its context.
struct PartStep {
    StepHook step;
    void* context;
    double base;
    double span;
};
inline int part_step(double fraction, void* part) {
    const PartStep& p = *static_cast<const PartStep*>(part);
    return p.step(p.base + p.span * fraction, p.context);
}
