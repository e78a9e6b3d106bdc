#include "platform/uilib/core/ContainerUI.h"

#include <algorithm>

#include "platform/uilib/controls/ScrollBarUI.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    for (CControlUI* item : items_) {
        delete item;
    }
    delete verticalScrollBar_;
}

std::wstring CContainerUI::GetClass() const { return L"Container"; }

CControlUI* CContainerUI::GetItemAt(int index) const {
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return items_[index];
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    auto found = std::find(items_.begin(), items_.end(), control);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* control, int index) {
    int current = GetItemIndex(control);
    if (current < 0 || index < 0 || index >= GetCount()) {
        return false;
    }
    items_.erase(items_.begin() + current);
    items_.insert(items_.begin() + index, control);
    NeedUpdate();
    return true;
}

bool CContainerUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (!control || index < 0 || index > GetCount()) {
        return false;
    }
    items_.insert(items_.begin() + index, control);
    control->SetInternVisible(IsVisible());
    control->SetManager(manager_, this, manager_ != nullptr);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
    return RemoveAt(GetItemIndex(control), doNotDestroy);
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
    CControlUI* control = GetItemAt(index);
    if (!control) {
        return false;
    }
    items_.erase(items_.begin() + index);
    control->SetInternVisible(false);
    if (doNotDestroy) {
        if (manager_) {
            manager_->ForgetControl(control);
        }
        control->SetManager(nullptr, nullptr, false);
    } else if (manager_) {
        manager_->AddDelayedCleanup(control);
    } else {
        delete control;
    }
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    while (!items_.empty()) {
        RemoveAt(GetCount() - 1);
    }
    SetScrollPos(0);
}

CControlUI* CContainerUI::FindSubControlByName(LPCTSTR name) {
    if (!name) {
        return nullptr;
    }
    std::wstring_view wanted = name;
    for (CControlUI* item : items_) {
        CControlUI* found =
            item->FindFirst([wanted](CControlUI* control) { return control->GetName() == wanted; });
        if (found) {
            return found;
        }
    }
    return nullptr;
}

RECT CContainerUI::GetInset() const { return Dpi().Scale(inset_); }

void CContainerUI::SetInset(RECT inset) {
    inset_ = inset;
    NeedUpdate();
}

int CContainerUI::GetChildPadding() const { return Scaled(childPadding_); }

void CContainerUI::SetChildPadding(int padding) {
    childPadding_ = std::max(padding, 0);
    NeedUpdate();
}

void CContainerUI::EnableScrollBar(bool vertical) {
    if (vertical == (verticalScrollBar_ != nullptr)) {
        return;
    }
    if (vertical) {
        verticalScrollBar_ = new CScrollBarUI;
        verticalScrollBar_->SetScrollHandler([this](int position) { SetScrollPos(position); });
        verticalScrollBar_->SetVisible(false);
        verticalScrollBar_->SetManager(manager_, this, manager_ != nullptr);
    } else {
        if (manager_) {
            manager_->AddDelayedCleanup(verticalScrollBar_);
        } else {
            delete verticalScrollBar_;
        }
        verticalScrollBar_ = nullptr;
        scrollPos_ = 0;
    }
    NeedUpdate();
}

void CContainerUI::SetScrollPos(int position) {
    position = std::clamp(position, 0, scrollRange_);
    if (position == scrollPos_) {
        return;
    }
    scrollPos_ = position;
    if (verticalScrollBar_) {
        verticalScrollBar_->SetScrollPos(position);
    }
    // Children move without any size change: place them again at once.
    SetPos(pos_, false);
    Invalidate();
}

void CContainerUI::EnsureVisible(CControlUI* control) {
    if (!control || scrollRange_ == 0) {
        return;
    }
    RECT client = ClientRect();
    const RECT& item = control->GetPos();
    if (item.top < client.top) {
        SetScrollPos(scrollPos_ - (client.top - item.top));
    } else if (item.bottom > client.bottom) {
        SetScrollPos(scrollPos_ + (item.bottom - client.bottom));
    }
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    for (CControlUI* item : items_) {
        item->SetManager(manager, this, init);
    }
    if (verticalScrollBar_) {
        verticalScrollBar_->SetManager(manager, this, init);
    }
    CControlUI::SetManager(manager, parent, init);
}

CControlUI* CContainerUI::FindFirst(const std::function<bool(CControlUI*)>& match) {
    if (match(this)) {
        return this;
    }
    for (CControlUI* item : items_) {
        if (CControlUI* found = item->FindFirst(match)) {
            return found;
        }
    }
    return nullptr;
}

