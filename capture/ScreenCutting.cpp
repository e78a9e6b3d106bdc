#include "capture/ScreenCutting.h"

#include <windowsx.h>

#include <utility>

#include "app/FolderCleanup.h"
#include "capture/CaptureCandidates.h"
#include "capture/CaptureMessages.h"
#include "capture/FrozenScreen.h"
#include "common/FileSystem.h"
#include "common/ImageEncoding.h"

namespace {

// Long enough for the hidden owner to have left the screen before the copy.
constexpr DWORD kOwnerHideMs = 100;
constexpr int kHighlightWidth = 5;
constexpr COLORREF kHighlightColour = RGB(0, 122, 204);
constexpr int kLabelPoints = 10;
// An automatic repeat of a held key sets bit 30 of its key message.
constexpr LPARAM kRepeatBit = LPARAM{1} << 30;

bool RegisterOverlayClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, CScreenCutting::kWindowClass, &existing)) return true;
    WNDCLASSEXW overlay = {};
    overlay.cbSize = sizeof(overlay);
    overlay.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    overlay.lpfnWndProc = procedure;
    overlay.hInstance = instance;
    overlay.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    overlay.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1);
    overlay.lpszClassName = CScreenCutting::kWindowClass;
    return RegisterClassExW(&overlay) != 0;
}

RECT PrimaryMonitor() {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcMonitor;
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

HFONT LabelFont() {
    WindowDc screen(nullptr);
    const int pixelsPerInch = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    LOGFONTW font = {};
    font.lfHeight = -MulDiv(kLabelPoints, pixelsPerInch, 72);
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

POINT MessagePoint(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

}  // namespace

CScreenCutting::CScreenCutting(std::wstring folder, std::wstring normalTip, std::wstring tableTip)
    : folder_(std::move(folder)),
      normalTip_(std::move(normalTip)),
      tableTip_(std::move(tableTip)),
      cursor_(LoadCursorW(nullptr, IDC_CROSS)),
      highlightPen_(CreatePen(PS_SOLID, kHighlightWidth, kHighlightColour)),
      selectionPen_(CreatePen(PS_DASHDOT, 1, RGB(0, 0, 0))),
      labelFont_(LabelFont()) {}

CScreenCutting::~CScreenCutting() {
    if (window_) DestroyWindow(window_);
    if (!savedPath_.empty()) DeleteFileW(savedPath_.c_str());
    if (!folder_.empty() && FolderExists(folder_)) EmptyFolder(folder_, L"", false);
}

bool CScreenCutting::Start(HWND owner) {
    if (window_) return false;
    ShowWindow(owner, SW_HIDE);
    Sleep(kOwnerHideMs);
    owner_ = owner;
    monitor_ = PrimaryMonitor();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (RegisterOverlayClass(instance, WindowProcedure)) {
        CreateWindowExW(WS_EX_TOPMOST, kWindowClass, L"", WS_POPUP | WS_VISIBLE, monitor_.left,
                        monitor_.top, monitor_.right - monitor_.left,
                        monitor_.bottom - monitor_.top, nullptr, nullptr, instance, this);
    }
    if (!window_) {
        // Without an overlay the capture is over: the user gets the window back.
        ShowWindow(owner, SW_SHOW);
        return false;
    }
    // Started from the tray or a hot key, the program may not be in front:
    // Escape and Tab must reach the overlay all the same.
    SetForegroundWindow(window_);
    SetFocus(window_);
    return true;
}

LRESULT CALLBACK CScreenCutting::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    auto* self = reinterpret_cast<CScreenCutting*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self =
            static_cast<CScreenCutting*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT CScreenCutting::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            PaintHoverView(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_SETCURSOR:
            SetCursor(cursor_);
            return TRUE;
        case WM_MOUSEMOVE:
            OnMouseMove(MessagePoint(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            press_ = MessagePoint(lParam);
            SetCapture(window_);
            dragging_ = true;
            return 0;
        case WM_LBUTTONUP:
            OnLeftButtonUp(MessagePoint(lParam));
            return 0;
        case WM_RBUTTONDOWN:
            DestroyWindow(window_);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) DestroyWindow(window_);
            if (wParam == VK_TAB && !(lParam & kRepeatBit) && dragging_)
                DrawDragView(CursorInOverlay());
            return 0;
        case WM_KEYUP:
            if (wParam == VK_TAB && dragging_) DrawDragView(CursorInOverlay());
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureLost();
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void CScreenCutting::OnCreate() {
    candidates_ = ListCaptureCandidates(monitor_, window_);
    still_ = std::make_unique<FrozenScreen>(monitor_);
    hover_ = WindowAt(CursorInOverlay());
}

void CScreenCutting::OnDestroy() {
    if (dragging_) {
        dragging_ = false;
        ReleaseCapture();
    }
    candidates_.clear();
    monitor_ = hover_ = {};
    press_ = {};
    still_.reset();
    if (owner_ && IsWindow(owner_)) ShowWindow(owner_, SW_SHOW);
}

void CScreenCutting::OnMouseMove(POINT point) {
    if (dragging_) return DrawDragView(point);
    const RECT lit = WindowAt(point);
    if (EqualRect(&lit, &hover_)) return;
    hover_ = lit;
    InvalidateRect(window_, nullptr, FALSE);
}

void CScreenCutting::OnLeftButtonUp(POINT point) {
    if (dragging_) {
        const RECT selection =
            IsClick(press_, point) ? WindowAt(point) : SpannedRect(press_, point);
        SaveSelection(selection);
        dragging_ = false;
        ReleaseCapture();
    }
    DestroyWindow(window_);
}

void CScreenCutting::OnCaptureLost() {
    if (!dragging_) return;
    dragging_ = false;
    InvalidateRect(window_, nullptr, FALSE);
}

RECT CScreenCutting::WindowAt(POINT point) const {
    RECT lit = HitTest(candidates_, {point.x + monitor_.left, point.y + monitor_.top});
    OffsetRect(&lit, -monitor_.left, -monitor_.top);
    return lit;
}

POINT CScreenCutting::CursorInOverlay() const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return {cursor.x - monitor_.left, cursor.y - monitor_.top};
}

bool CScreenCutting::SaveSelection(const RECT& selection) {
    // A window reaching past the monitor is cut at its edge: the still holds
    // nothing beyond it.
    const RECT area = still_ ? ClippedTo(selection, still_->Area()) : RECT{};
    if (IsEmptyArea(area)) return false;
    GdiObject<HBITMAP> picture(still_->CopyClean(area));
    if (!picture || folder_.empty() || !CreateFolderTree(folder_)) return false;
    const std::wstring path = FirstFreePath(folder_, L"screen_cutting", L".jpg");
    if (!SaveBitmapAsJpeg(picture.get(), path, kJpegQuality)) return false;
    // The previous capture goes only now: a cancelled or failed capture
    // leaves the picture of the last result in place.
    if (!savedPath_.empty() && savedPath_ != path) DeleteFileW(savedPath_.c_str());
    savedPath_ = path;
    PostMessageW(owner_, WM_SCREENCUT_DONE, 0, 0);
    return true;
}
