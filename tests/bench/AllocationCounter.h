#pragma once

#include <cstddef>

// Counts the bytes that operator new hands out on the threads that opted in,
// so that a benchmark sees its own memory and not that of a server thread in
// the same process.
namespace allocation_counter {

// Counts this thread's allocations from now on.
void CountThisThread();
// Bytes allocated by counted threads and not yet freed.
size_t CurrentBytes();
// The highest CurrentBytes since the last ResetPeak.
size_t PeakBytes();
void ResetPeak();

}  // namespace allocation_counter
