#pragma once

#include <windows.h>

#include <optional>

#include "common/Win32Handles.h"

// The still of the monitor that the capture overlay shows: a clean copy of
// the screen, a darkened twin of it (a DIB block) painted as background, and
// a canvas of the same size where every view is composed before it goes to
// the window in one transfer, so the screen never flickers.
class FrozenScreen {
public:
    // Copies the monitor area of the screen now.
    explicit FrozenScreen(const RECT& monitor);
    ~FrozenScreen();
    FrozenScreen(const FrozenScreen&) = delete;
    FrozenScreen& operator=(const FrozenScreen&) = delete;

    // False when the screen could not be copied: nothing can be shown or saved.
    bool Taken() const { return darkened_ != nullptr && canvasDc_ != nullptr; }
    // The still's area in overlay coordinates: (0, 0) to its size.
    RECT Area() const { return {0, 0, width_, height_}; }

    // Starts a view: the darkened still over the whole canvas. The canvas's
    // device context, to draw more on; null when nothing was copied.
    HDC BeginView();
    // Draws the clean still over area of the canvas.
    void ShowClean(const RECT& area);
    // Copies the canvas to dc (the window's).
    void Present(HDC dc) const;
    // A new bitmap holding area of the clean still; null when there is none.
    HBITMAP CopyClean(const RECT& area) const;

private:
    int width_ = 0;
    int height_ = 0;
    GdiObject<HBITMAP> clean_;
    OwnedDc cleanDc_;
    std::optional<SelectedObject> cleanSelected_;
    HANDLE darkened_ = nullptr;
    GdiObject<HBITMAP> canvas_;
    OwnedDc canvasDc_;
    std::optional<SelectedObject> canvasSelected_;
};
