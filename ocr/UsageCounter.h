#pragma once

#include <atomic>
#include <cstdint>
#include <string>

// Successful recognitions of the day the process started, later added to the
// stored daily counts and reported.
class UsageCounter {
public:
    UsageCounter();

    // "year-month-day" of the local date at start, without leading zeros.
    const std::wstring& DateKey() const { return dateKey_; }
    int32_t Count() const { return count_; }
    // Counts one answer that was accepted as a recognition result.
    void Add() { ++count_; }

private:
    std::wstring dateKey_;
    std::atomic<int32_t> count_{0};
};

// The process's counter.
UsageCounter& CurrentUsageCounter();
