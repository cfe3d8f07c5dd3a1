// Opt-in frame timing for benchmarks: with ORCHARDIA_SWAP_LOG=path in the
// environment, every SwapBuffers appends one line to that file holding the
// CLOCK_MONOTONIC time of the swap in seconds (nanosecond digits).
#pragma once

namespace standin {

void LogSwap();

}  // namespace standin