CControlUI* CContainerUI::FindControlAt(POINT point) {
    if (!IsVisible() || !PtInRect(&pos_, point)) {
        return nullptr;
    }
    if (verticalScrollBar_ && verticalScrollBar_->IsVisible()) {
        if (CControlUI* found = verticalScrollBar_->FindControlAt(point)) {
            return found;
        }
    }
    // The last child is painted last, so it is on top.
    for (auto item = items_.rbegin(); item != items_.rend(); ++item) {
        if (CControlUI* found = (*item)->FindControlAt(point)) {
            return found;
        }
    }
    return mouseEnabled_ ? this : nullptr;
}

void CContainerUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    for (CControlUI* item : items_) {
        item->SetInternVisible(IsVisible());
    }
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    for (CControlUI* item : items_) {
        item->SetInternVisible(IsVisible());
    }
}

RECT CContainerUI::ClientRect() const {
    RECT inset = GetInset();
    RECT client = {pos_.left + inset.left, pos_.top + inset.top, pos_.right - inset.right,
                   pos_.bottom - inset.bottom};
    if (verticalScrollBar_ && verticalScrollBar_->IsVisible()) {
        client.right -= verticalScrollBar_->GetFixedWidth();
    }
    return client;
}

void CContainerUI::PlaceFloatChild(CControlUI* child, const RECT& client) {
    RECT pos = Dpi().Scale(child->GetFloatPos());
    RECT rect = {client.left + pos.left, client.top + pos.top, client.left + pos.right,
                 client.top + pos.bottom};
    if (child->GetFixedWidth() > 0) {
        rect.right = rect.left + child->GetFixedWidth();
    }
    if (child->GetFixedHeight() > 0) {
        rect.bottom = rect.top + child->GetFixedHeight();
    }
    child->SetPos(rect, false);
}

void CContainerUI::UpdateScrollRange(int contentHeight, int visibleHeight) {
    if (!verticalScrollBar_) {
        return;
    }
    scrollRange_ = std::max(0, contentHeight - visibleHeight);
    scrollPos_ = std::min(scrollPos_, scrollRange_);
    verticalScrollBar_->SetScrollRange(scrollRange_, visibleHeight);
    verticalScrollBar_->SetScrollPos(scrollPos_);
    verticalScrollBar_->SetVisible(scrollRange_ > 0);
    if (scrollRange_ > 0) {
        RECT inset = GetInset();
        int width = verticalScrollBar_->GetFixedWidth();
        verticalScrollBar_->SetPos(RECT{pos_.right - inset.right - width, pos_.top + inset.top,
                                        pos_.right - inset.right, pos_.bottom - inset.bottom},
                                   false);
    }
}

void CContainerUI::SetPos(RECT rect, bool needInvalidate) {
    CControlUI::SetPos(rect, needInvalidate);
    RECT client = ClientRect();
    for (CControlUI* item : items_) {
        if (!item->IsVisible()) {
            continue;
        }
        if (item->IsFloat()) {
            PlaceFloatChild(item, client);
            continue;
        }
        RECT padding = item->GetPadding();
        item->SetPos(RECT{client.left + padding.left, client.top + padding.top,
                          client.right - padding.right, client.bottom - padding.bottom},
                     false);
    }
}

void CContainerUI::DoPaint(HDC hDC, const RECT& paint) {
    RECT overlap;
    if (!IntersectRect(&overlap, &paint, &pos_)) {
        return;
    }
    CControlUI::DoPaint(hDC, paint);
    int saved = SaveDC(hDC);
    RECT inset = GetInset();
    RECT clip = {pos_.left + inset.left, pos_.top + inset.top, pos_.right - inset.right,
                 pos_.bottom - inset.bottom};
    IntersectRect(&clip, &clip, &overlap);
    IntersectClipRect(hDC, clip.left, clip.top, clip.right, clip.bottom);
    for (CControlUI* item : items_) {
        if (item->IsVisible()) {
            item->DoPaint(hDC, clip);
        }
    }
    RestoreDC(hDC, saved);
    if (verticalScrollBar_ && verticalScrollBar_->IsVisible()) {
        verticalScrollBar_->DoPaint(hDC, overlap);
    }
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL && verticalScrollBar_ && scrollRange_ > 0) {
        // One notch (120) scrolls three lines of about 20 pixels.
        int delta = GET_WHEEL_DELTA_WPARAM(event.wParam);
        SetScrollPos(scrollPos_ - delta * Scaled(60) / WHEEL_DELTA);
        return;
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"inset") {
        SetInset(ParseRect(value));
    } else if (key == L"childpadding") {
        SetChildPadding(ParseInt(value));
    } else if (key == L"vscrollbar") {
        EnableScrollBar(ParseBool(value));
    } else if (key == L"vscrollbarstyle") {
        EnableScrollBar(true);
        verticalScrollBar_->ApplyAttributeList(value);
    } else if (key == L"mousechild") {
        for (CControlUI* item : items_) {
            item->SetMouseEnabled(ParseBool(value));
        }
    } else {
        CControlUI::SetAttribute(name, value);
    }
}
