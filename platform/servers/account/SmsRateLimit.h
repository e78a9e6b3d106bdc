#pragma once
// How often one mobile number may be sent a verification code. Each window
// allows a number of sends; the first window that is full names the refusal.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pimlo::servers {

struct SmsRateWindow {
    int64_t seconds;
    int maxSends;
    const char* refusal;  // the error key the service answers
};

// One send per 30 seconds, 3 per 5 minutes, 5 per hour, 10 per day.
extern const std::vector<SmsRateWindow> kSmsRateWindows;

// The longest window, so older sends need not be looked at.
int64_t LongestSmsRateWindow();

// The refusal key when a send at `now` would exceed a window, given the times
// (in seconds) of the earlier sends to the same number; nullopt when allowed.
std::optional<std::string> SmsRateRefusal(const std::vector<int64_t>& earlierSends, int64_t now);

}  // namespace pimlo::servers
