#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

namespace pimlo::servers {

// Seconds since 1970-01-01 UTC; tests pass their own to move time on.
using UnixClock = std::function<int64_t()>;

inline int64_t SystemUnixSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace pimlo::servers
