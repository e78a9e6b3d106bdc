#include "platform/servers/account/SmsRateLimit.h"

#include <algorithm>

namespace pimlo::servers {

const std::vector<SmsRateWindow> kSmsRateWindows = {
    {30, 1, "SMSSendFrequent30s"},
    {5 * 60, 3, "SMSSendFrequent5m"},
    {60 * 60, 5, "SMSSendFrequent1h"},
    {24 * 60 * 60, 10, "SMSSendFrequent24h"},
};

int64_t LongestSmsRateWindow() { return kSmsRateWindows.back().seconds; }

std::optional<std::string> SmsRateRefusal(const std::vector<int64_t>& earlierSends, int64_t now) {
    for (const SmsRateWindow& window : kSmsRateWindows) {
        auto inWindow = std::count_if(earlierSends.begin(), earlierSends.end(),
                                      [&](int64_t sent) { return sent > now - window.seconds; });
        if (inWindow >= window.maxSends) return std::string(window.refusal);
    }
    return std::nullopt;
}

}  // namespace pimlo::servers
