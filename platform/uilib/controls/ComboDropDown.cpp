#include "platform/uilib/controls/ComboDropDown.h"

#include <windowsx.h>

#include <algorithm>

#include "common/Win32Handles.h"
#include "platform/uilib/controls/ComboUI.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

namespace {
constexpr wchar_t kDropDownClass[] = L"PimloUIComboDropDown";
}

ComboDropDown::~ComboDropDown() { Close(); }

void ComboDropDown::Show(CComboUI* combo) {
    Close();
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_DROPSHADOW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = CPaintManagerUI::GetInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kDropDownClass;
    RegisterClassExW(&windowClass);

    combo_ = combo;
    HWND owner = combo->GetManager()->GetPaintWindow();
    RECT pos = combo->GetPos();
    itemHeight_ = pos.bottom - pos.top;
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&pos), 2);
    int height = itemHeight_ * combo->GetCount() + 2;
    hot_ = combo->GetCurSel();
    hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kDropDownClass, L"", WS_POPUP,
                            pos.left, pos.bottom, pos.right - pos.left, height, owner, nullptr,
                            CPaintManagerUI::GetInstance(), this);
    if (hwnd_) {
        // The list takes the keyboard, so Escape closes it and not the
        // window under it.
        ShowWindow(hwnd_, SW_SHOW);
        SetFocus(hwnd_);
        SetCapture(hwnd_);
    }
}

void ComboDropDown::Close() {
    if (!hwnd_) {
        return;
    }
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    if (GetCapture() == hwnd) {
        ReleaseCapture();
    }
    DestroyWindow(hwnd);
}

LRESULT CALLBACK ComboDropDown::Procedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ComboDropDown*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->hwnd_ != hwnd) {
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
    return self->Handle(uMsg, wParam, lParam);
}

int ComboDropDown::ItemAt(LPARAM lParam) const {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!PtInRect(&client, point) || itemHeight_ <= 0) {
        return -1;
    }
    int index = (point.y - 1) / itemHeight_;
    return index < combo_->GetCount() ? index : -1;
}

void ComboDropDown::Choose(int index) {
    CComboUI* combo = combo_;
    Close();
    if (index >= 0) {
        combo->SelectItem(index);
    }
}

void ComboDropDown::OnKey(WPARAM key) {
    switch (key) {
        case VK_ESCAPE:
            Close();
            return;
        case VK_RETURN:
            Choose(hot_);
            return;
        case VK_UP:
        case VK_DOWN: {
            int next = hot_ + (key == VK_DOWN ? 1 : -1);
            hot_ = std::max(0, std::min(next, combo_->GetCount() - 1));
            InvalidateRect(hwnd_, nullptr, FALSE);
            return;
        }
        default:
            return;
    }
}

LRESULT ComboDropDown::Handle(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEMOVE: {
            int index = ItemAt(lParam);
            if (index != hot_ && index >= 0) {
                hot_ = index;
                InvalidateRect(hwnd_, nullptr, FALSE);
            }
            return 0;
        }
        case WM_LBUTTONUP:
            Choose(ItemAt(lParam));
            return 0;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        case WM_KILLFOCUS:
            Close();
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) {
                Close();
            }
            return 0;
        default:
            return DefWindowProcW(hwnd_, uMsg, wParam, lParam);
    }
}

void ComboDropDown::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT client;
    GetClientRect(hwnd_, &client);
    // Drawn off screen first, so the list never shows half painted.
    OwnedDc memory(CreateCompatibleDC(dc));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && bitmap) {
        SelectedObject selected(memory.get(), bitmap.get());
        DrawList(memory.get(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd_, &paint);
}

void ComboDropDown::DrawList(HDC dc, const RECT& client) {
    CPaintManagerUI* manager = combo_->GetManager();
    CRenderEngine::DrawColor(dc, client, 0xFFFFFFFF);
    for (int i = 0; i < combo_->GetCount(); ++i) {
        RECT row = {1, 1 + i * itemHeight_, client.right - 1, 1 + (i + 1) * itemHeight_};
        if (i == hot_) {
            CRenderEngine::DrawColor(dc, row, 0xFFE6EEFA);
        }
        RECT text = {row.left + manager->GetDPI().Scale(6), row.top, row.right, row.bottom};
        std::wstring label = combo_->GetItemAt(i)->GetText();
        if (combo_->IsItemShowHtml()) {
            CRenderEngine::DrawHtmlText(dc, manager, text, label.c_str(), combo_->GetTextColor(),
                                        combo_->GetFont(), DT_SINGLELINE | DT_VCENTER);
        } else {
            CRenderEngine::DrawText(dc, manager, text, label.c_str(), combo_->GetTextColor(),
                                    combo_->GetFont(), DT_SINGLELINE | DT_VCENTER);
        }
    }
    CRenderEngine::DrawRect(dc, client, 1, 0xFFD5DAE1);
}
