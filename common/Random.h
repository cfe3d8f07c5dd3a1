// The program's own pseudo-random generator: 15 bits, 0 to 32767 inclusive,
// the same sequence on every platform (the C library's rand is not used).
#pragma once

namespace prng {

constexpr int kRandMax = 32767;

void srand(unsigned int seed);
int rand();

// For tests only: queues `value` (0 to 32767) as a coming result of rand(),
// ahead of the generator's own sequence; queued values come out in order.
void ForceNext(int value);

}  // namespace prng

// A uniform value in [0, 1]: rand() times the single-precision 1/32767,
// rounded to float, so that rand() == 32767 gives exactly 1.
float UniformRandom();

// The integer part of u x count for a fresh uniform u: 0 to count inclusive
// (count itself once in 32768 draws).
int RandomIndex(int count);
