#include "capture/CaptureGeometry.h"

#include <algorithm>

RECT TopLevelCaptureRect(const RECT& clientOnScreen, const RECT& windowRect, const RECT& monitor) {
    RECT rect = {clientOnScreen.left, windowRect.top, clientOnScreen.right, clientOnScreen.bottom};
    rect.left = std::max(rect.left, monitor.left);
    rect.top = std::max(rect.top, monitor.top);
    rect.right = std::min(rect.right, monitor.right);
    rect.bottom = std::min(rect.bottom, monitor.bottom);
    return rect;
}

RECT HitTest(const std::vector<CaptureCandidate>& candidates, POINT point) {
    for (const CaptureCandidate& candidate : candidates) {
        if (PtInRect(&candidate.rect, point)) return candidate.rect;
    }
    return {};
}

bool IsClick(POINT press, POINT release) {
    const long long dx = release.x - press.x;
    const long long dy = release.y - press.y;
    return dx * dx + dy * dy <= static_cast<long long>(kClickTolerance) * kClickTolerance;
}

RECT SpannedRect(POINT a, POINT b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT LabelRect(const RECT& selection, int textWidth) {
    const LONG top = selection.top < kLabelHeight ? selection.top : selection.top - kLabelHeight;
    return {selection.left, top, selection.left + textWidth, top + kLabelHeight};
}

RECT ClippedTo(const RECT& rect, const RECT& area) {
    RECT clipped = {};
    IntersectRect(&clipped, &rect, &area);
    return clipped;
}
