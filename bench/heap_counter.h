// Counts the bytes the process holds on the heap while counting is on, and
// the peak above the level at which counting started. Single-threaded use.
#pragma once

#include <cstddef>

namespace heap {

void StartCounting();
void StopCounting();
// Highest number of bytes held above the starting level while counting.
long long PeakBytes();
// Allocations made while counting.
long long Allocations();

}  // namespace heap
