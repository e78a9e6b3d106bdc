#include "platform/uilib/layout/AnimationTabLayoutUI.h"

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"

namespace {
constexpr UINT kSlideTimer = 0x2001;
// 150 ms at about 60 frames a second; the page starts a fifth of the width
// away, far enough to read as movement and short enough not to delay work.
constexpr DWORD kSlideDuration = 150;
constexpr UINT kFrameInterval = 15;
constexpr int kSlideFraction = 5;
}  // namespace

std::wstring CAnimationTabLayoutUI::GetClass() const { return L"AnimationTabLayout"; }

bool CAnimationTabLayoutUI::SelectItem(int index) {
    int previous = selected_;
    if (!CTabLayoutUI::SelectItem(index)) {
        return false;
    }
    if (!animate_ || previous < 0 || previous == index || !manager_ ||
        !manager_->GetPaintWindow() || !IsWindowVisible(manager_->GetPaintWindow())) {
        return true;
    }
    direction_ = index > previous ? 1 : -1;
    startTick_ = GetTickCount();
    animating_ = manager_->SetTimer(this, kSlideTimer, kFrameInterval);
    return true;
}

int CAnimationTabLayoutUI::CurrentOffset() const {
    if (!animating_) {
        return 0;
    }
    DWORD elapsed = GetTickCount() - startTick_;
    if (elapsed >= kSlideDuration) {
        return 0;
    }
    // Ease out: fast at first, settling at the end.
    double remaining = 1.0 - static_cast<double>(elapsed) / kSlideDuration;
    int distance = (pos_.right - pos_.left) / kSlideFraction;
    return static_cast<int>(direction_ * distance * remaining * remaining);
}

void CAnimationTabLayoutUI::SetPos(RECT rect, bool needInvalidate) {
    CTabLayoutUI::SetPos(rect, needInvalidate);
    int offset = CurrentOffset();
    CControlUI* page = GetItemAt(selected_);
    if (offset == 0 || !page || page->IsFloat()) {
        return;
    }
    RECT shifted = page->GetPos();
    OffsetRect(&shifted, offset, 0);
    page->SetPos(shifted, false);
}

void CAnimationTabLayoutUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_TIMER && event.wParam == kSlideTimer) {
        if (CurrentOffset() == 0) {
            animating_ = false;
            manager_->KillTimer(this, kSlideTimer);
        }
        SetPos(pos_, false);
        Invalidate();
        return;
    }
    CTabLayoutUI::DoEvent(event);
}

void CAnimationTabLayoutUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    if (std::wstring_view(name) == L"animation") {
        animate_ = ParseBool(value);
    } else {
        CTabLayoutUI::SetAttribute(name, value);
    }
}
