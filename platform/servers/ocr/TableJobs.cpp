#include "platform/servers/ocr/TableJobs.h"

#include <filesystem>
#include <random>

#include "platform/servers/ocr/SpreadsheetWriter.h"

namespace pimlo::servers {

TableJobs::TableJobs(std::string folder, GridReader reader)
    : folder_(std::move(folder)), reader_(std::move(reader)) {
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    worker_ = std::thread([this] { Work(); });
}

TableJobs::~TableJobs() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

std::string TableJobs::Submit(PixPtr picture) {
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string id;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // The provider's ids are two numbers joined by "_"; the random part
        // keeps ids of two server runs apart.
        id = std::to_string(nextNumber_++) + "_" + std::to_string(random() % 10000000);
        jobs_[id] = Job{std::move(picture), TableStatus{}};
        queue_.push_back(id);
        order_.push_back(id);
        DropOldFinished();
    }
    wake_.notify_all();
    return id;
}

std::optional<TableStatus> TableJobs::Status(const std::string& requestId) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = jobs_.find(requestId);
    if (found == jobs_.end()) return std::nullopt;
    return found->second.status;
}

void TableJobs::DropOldFinished() {
    for (auto it = order_.begin(); order_.size() > kMaxJobs && it != order_.end();) {
        Job& job = jobs_[*it];
        const TableState state = job.status.state;
        if (state != TableState::Done && state != TableState::Failed) {
            ++it;
            continue;
        }
        std::error_code ignored;
        if (!job.status.spreadsheet.empty())
            std::filesystem::remove(job.status.spreadsheet, ignored);
        jobs_.erase(*it);
        it = order_.erase(it);
    }
}

void TableJobs::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        const std::string id = queue_.front();
        queue_.pop_front();
        Job& job = jobs_[id];
        job.status.state = TableState::Running;
        PixPtr picture = std::move(job.picture);

        lock.unlock();
        std::optional<TableGrid> grid = reader_(picture.get());
        const std::string path = (std::filesystem::path(folder_) / (id + ".xlsx")).string();
        const bool written = grid && WriteSpreadsheet(*grid, path);
        lock.lock();

        // The job may not be dropped while running: only finished ones are.
        TableStatus& status = jobs_[id].status;
        status.state = written ? TableState::Done : TableState::Failed;
        if (written) {
            status.grid = std::move(*grid);
            status.spreadsheet = path;
        }
    }
}

}  // namespace pimlo::servers
