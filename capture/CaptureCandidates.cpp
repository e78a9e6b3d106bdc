#include "capture/CaptureCandidates.h"

namespace {

struct Listing {
    RECT monitor;
    HWND skip;
    std::vector<CaptureCandidate> candidates;
};

// The visible descendants of parent, each after its own, siblings topmost first.
void AddDescendants(HWND parent, std::vector<CaptureCandidate>& candidates) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        AddDescendants(child, candidates);
        RECT rect = {};
        if (GetWindowRect(child, &rect)) candidates.push_back({child, rect});
    }
}

BOOL CALLBACK AddTopLevel(HWND window, LPARAM parameter) {
    auto& listing = *reinterpret_cast<Listing*>(parameter);
    if (window == listing.skip || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
        IsIconic(window))
        return TRUE;
    RECT client = {};
    RECT frame = {};
    if (!GetClientRect(window, &client) || !GetWindowRect(window, &frame)) return TRUE;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    AddDescendants(window, listing.candidates);
    listing.candidates.push_back({window, TopLevelCaptureRect(client, frame, listing.monitor)});
    return TRUE;
}

}  // namespace

std::vector<CaptureCandidate> ListCaptureCandidates(const RECT& monitor, HWND skip) {
    Listing listing{monitor, skip, {}};
    EnumWindows(AddTopLevel, reinterpret_cast<LPARAM>(&listing));
    return std::move(listing.candidates);
}
