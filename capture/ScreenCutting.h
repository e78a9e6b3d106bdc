#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/CaptureGeometry.h"
#include "common/Win32Handles.h"

class CDPI;
class FrozenScreen;

// Cutting a picture out of the screen: a topmost overlay over the primary
// monitor shows a darkened still of the screen with the window under the
// mouse lit up. A click takes that window, a drag takes the rectangle
// dragged (with its size shown above it); the clean part of the still is
// saved as a JPEG file and the owner told with WM_SCREENCUT_DONE. Escape or
// the right button cancel. The overlay is modeless: its messages come
// through the thread's message loop, on the UI thread.
class CScreenCutting {
public:
    static constexpr const wchar_t* kWindowClass = L"ScreenCuttingWnd";
    static constexpr ULONG kJpegQuality = 60;

    // folder: where captures are saved (made when missing); the tips follow
    // the size while dragging, the table tip while Tab is held.
    CScreenCutting(std::wstring folder, std::wstring normalTip, std::wstring tableTip);
    // Closes an open overlay, deletes the last capture and empties the
    // capture folder.
    ~CScreenCutting();
    CScreenCutting(const CScreenCutting&) = delete;
    CScreenCutting& operator=(const CScreenCutting&) = delete;

    // The UI scale the size label is measured in; may be null.
    void SetScreenScale(const CDPI* scale) { scale_ = scale; }

    // Hides owner, lets it leave the screen and opens the overlay with the
    // keyboard focus. When the overlay can not be made the owner is shown
    // again and false returned.
    bool Start(HWND owner);
    // The overlay while a capture goes on, else null.
    HWND Window() const { return window_; }
    // The last picture saved; empty before the first.
    const std::wstring& SavedPath() const { return savedPath_; }

private:
    std::wstring folder_;
    std::wstring normalTip_;
    std::wstring tableTip_;
    const CDPI* scale_ = nullptr;
    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    RECT monitor_ = {};
    std::unique_ptr<FrozenScreen> still_;
    std::vector<CaptureCandidate> candidates_;
    // The lit window, overlay coordinates; empty when none.
    RECT hover_ = {};
    POINT press_ = {};
    bool dragging_ = false;
    std::wstring savedPath_;
    HCURSOR cursor_;
    GdiObject<HPEN> highlightPen_;
    GdiObject<HPEN> selectionPen_;
    GdiObject<HFONT> labelFont_;

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnDestroy();
    void OnMouseMove(POINT point);
    void OnLeftButtonUp(POINT point);
    void OnCaptureLost();
    // The window under point (overlay coordinates), in overlay coordinates.
    RECT WindowAt(POINT point) const;
    POINT CursorInOverlay() const;

    // Views (ScreenCuttingViews.cpp).
    // The darkened still with the lit window, as the paint message asks.
    void PaintHoverView(HDC dc);
    // The darkened still with the rectangle from the press point to point,
    // drawn straight to the window.
    void DrawDragView(POINT point);
    void DrawSizeLabel(HDC dc, const RECT& selection);

    // Saves selection (overlay coordinates) of the clean still and tells
    // the owner; false when nothing was saved.
    bool SaveSelection(const RECT& selection);
};
