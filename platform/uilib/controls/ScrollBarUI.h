#pragma once

#include <functional>

#include "platform/uilib/core/ControlUI.h"

// A vertical scroll bar drawn by the library, for scrolling containers and
// the rich edit. The arrow buttons can be hidden; the thumb has normal, hot
// and pushed images (nine-grid "corner" keeps its ends sharp).
class UILIB_API CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();

    std::wstring GetClass() const override;

    // Called with the new position when the user moves the bar.
    void SetScrollHandler(std::function<void(int)> handler);
    // range: largest position; page: the visible amount in the same units.
    void SetScrollRange(int range, int page);
    int GetScrollRange() const { return range_; }
    void SetScrollPos(int position);
    int GetScrollPos() const { return position_; }
    void SetLineSize(int size) { lineSize_ = size; }

    void SetShowButton1(bool show);
    void SetShowButton2(bool show);
    void SetThumbNormalImage(LPCTSTR image);
    void SetThumbHotImage(LPCTSTR image);
    void SetThumbPushedImage(LPCTSTR image);
    void SetThumbColor(DWORD color);
    RECT GetThumbRect() const;

    void DoEvent(TEventUI& event) override;
    void DoPaint(HDC hDC, const RECT& paint) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

private:
    RECT TrackRect() const;
    void MoveTo(int position);
    void DrawPart(HDC hDC, const RECT& rect, const std::wstring& image, DWORD color);

    std::function<void(int)> handler_;
    int range_ = 0;
    int page_ = 1;
    int position_ = 0;
    int lineSize_ = 20;
    bool showButton1_ = true;
    bool showButton2_ = true;
    std::wstring thumbNormalImage_;
    std::wstring thumbHotImage_;
    std::wstring thumbPushedImage_;
    DWORD thumbColor_ = 0xFFC4CAD3;
    DWORD thumbHotColor_ = 0xFFA9B1BD;
    bool thumbHot_ = false;
    bool dragging_ = false;
    int dragStartY_ = 0;
    int dragStartPosition_ = 0;
};
