#pragma once
// The two kinds of report the program sends, read from their JSON text. A
// report is taken only when it is one JSON object holding exactly the
// members the program writes, each of its type and within its range; the
// program sends nothing else, so anything else is a fault to refuse.

#include <cstdint>
#include <optional>
#include <string>

namespace pimlo::servers {

// A life-cycle event: installed, uninstalled, started, installer downloaded.
struct EventReport {
    int64_t adId = 0;
    std::string channelCode;
    std::string machineCode;  // empty, or 16 upper-case hexadecimal digits
    std::string os;
    int64_t osBit = 0;   // 32 or 64
    int64_t typeId = 0;  // 1 to 4
    std::string version;
};

// How many pictures were recognised on one day.
struct UsageReport {
    std::string account;  // "Guest" when nobody was signed in
    int64_t agentId = 0;
    std::string date;    // year-month-day without leading zeros
    int64_t times = 0;   // above 0
    int64_t typeId = 0;  // sign-in kind, 1 to 4
};

std::optional<EventReport> ReadEventReport(const std::string& json);
std::optional<UsageReport> ReadUsageReport(const std::string& json);

}  // namespace pimlo::servers
