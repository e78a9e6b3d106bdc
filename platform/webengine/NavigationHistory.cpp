#include "platform/webengine/NavigationHistory.h"

void NavigationHistory::Visit(const std::wstring& address) {
    if (!entries_.empty()) {
        entries_.resize(current_ + 1);
    }
    entries_.push_back(address);
    if (entries_.size() > kMaximumEntries) {
        entries_.erase(entries_.begin());
    }
    current_ = entries_.size() - 1;
}

const std::wstring* NavigationHistory::Back() {
    if (entries_.empty() || current_ == 0) {
        return nullptr;
    }
    return &entries_[--current_];
}

const std::wstring* NavigationHistory::Forward() {
    if (current_ + 1 >= entries_.size()) {
        return nullptr;
    }
    return &entries_[++current_];
}

const std::wstring* NavigationHistory::Current() const {
    return entries_.empty() ? nullptr : &entries_[current_];
}
