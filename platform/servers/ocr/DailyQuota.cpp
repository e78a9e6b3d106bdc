#include "platform/servers/ocr/DailyQuota.h"

#include <utility>

namespace pimlo::servers {

namespace {
constexpr int64_t kBeijingOffsetSeconds = 8 * 3600;
constexpr int64_t kSecondsPerDay = 86400;
}  // namespace

DailyQuota::DailyQuota(int64_t limit, UnixClock clock) : limit_(limit), clock_(std::move(clock)) {}

bool DailyQuota::Take() {
    const int64_t day = (clock_() + kBeijingOffsetSeconds) / kSecondsPerDay;
    std::lock_guard<std::mutex> lock(mutex_);
    if (day != day_) {
        day_ = day;
        used_ = 0;
    }
    if (used_ >= limit_) return false;
    ++used_;
    return true;
}

}  // namespace pimlo::servers
