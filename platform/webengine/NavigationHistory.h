#pragma once

#include <string>
#include <vector>

// The addresses a view has shown, for back, forward and reload. Visiting an address drops the
// forward entries, as browsers do; the oldest entries go once the list is full.
class NavigationHistory {
public:
    void Visit(const std::wstring& address);
    // The entry moved to, or null when there is none in that direction.
    const std::wstring* Back();
    const std::wstring* Forward();
    // Null before the first visit.
    const std::wstring* Current() const;

private:
    // Enough for a sign-in page's redirects; the picture page never goes past one entry.
    static constexpr size_t kMaximumEntries = 50;

    std::vector<std::wstring> entries_;
    size_t current_ = 0;
};
