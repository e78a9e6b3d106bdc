#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "common/DebugTrace.h"

// Collects the debug traces written while it lives.
class TraceRecorder {
public:
    TraceRecorder() {
        SetDebugTraceSink([this](const std::wstring& line) {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(line);
        });
    }
    ~TraceRecorder() { SetDebugTraceSink(nullptr); }

    std::vector<std::wstring> Lines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::wstring> lines_;
};
