#pragma once

#include <cstdint>

namespace pimlo::servers {

// A fresh identifier for one answer's "log_id": random, and below 2^63 so
// that clients reading it as a signed 64-bit integer see it unchanged.
uint64_t NewLogId();

}  // namespace pimlo::servers
