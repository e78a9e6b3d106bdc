#include "platform/uilib/window/ShadowWnd.h"

#include "common/Win32Handles.h"
#include "platform/uilib/render/DibSection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr wchar_t kShadowClass[] = L"PimloUIShadow";
// The darkest alpha right at the window's edge; the shadow fades to 0.
constexpr double kEdgeAlpha = 60.0;

bool RegisterShadowClass() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kShadowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Distance from p to the inner rectangle [inner0, inner1) along one axis.
int Outside(int p, int inner0, int inner1) {
    if (p < inner0) {
        return inner0 - p;
    }
    if (p >= inner1) {
        return p - inner1 + 1;
    }
    return 0;
}

// Whether the desktop blends windows with what lies below them. Without
// that, a window system may show a layered window's transparent pixels as
// black and is not bound to keep it below its owner, so the shadow would
// hide the window it belongs to. Systems without the question (before
// Vista) blend layered windows themselves.
bool DesktopBlendsWindows() {
    using IsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    auto isEnabled = dwm ? reinterpret_cast<IsCompositionEnabled>(reinterpret_cast<void*>(
                               GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                         : nullptr;
    BOOL enabled = TRUE;
    if (isEnabled && FAILED(isEnabled(&enabled))) enabled = TRUE;
    return enabled != FALSE;
}

}  // namespace

ShadowWnd::~ShadowWnd() { Destroy(); }

bool ShadowWnd::Create(HWND owner, int size) {
    Destroy();
    if (size <= 0 || !DesktopBlendsWindows() || !RegisterShadowClass()) {
        return false;
    }
    owner_ = owner;
    size_ = size;
    shadow_ = CreateWindowExW(
        WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kShadowClass, L"",
        WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    Update();
    return shadow_ != nullptr;
}

void ShadowWnd::Destroy() {
    if (shadow_) {
        DestroyWindow(shadow_);
        shadow_ = nullptr;
    }
    painted_ = {0, 0};
}

void ShadowWnd::Update() {
    if (!shadow_) {
        return;
    }
    if (!IsWindowVisible(owner_) || IsIconic(owner_) || IsZoomed(owner_)) {
        ShowWindow(shadow_, SW_HIDE);
        return;
    }
    RECT window;
    GetWindowRect(owner_, &window);
    int width = window.right - window.left + 2 * size_;
    int height = window.bottom - window.top + 2 * size_;
    if (painted_.cx != width || painted_.cy != height) {
        Paint(width, height);
    }
    SetWindowPos(shadow_, owner_, window.left - size_, window.top - size_, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void ShadowWnd::Paint(int width, int height) {
    void* bits = nullptr;
    WindowDc screen(nullptr);
    GdiObject<HBITMAP> bitmap(CreateTopDownDib(screen.get(), width, height, &bits));
    OwnedDc memory(CreateCompatibleDC(screen.get()));
    if (!screen || !bitmap || !memory) {
        return;
    }
    DrawShadow(static_cast<uint32_t*>(bits), width, height);
    SelectedObject selected(memory.get(), bitmap.get());
    POINT source = {0, 0};
    SIZE size = {width, height};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(shadow_, screen.get(), nullptr, &size, memory.get(), &source, 0, &blend,
                        ULW_ALPHA);
    painted_ = size;
}

void ShadowWnd::DrawShadow(uint32_t* pixels, int width, int height) const {
    for (int y = 0; y < height; ++y) {
        int dy = Outside(y, size_, height - size_);
        for (int x = 0; x < width; ++x) {
            int dx = Outside(x, size_, width - size_);
            uint32_t alpha = 0;
            if (dx != 0 || dy != 0) {
                double distance = std::min(1.0, std::hypot(dx, dy) / size_);
                double fade = 1.0 - distance;
                alpha = static_cast<uint32_t>(kEdgeAlpha * fade * fade);
            }
            // Black, premultiplied: only alpha is non-zero.
            pixels[y * width + x] = alpha << 24;
        }
    }
}
