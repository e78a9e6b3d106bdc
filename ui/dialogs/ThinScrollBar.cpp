#include "ui/dialogs/ThinScrollBar.h"

namespace {

constexpr int kWidth = 12;

}  // namespace

void StyleThinScrollBar(CScrollBarUI* bar) {
    if (!bar) return;
    bar->SetShowButton1(false);
    bar->SetShowButton2(false);
    bar->SetFixedWidth(kWidth);
    bar->SetThumbNormalImage(
        L"file='../default/button/scroll.png' source='0,0,12,21' corner='2,2,2,2'");
    bar->SetThumbHotImage(
        L"file='../default/button/scroll.png' source='12,0,24,21' corner='2,2,2,2'");
    bar->SetThumbPushedImage(
        L"file='../default/button/scroll.png' source='24,0,36,21' corner='2,2,2,2'");
}
