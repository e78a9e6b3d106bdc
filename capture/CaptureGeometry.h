#pragma once

#include <windows.h>

#include <vector>

// The rules of the capture overlay that need no screen: which rectangle a
// window offers, which one lies under the mouse, whether the user clicked
// or dragged, and where the size label goes.

// A window the user may take, with the rectangle it offers (screen pixels).
struct CaptureCandidate {
    HWND window;
    RECT rect;
};

// Press and release at most this far apart (straight line) make a click.
inline constexpr int kClickTolerance = 8;
// The size label's height: it stands on the selection unless that leaves
// less room above it than this.
inline constexpr int kLabelHeight = 32;

// What a top-level window offers: its client area on the screen, but from
// the top of its frame (caption included, resize borders not), kept inside
// the monitor.
RECT TopLevelCaptureRect(const RECT& clientOnScreen, const RECT& windowRect, const RECT& monitor);

// The first candidate whose rectangle holds point; an empty rectangle when
// none does. Windows are listed inside-out, so this is the innermost one.
RECT HitTest(const std::vector<CaptureCandidate>& candidates, POINT point);

// True when press and release are close enough to be a click, not a drag.
bool IsClick(POINT press, POINT release);

// The rectangle with corners a and b, left <= right and top <= bottom.
RECT SpannedRect(POINT a, POINT b);

// The label box of a selection (overlay coordinates) whose text is
// textWidth wide: on top of the selection from its left edge, or inside it
// from its top edge down when the selection starts too near the top.
RECT LabelRect(const RECT& selection, int textWidth);

// The part of rect inside area; empty (all zero) when they do not meet.
RECT ClippedTo(const RECT& rect, const RECT& area);

inline bool IsEmptyArea(const RECT& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}
