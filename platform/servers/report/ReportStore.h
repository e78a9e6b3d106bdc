#pragma once
// The reports received, kept in an SQLite file: one table for event reports
// and one for usage reports, each row with the decrypted JSON as it came.
// Safe to use from the server's worker threads.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/servers/core/Sqlite.h"
#include "platform/servers/report/ReportMembers.h"

namespace pimlo::servers {

class ReportStore {
public:
    // Opens the file, creating it and its tables when missing; throws
    // SqliteError when it cannot.
    explicit ReportStore(const std::string& path);

    // Each returns the new row's id, which is above 0.
    int64_t AddEvent(const EventReport& report, const std::string& json);
    int64_t AddUsage(const UsageReport& report, const std::string& json);

    // The decrypted JSON of every event report (usage false) or usage
    // report (usage true), oldest first.
    std::vector<std::string> Received(bool usage);

private:
    std::mutex mutex_;
    SqliteDatabase database_;
};

}  // namespace pimlo::servers
