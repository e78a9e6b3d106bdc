#include "platform/webengine/BuiltInView.h"

#include <shellapi.h>

#include "platform/webengine/NoticePainting.h"
#include "platform/webengine/PageAddress.h"
#include "platform/webengine/PicturePainting.h"
#include "platform/webengine/WindowClass.h"

namespace {

constexpr wchar_t kWindowClass[] = L"PimloWebEngineView";
// The one script of our picture page: a quarter turn clockwise.
constexpr std::wstring_view kRotateScript = L"butt()";

// Strips blanks and one trailing semicolon, so "butt();" is the same script.
std::wstring_view TrimScript(std::wstring_view script) {
    const wchar_t* blanks = L" \t\r\n";
    size_t first = script.find_first_not_of(blanks);
    if (first == std::wstring_view::npos) {
        return {};
    }
    script = script.substr(first, script.find_last_not_of(blanks) - first + 1);
    if (!script.empty() && script.back() == L';') {
        script.remove_suffix(1);
    }
    return script;
}

}  // namespace

std::unique_ptr<BuiltInView> BuiltInView::Create(HWND parent, const RECT& place) {
    if (!RegisterViewClass(kWindowClass, WindowProcedure)) {
        return nullptr;
    }
    std::unique_ptr<BuiltInView> view(new BuiltInView());
    HWND window = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  parent, nullptr, EngineModule(), view.get());
    return window ? std::move(view) : nullptr;
}

BuiltInView::~BuiltInView() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void BuiltInView::Move(int x, int y, int width, int height) {
    if (window_) {
        MoveWindow(window_, x, y, width, height, TRUE);
    }
}

void BuiltInView::Show(bool show) {
    if (window_) {
        ShowWindow(window_, show ? SW_SHOWNA : SW_HIDE);
    }
}

void BuiltInView::Load(const std::wstring& url) {
    history_.Visit(url);
    ShowAddress(url);
}

void BuiltInView::RunScript(const std::wstring& script) {
    if (!isPicturePage_ || TrimScript(script) != kRotateScript) {
        return;
    }
    quarterTurns_ = (quarterTurns_ + 1) % 4;
    Redraw();
}

bool BuiltInView::GoBack() {
    const std::wstring* address = history_.Back();
    if (address) {
        ShowAddress(*address);
    }
    return address != nullptr;
}

bool BuiltInView::GoForward() {
    const std::wstring* address = history_.Forward();
    if (address) {
        ShowAddress(*address);
    }
    return address != nullptr;
}

void BuiltInView::Reload() {
    if (const std::wstring* address = history_.Current()) {
        ShowAddress(*address);
    }
}

void BuiltInView::SetZoom(float factor) {
    zoom_ = factor;
    Redraw();
}

void BuiltInView::ShowAddress(const std::wstring& address) {
    address_ = address;
    quarterTurns_ = 0;
    link_ = RECT{};
    picture_.reset();
    std::optional<std::wstring> picturePath = PicturePageImage(address);
    isPicturePage_ = picturePath.has_value() || address == L"about:blank";
    if (picturePath) {
        // A picture that cannot be read leaves the page blank, as the page itself does.
        picture_ = LoadPicture(*picturePath);
    }
    Redraw();
    if (isPicturePage_) {
        QueueLoadingFinished(window_, address, kWkeLoadingSucceeded, std::wstring());
    } else {
        QueueLoadingFinished(window_, address, kWkeLoadingFailed, kNoWebEngineReason);
    }
}

void BuiltInView::Render(HDC dc, const RECT& client) {
    if (!isPicturePage_ && !address_.empty()) {
        link_ = PaintNotice(dc, client, address_, IsWebAddress(address_));
        return;
    }
    GdiObject<HBRUSH> white(CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
    FillRect(dc, &client, white.get());
    if (picture_) {
        PaintPicture(dc, client, *picture_, quarterTurns_, zoom_);
    }
}

void BuiltInView::Redraw() {
    frame_.reset();
    if (window_) {
        InvalidateRect(window_, nullptr, FALSE);
    }
}

HBITMAP BuiltInView::Frame(const RECT& client) {
    if (frame_) {
        return frame_.get();
    }
    WindowDc screen(nullptr);
    OwnedDc dc(CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    if (!dc || !bitmap) {
        return nullptr;
    }
    {
        SelectedObject selected(dc.get(), bitmap.get());
        Render(dc.get(), client);
    }
    frame_ = std::move(bitmap);
    return frame_.get();
}

void BuiltInView::Present(HDC target) {
    RECT client;
    GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    HBITMAP frame = Frame(client);
    OwnedDc source(frame ? CreateCompatibleDC(target) : nullptr);
    if (!source) {
        Render(target, client);
        return;
    }
    SelectedObject selected(source.get(), frame);
    BitBlt(target, 0, 0, client.right, client.bottom, source.get(), 0, 0, SRCCOPY);
}

bool BuiltInView::OverLink(LPARAM lParam) const {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&link_, point) != FALSE;
}

LRESULT BuiltInView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kDeliverLoadingFinished:
            // The callback may destroy this view: nothing may follow it.
            DeliverLoadingFinished();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Present(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            Present(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
            Redraw();
            return 0;
        case WM_SETCURSOR: {
            POINT cursor;
            GetCursorPos(&cursor);
            ScreenToClient(window_, &cursor);
            if (LOWORD(lParam) == HTCLIENT && PtInRect(&link_, cursor)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONUP:
            if (OverLink(lParam) && IsWebAddress(address_)) {
                ShellExecuteW(window_, L"open", address_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK BuiltInView::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view =
            static_cast<BuiltInView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        view->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<BuiltInView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The view outlives its window when the parent goes first; it is deleted by its owner.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        view->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return view->HandleMessage(message, wParam, lParam);
}
