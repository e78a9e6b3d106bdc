// What the capture overlay shows: the darkened still with the lit window
// while hovering, and the dragged rectangle with its size while dragging.
// Each view is composed on the still's canvas and sent in one transfer.
#include <cstdio>
#include <iterator>

#include "capture/FrozenScreen.h"
#include "capture/ScreenCutting.h"
#include "platform/uilib/core/DPI.h"

namespace {

// The text of the size label: width×height, two spaces, the tip.
std::wstring SizeText(const RECT& selection, const std::wstring& tip) {
    wchar_t size[48] = {};
    std::swprintf(size, std::size(size), L"%ld\u00D7%ld  ", selection.right - selection.left,
                  selection.bottom - selection.top);
    return size + tip;
}

// Outlines rect with pen, filling nothing.
void Outline(HDC dc, HPEN pen, const RECT& rect) {
    SelectedObject selectedPen(dc, pen);
    SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

}  // namespace

void CScreenCutting::PaintHoverView(HDC dc) {
    HDC canvas = still_ ? still_->BeginView() : nullptr;
    if (!canvas) return;
    if (!IsEmptyArea(hover_)) {
        still_->ShowClean(hover_);
        Outline(canvas, highlightPen_.get(), hover_);
    }
    still_->Present(dc);
}

void CScreenCutting::DrawDragView(POINT point) {
    HDC canvas = still_ ? still_->BeginView() : nullptr;
    if (!canvas) return;
    const RECT selection = SpannedRect(press_, point);
    if (!IsEmptyArea(selection)) {
        still_->ShowClean(selection);
        Outline(canvas, selectionPen_.get(), selection);
        DrawSizeLabel(canvas, selection);
    }
    WindowDc window(window_);
    if (window) still_->Present(window.get());
}

void CScreenCutting::DrawSizeLabel(HDC dc, const RECT& selection) {
    const bool table = GetAsyncKeyState(VK_TAB) < 0;
    const std::wstring text = SizeText(selection, table ? tableTip_ : normalTip_);
    SelectedObject font(dc, labelFont_.get());
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const RECT label = LabelRect(selection, scale_ ? scale_->Scale(extent.cx) : extent.cx);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, OPAQUE);
    const int top = label.top + (label.bottom - label.top - extent.cy) / 2;
    ExtTextOutW(dc, label.left, top, ETO_OPAQUE | ETO_CLIPPED, &label, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
}
