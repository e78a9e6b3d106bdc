#pragma once

#include "platform/uilib/controls/EditUI.h"

class CScrollBarUI;

// Multi-line text in a native rich edit (plain text), with the library's
// own vertical scroll bar beside it so that the bar can be styled
// (GetVerticalScrollBar: arrows hidden, width, thumb images).
class UILIB_API CRichEditUI : public CEditUI {
public:
    CRichEditUI();
    ~CRichEditUI() override;

    std::wstring GetClass() const override;

    CScrollBarUI* GetVerticalScrollBar() const { return scrollBar_; }
    bool WantsTab() const override { return wantTab_; }
    void SetWantTab(bool want) { wantTab_ = want; }
    void SetWantReturn(bool want);

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindControlAt(POINT point) override;
    bool HandleNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void SetPos(RECT rect, bool needInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT& paint) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    LPCWSTR NativeClass() const override;
    DWORD NativeStyle() const override;
    void OnNativeCreated() override;
    RECT NativeRect() const override;

private:
    // Scrolling in pixels: the text's top above the box, the most it can
    // be, the box's height and a line's.
    struct ScrollMetrics {
        int position = 0;
        int range = 0;
        int page = 1;
        int lineHeight = 1;
    };
    ScrollMetrics MeasureScroll() const;
    // Shows the bar while the text is taller than the box and moves it
    // with the text.
    void SyncScrollBar();
    void ScrollTo(int position);
    // Inserts the clipboard's Unicode text over the selection, undoably.
    void PastePlainText();
    bool OnNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    CScrollBarUI* scrollBar_;
    bool wantTab_ = false;
    bool wantReturn_ = true;
    bool syncing_ = false;
};
