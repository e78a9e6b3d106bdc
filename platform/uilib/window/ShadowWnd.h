#pragma once

#include <windows.h>

#include <cstdint>

// A soft drop shadow around a borderless window: a layered, click-through
// window just below it in the z-order, as large as the window plus the
// shadow size on every side, following it as it moves, sizes, shows and hides.
// Only where the desktop blends windows (see Create).
class ShadowWnd {
public:
    ShadowWnd() = default;
    ~ShadowWnd();
    ShadowWnd(const ShadowWnd&) = delete;
    ShadowWnd& operator=(const ShadowWnd&) = delete;

    // False, and no shadow, when the desktop does not blend windows.
    bool Create(HWND owner, int size);
    // Called by the owner after it moved, sized, showed or hid.
    void Update();
    void Destroy();

private:
    void Paint(int width, int height);
    // Premultiplied black pixels (top-down, width x height) fading out from the window's edge.
    void DrawShadow(uint32_t* pixels, int width, int height) const;

    HWND owner_ = nullptr;
    HWND shadow_ = nullptr;
    int size_ = 0;
    SIZE painted_ = {0, 0};
};
