#pragma once
// Table requests worked through on a background thread, one at a time, as
// the provider does: a request is queued, then built, then its spreadsheet
// waits in `folder` to be fetched. The oldest finished requests and their
// files are dropped past kMaxJobs.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/servers/ocr/Picture.h"
#include "platform/servers/ocr/TableBuilder.h"

namespace pimlo::servers {

enum class TableState { Queued, Running, Done, Failed };

struct TableStatus {
    TableState state = TableState::Queued;
    TableGrid grid;           // when Done
    std::string spreadsheet;  // path of the file, when Done
};

class TableJobs {
public:
    // Reads a picture into a grid; nullopt when recognition fails.
    using GridReader = std::function<std::optional<TableGrid>(Pix* picture)>;

    TableJobs(std::string folder, GridReader reader);
    ~TableJobs();  // finishes the table being built, drops the queue

    // The new request's id: letters, digits and "_" only, so it can name a
    // file and travel in an address unescaped.
    std::string Submit(PixPtr picture);
    std::optional<TableStatus> Status(const std::string& requestId) const;

    static constexpr size_t kMaxJobs = 200;

private:
    struct Job {
        PixPtr picture;
        TableStatus status;
    };
    void Work();
    void DropOldFinished();  // with mutex_ held

    std::string folder_;
    GridReader reader_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    unsigned long long nextNumber_ = 1;
    std::map<std::string, Job> jobs_;
    std::deque<std::string> queue_;
    std::deque<std::string> order_;  // every id, oldest first
    std::thread worker_;
};

}  // namespace pimlo::servers
