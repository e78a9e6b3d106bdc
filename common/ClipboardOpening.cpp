#include "common/ClipboardOpening.h"

namespace {

constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 25;

}  // namespace

bool OpenClipboardWhenFree(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner)) return true;
        if (attempt == kOpenAttempts) return false;
        Sleep(kOpenRetryMs);
    }
}
