#include "platform/uilib/controls/ScrollBarUI.h"

#include <algorithm>

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

namespace {
// Arrow buttons are square; a thumb never gets shorter than this, so it can
// still be grabbed in a long text.
constexpr int kMinThumbLength = 20;
}  // namespace

CScrollBarUI::CScrollBarUI() { fixed_.cx = 12; }

std::wstring CScrollBarUI::GetClass() const { return L"ScrollBar"; }

void CScrollBarUI::SetScrollHandler(std::function<void(int)> handler) {
    handler_ = std::move(handler);
}

void CScrollBarUI::SetScrollRange(int range, int page) {
    range_ = std::max(range, 0);
    page_ = std::max(page, 1);
    position_ = std::min(position_, range_);
    Invalidate();
}

void CScrollBarUI::SetScrollPos(int position) {
    position = std::clamp(position, 0, range_);
    if (position != position_) {
        position_ = position;
        Invalidate();
    }
}

void CScrollBarUI::SetShowButton1(bool show) {
    showButton1_ = show;
    Invalidate();
}

void CScrollBarUI::SetShowButton2(bool show) {
    showButton2_ = show;
    Invalidate();
}

void CScrollBarUI::SetThumbNormalImage(LPCTSTR image) { thumbNormalImage_ = image ? image : L""; }
void CScrollBarUI::SetThumbHotImage(LPCTSTR image) { thumbHotImage_ = image ? image : L""; }
void CScrollBarUI::SetThumbPushedImage(LPCTSTR image) { thumbPushedImage_ = image ? image : L""; }
void CScrollBarUI::SetThumbColor(DWORD color) { thumbColor_ = color; }

RECT CScrollBarUI::TrackRect() const {
    RECT track = pos_;
    int button = pos_.right - pos_.left;
    if (showButton1_) {
        track.top += button;
    }
    if (showButton2_) {
        track.bottom -= button;
    }
    return track;
}

RECT CScrollBarUI::GetThumbRect() const {
    RECT track = TrackRect();
    int trackLength = std::max(0L, track.bottom - track.top);
    int thumbLength = range_ == 0 ? trackLength : MulDiv(trackLength, page_, page_ + range_);
    thumbLength = std::min(trackLength, std::max(thumbLength, Scaled(kMinThumbLength)));
    int travel = trackLength - thumbLength;
    int offset = range_ == 0 ? 0 : MulDiv(travel, position_, range_);
    return RECT{track.left, track.top + offset, track.right, track.top + offset + thumbLength};
}

void CScrollBarUI::MoveTo(int position) {
    position = std::clamp(position, 0, range_);
    if (position == position_) {
        return;
    }
    position_ = position;
    Invalidate();
    if (handler_) {
        handler_(position_);
    }
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    RECT thumb = GetThumbRect();
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK: {
            RECT track = TrackRect();
            if (PtInRect(&thumb, event.ptMouse)) {
                dragging_ = true;
                dragStartY_ = event.ptMouse.y;
                dragStartPosition_ = position_;
            } else if (event.ptMouse.y < track.top) {
                MoveTo(position_ - lineSize_);
            } else if (event.ptMouse.y >= track.bottom) {
                MoveTo(position_ + lineSize_);
            } else if (event.ptMouse.y < thumb.top) {
                MoveTo(position_ - page_);
            } else {
                MoveTo(position_ + page_);
            }
            Invalidate();
            return;
        }
        case UIEVENT_MOUSEMOVE: {
            if (dragging_) {
                RECT track = TrackRect();
                int travel = (track.bottom - track.top) - (thumb.bottom - thumb.top);
                if (travel > 0) {
                    MoveTo(dragStartPosition_ +
                           MulDiv(event.ptMouse.y - dragStartY_, range_, travel));
                }
            }
            bool hot = PtInRect(&thumb, event.ptMouse) != FALSE;
            if (hot != thumbHot_) {
                thumbHot_ = hot;
                Invalidate();
            }
            return;
        }
        case UIEVENT_BUTTONUP:
            dragging_ = false;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            thumbHot_ = false;
            Invalidate();
            return;
        case UIEVENT_SCROLLWHEEL:
            MoveTo(position_ - GET_WHEEL_DELTA_WPARAM(event.wParam) * lineSize_ * 3 / WHEEL_DELTA);
            return;
        default:
            CControlUI::DoEvent(event);
    }
}

void CScrollBarUI::DrawPart(HDC hDC, const RECT& rect, const std::wstring& image, DWORD color) {
    if (!image.empty() && manager_ && CRenderEngine::DrawImageString(hDC, manager_, rect, image)) {
        return;
    }
    int radius = (rect.right - rect.left) / 2;
    CRenderEngine::FillRoundRect(hDC, rect, radius * 2, radius * 2, color);
}

void CScrollBarUI::DoPaint(HDC hDC, const RECT& paint) {
    RECT overlap;
    if (!IntersectRect(&overlap, &paint, &pos_)) {
        return;
    }
    CControlUI::DoPaint(hDC, paint);
    int button = pos_.right - pos_.left;
    if (showButton1_) {
        RECT up = {pos_.left, pos_.top, pos_.right, pos_.top + button};
        CRenderEngine::DrawColor(hDC, up, 0xFFE4E7EC);
    }
    if (showButton2_) {
        RECT down = {pos_.left, pos_.bottom - button, pos_.right, pos_.bottom};
        CRenderEngine::DrawColor(hDC, down, 0xFFE4E7EC);
    }
    RECT thumb = GetThumbRect();
    if (dragging_ && !thumbPushedImage_.empty()) {
        DrawPart(hDC, thumb, thumbPushedImage_, thumbHotColor_);
    } else if ((thumbHot_ || dragging_) && !thumbHotImage_.empty()) {
        DrawPart(hDC, thumb, thumbHotImage_, thumbHotColor_);
    } else {
        DrawPart(hDC, thumb, thumbNormalImage_,
                 thumbHot_ || dragging_ ? thumbHotColor_ : thumbColor_);
    }
}

void CScrollBarUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"showbutton1") {
        SetShowButton1(ParseBool(value));
    } else if (key == L"showbutton2") {
        SetShowButton2(ParseBool(value));
    } else if (key == L"thumbnormalimage") {
        SetThumbNormalImage(value);
    } else if (key == L"thumbhotimage") {
        SetThumbHotImage(value);
    } else if (key == L"thumbpushedimage") {
        SetThumbPushedImage(value);
    } else if (key == L"thumbcolor") {
        SetThumbColor(ParseColor(value));
    } else if (key == L"linesize") {
        SetLineSize(ParseInt(value));
    } else {
        CControlUI::SetAttribute(name, value);
    }
}
