#pragma once
// The application's allowance of recognition requests per day, as the
// provider counts them: a new day starts at midnight Beijing time (UTC+8).

#include <cstdint>
#include <mutex>

#include "platform/servers/ocr/UnixClock.h"

namespace pimlo::servers {

class DailyQuota {
public:
    DailyQuota(int64_t limit, UnixClock clock = SystemUnixSeconds);

    // Counts one request; false when the day's allowance was already used.
    bool Take();

private:
    int64_t limit_;
    UnixClock clock_;
    std::mutex mutex_;
    int64_t day_ = -1;
    int64_t used_ = 0;
};

}  // namespace pimlo::servers
