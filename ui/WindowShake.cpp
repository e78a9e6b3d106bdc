#include "ui/WindowShake.h"

#include <initializer_list>

namespace {

constexpr int kShakes = 3;
constexpr int kShakeOffset = 8;  // pixels to each side
constexpr DWORD kShakeStepMs = 30;

}  // namespace

void ShakeWindow(HWND window) {
    RECT place = {};
    if (!GetWindowRect(window, &place)) return;
    const UINT flags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    for (int shake = 0; shake < kShakes; ++shake) {
        for (int offset : {-kShakeOffset, kShakeOffset}) {
            SetWindowPos(window, nullptr, place.left + offset, place.top, 0, 0, flags);
            Sleep(kShakeStepMs);
        }
    }
    SetWindowPos(window, nullptr, place.left, place.top, 0, 0, flags);
}
