#include "tests/e2e/ScreenCaptureSupport.h"

#include <cwctype>

namespace {

LRESULT CALLBACK TextProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client = {};
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // The program's own face, which the Wine prefix draws with its CJK font.
    HFONT font = CreateFontW(-56, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, L"微软雅黑");
    HGDIOBJ previous = SelectObject(dc, font);
    DrawTextW(dc, kShownText, -1, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    DeleteObject(SelectObject(dc, previous));
    EndPaint(window, &paint);
    return 0;
}

// text in lower case without spaces and line breaks.
std::wstring Squeezed(const std::wstring& text) {
    std::wstring squeezed;
    for (wchar_t c : text) {
        if (!iswspace(c)) squeezed += static_cast<wchar_t>(towlower(c));
    }
    return squeezed;
}

std::string Point(LONG x, LONG y) { return std::to_string(x) + " " + std::to_string(y); }

}  // namespace

ShownText::ShownText() {
    WNDCLASSW textClass = {};
    textClass.lpfnWndProc = TextProcedure;
    textClass.hInstance = GetModuleHandleW(nullptr);
    textClass.lpszClassName = L"PimloShownText";
    RegisterClassW(&textClass);
    const RECT& at = kShownTextPlace;
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"PimloShownText", L"", WS_POPUP | WS_VISIBLE,
                              at.left, at.top, at.right - at.left, at.bottom - at.top, nullptr,
                              nullptr, nullptr, nullptr);
    UpdateWindow(window_);
}

ShownText::~ShownText() { DestroyWindow(window_); }

bool HoldsShownText(const std::wstring& recognised) {
    return Squeezed(recognised).find(Squeezed(kShownText)) != std::wstring::npos;
}

HWND CaptureOverlay(const ProgramSession& program) {
    HWND overlay = nullptr;
    ProgramSession::WaitFor(
        [&] {
            overlay = FindWindowW(L"ScreenCuttingWnd", nullptr);
            DWORD process = 0;
            GetWindowThreadProcessId(overlay, &process);
            return overlay && IsWindowVisible(overlay) &&
                   process == GetProcessId(program.Process());
        },
        5000, 5);
    return overlay;
}

std::string DragAroundShownText(bool table, bool release) {
    const RECT& at = kShownTextPlace;
    std::string drag = "mousemove " + Point(at.left + 8, at.top + 8) +
                       " sleep 0.2 mousedown 1 sleep 0.2 mousemove " + Point(300, 100) +
                       " sleep 0.2 mousemove " + Point(at.right - 8, at.bottom - 8) + " sleep 0.2";
    if (table) drag += " keydown Tab sleep 0.3";
    if (release) drag += " mouseup 1";
    if (table) drag += " sleep 0.5 keyup Tab";
    return drag;
}
