#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/GdiplusSession.h"
#include "common/Win32Handles.h"
#include "platform/webengine/NavigationHistory.h"
#include "platform/webengine/WebView.h"

// The view used where the system's browser control cannot be created. It runs no scripts and
// fetches nothing: it draws our picture page's picture itself (fitted, zoomed, rotated by
// "butt()") and, for any other address, a notice with a link to the default browser.
class BuiltInView : public WebView {
public:
    // Null when the window cannot be created.
    static std::unique_ptr<BuiltInView> Create(HWND parent, const RECT& place);
    ~BuiltInView() override;

    void Move(int x, int y, int width, int height) override;
    void Show(bool show) override;
    void Load(const std::wstring& url) override;
    void RunScript(const std::wstring& script) override;
    bool GoBack() override;
    bool GoForward() override;
    void Reload() override;
    void SetZoom(float factor) override;
    void SetMemoryCache(bool) override {}

private:
    BuiltInView() = default;

    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Shows address (already in the history) and queues its loading finished.
    void ShowAddress(const std::wstring& address);
    // Draws anew what the view shows, at its next paint.
    void Redraw();
    void Render(HDC dc, const RECT& client);
    // What the view shows, drawn once and kept until something in it changes: exposing the view
    // again, as dialogs and other windows over it do, costs only a copy, not a new scaling of
    // a page-sized scan.
    HBITMAP Frame(const RECT& client);
    void Present(HDC target);
    bool OverLink(LPARAM lParam) const;

    // Started before and ended after the picture it draws.
    GdiplusSession gdiplus_;
    HWND window_ = nullptr;
    NavigationHistory history_;
    std::wstring address_;
    bool isPicturePage_ = false;
    std::unique_ptr<Gdiplus::Bitmap> picture_;
    int quarterTurns_ = 0;
    float zoom_ = 1.0f;
    RECT link_ = {};
    GdiObject<HBITMAP> frame_;
};
