#pragma once
// Leaves the processor's vector registers clean when the toolkit hands
// control back to our own code.
//
// Qt's raster engine and image code pick AVX2 and AVX-512 routines at run
// time and return without clearing the upper halves of the vector
// registers.  Our code is built for plain SSE2; on a processor with AVX-512
// every SSE instruction that follows then carries a false dependency on those
// dirty upper halves, and our arithmetic runs 6 to 10 times slower (200 years
// of phase tables: 15 ms clean, 120-210 ms after a single drawLine).  VZEROUPPER
// clears them; it exists only where AVX does, so it runs behind a CPU check.

// Clears the upper halves of the vector registers when the processor has AVX;
// does nothing otherwise.  Costs a few cycles.
void clear_vector_upper_state();

// Calls clear_vector_upper_state when it goes out of scope: one at the top of
// a function that calls the toolkit covers every way out of it.
struct VectorStateGuard {
    VectorStateGuard() = default;
    VectorStateGuard(const VectorStateGuard&) = delete;
    VectorStateGuard& operator=(const VectorStateGuard&) = delete;
    ~VectorStateGuard() { clear_vector_upper_state(); }
};
