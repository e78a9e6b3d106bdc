#include "ui/dialogs/ThinScrollBar.h"

namespace {

constexpr int kWidth = 12;

}  // namespace

void StyleThinScrollBar(CScrollBarUI* bar, const std::wstring& strip) {
    if (!bar) return;
    bar->SetShowButton1(false);
    bar->SetShowButton2(false);
    bar->SetFixedWidth(kWidth);
    const auto state = [&strip](int left) {
        return L"file='" + strip + L"' source='" + std::to_wstring(left) + L",0," +
               std::to_wstring(left + 12) + L",21' corner='2,2,2,2'";
    };
    bar->SetThumbNormalImage(state(0).c_str());
    bar->SetThumbHotImage(state(12).c_str());
    bar->SetThumbPushedImage(state(24).c_str());
}
