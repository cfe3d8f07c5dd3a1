// The process-wide half of the frame clock: the counter reading and rate taken
// when the clock first started. The Scene carries the per-frame half.
#pragma once

#include <cstdint>

extern int64_t counterOrigin;     // counter reading at clock start, ticks
extern int64_t counterFrequency;  // counter ticks per second
extern bool clockStarted;         // set by the first StartClock, never cleared

// Whole milliseconds in `elapsed` counter ticks at `frequency` ticks per
// second: (elapsed x 1000) / frequency truncated toward zero, formed so that
// the product cannot overflow. 0 when the frequency is not positive.
int64_t ElapsedMilliseconds(int64_t elapsed, int64_t frequency);

// Moves `frameDelay` (milliseconds) toward `targetRate` frames per second from
// the rate measured over the window before last; result within 1 to 1000.
int GovernFrameDelay(int frameDelay, int targetRate, int previousRate);
