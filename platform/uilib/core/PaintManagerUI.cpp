#include "platform/uilib/core/PaintManagerUI.h"

#include <windowsx.h>

#include <algorithm>

#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "platform/uilib/core/ControlUI.h"
#include "platform/uilib/core/FontTable.h"
#include "platform/uilib/core/OffscreenBuffer.h"
#include "platform/uilib/core/ResourceArchive.h"
#include "platform/uilib/core/TimerTable.h"
#include "platform/uilib/core/ToolTipWindow.h"
#include "platform/uilib/drive/DriveServer.h"
#include "platform/uilib/render/ImageAttribute.h"
#include "platform/uilib/render/ImageData.h"

namespace {

// Process-wide state: resources are shared by every window of the UI thread.
struct SharedResources {
    HINSTANCE instance = nullptr;
    std::wstring skinPath;
    std::wstring skinExt;
    ResourceArchive archive;
    bool archiveFileTried = false;
    std::vector<CPaintManagerUI*> managers;
    std::map<std::wstring, std::shared_ptr<const ImageData>> images;
};

SharedResources& Shared() {
    static SharedResources shared;
    return shared;
}

constexpr wchar_t kNativeControlProperty[] = L"PimloUI.Control";

// Work a manager posts to itself: wParam says which.
enum InternalWork : WPARAM { kWorkNotify = 1, kWorkCleanup, kWorkLayout };

UINT InternalMessage() {
    static UINT message = RegisterWindowMessageW(L"PimloUI.Internal");
    return message;
}

bool IsAbsolute(const std::wstring& path) {
    return path.size() > 1 && (path[1] == L':' || (path[0] == L'\\' && path[1] == L'\\'));
}

std::wstring WithSeparator(std::wstring folder) {
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    return folder;
}

// "C:\app\skin\" -> "skin/".
std::wstring LastComponentFolder(const std::wstring& folder) {
    std::wstring trimmed = folder;
    while (!trimmed.empty() && (trimmed.back() == L'\\' || trimmed.back() == L'/')) {
        trimmed.pop_back();
    }
    size_t slash = trimmed.find_last_of(L"\\/");
    std::wstring last = slash == std::wstring::npos ? trimmed : trimmed.substr(slash + 1);
    return last.empty() || last.find(L':') != std::wstring::npos ? L"" : last + L"/";
}

// An archive file beside the skin folder ("skin" + extension), used when
// the program handed none over in memory.
void OpenArchiveFileOnce() {
    SharedResources& shared = Shared();
    if (shared.archive.IsOpen() || shared.archiveFileTried || shared.skinExt.empty() ||
        shared.skinPath.empty()) {
        return;
    }
    shared.archiveFileTried = true;
    std::wstring path = shared.skinPath;
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) {
        path.pop_back();
    }
    std::string bytes;
    if (ReadFileBytes(path + shared.skinExt, bytes)) {
        shared.archive.Open(bytes.data(), bytes.size());
    }
}

// Messages after which the mouse no longer reaches the window's controls
// until it moves over them again: the window was hidden, deactivated or
// disabled (a modal window opened over it), or its mouse input was cancelled.
bool EndsMouseOver(UINT uMsg, WPARAM wParam) {
    switch (uMsg) {
        case WM_SHOWWINDOW:
        case WM_ENABLE:
            return wParam == FALSE;
        case WM_ACTIVATE:
            return LOWORD(wParam) == WA_INACTIVE;
        case WM_CANCELMODE:
            return true;
        default:
            return false;
    }
}

TEventUI MakeEvent(int type, CControlUI* sender, POINT point, WPARAM wParam = 0,
                   LPARAM lParam = 0) {
    TEventUI event;
    event.Type = type;
    event.pSender = sender;
    event.dwTimestamp = GetTickCount();
    event.ptMouse = point;
    event.wParam = wParam;
    event.lParam = lParam;
    event.wKeyState = static_cast<WORD>(wParam);
    return event;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI()
    : fonts_(std::make_unique<FontTable>()),
      timers_(std::make_unique<TimerTable>()),
      buffer_(std::make_unique<OffscreenBuffer>()),
      toolTip_(std::make_unique<ToolTipWindow>()) {
    SetLayoutFolder(L"");
    Shared().managers.push_back(this);
}

CPaintManagerUI::~CPaintManagerUI() {
    auto& managers = Shared().managers;
    managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
    if (hwnd_) {
        timers_->KillEverything(hwnd_);
    }
    CleanupDelayed();
    CControlUI* root = root_;
    root_ = nullptr;
    hover_ = pushed_ = focus_ = nullptr;
    if (root) {
        root->SetManager(nullptr, nullptr, false);
        delete root;
    }
}

void CPaintManagerUI::SetInstance(HINSTANCE instance) { Shared().instance = instance; }

HINSTANCE CPaintManagerUI::GetInstance() {
    return Shared().instance ? Shared().instance : GetModuleHandleW(nullptr);
}

std::wstring CPaintManagerUI::GetInstancePath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetInstance(), path, MAX_PATH);
    std::wstring full = path;
    size_t slash = full.find_last_of(L'\\');
    return slash == std::wstring::npos ? L"" : full.substr(0, slash + 1);
}

void CPaintManagerUI::SetSkinExt(LPCTSTR extension) {
    Shared().skinExt = extension ? extension : L"";
    Shared().archiveFileTried = false;
}

void CPaintManagerUI::SetSkinPath(LPCTSTR path) {
    Shared().skinPath = WithSeparator(path ? path : L"");
    Shared().archiveFileTried = false;
}

std::wstring CPaintManagerUI::GetSkinPath() { return Shared().skinPath; }

bool CPaintManagerUI::SetResourceZip(const void* data, unsigned int size) {
    Shared().images.clear();
    return Shared().archive.Open(data, size);
}

void CPaintManagerUI::MessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool CPaintManagerUI::TranslateMessage(const MSG* msg) {
    // Tab in a native child (an edit box) moves the library's focus on.
    if (msg->message != WM_KEYDOWN || msg->wParam != VK_TAB) {
        return false;
    }
    auto* control = static_cast<CControlUI*>(GetPropW(msg->hwnd, kNativeControlProperty));
    if (!control || !control->GetManager() || control->WantsTab()) {
        return false;
    }
    control->GetManager()->SetNextTabControl(GetKeyState(VK_SHIFT) >= 0);
    return true;
}

CPaintManagerUI* CPaintManagerUI::FromWindow(HWND hwnd) {
    for (CPaintManagerUI* manager : Shared().managers) {
        if (manager->hwnd_ == hwnd) {
            return manager;
        }
    }
    return nullptr;
}

void CPaintManagerUI::Init(HWND hwnd, LPCTSTR name) {
    hwnd_ = hwnd;
    name_ = name ? name : L"";
}

void CPaintManagerUI::SetLayoutFolder(const std::wstring& folder) {
    std::wstring disk = folder.empty() ? Shared().skinPath : folder;
    if (disk.empty()) {
        disk = GetInstancePath();
    } else if (!IsAbsolute(disk)) {
        disk = GetInstancePath() + disk;
    }
    diskFolder_ = WithSeparator(disk);
    archiveFolder_ = LastComponentFolder(folder.empty() ? Shared().skinPath : folder);
}

bool CPaintManagerUI::ReadResource(const std::wstring& relativePath, std::string& bytes) const {
    if (relativePath.empty()) {
        return false;
    }
    if (IsAbsolute(relativePath)) {
        return ReadFileBytes(relativePath, bytes);
    }
    OpenArchiveFileOnce();
    if (Shared().archive.Read(WideToUtf8(archiveFolder_ + relativePath), bytes)) {
        return true;
    }
    std::wstring diskPath = diskFolder_ + relativePath;
    std::replace(diskPath.begin(), diskPath.end(), L'/', L'\\');
    return ReadFileBytes(diskPath, bytes);
}

bool CPaintManagerUI::AttachDialog(CControlUI* root) {
    if (!root) {
        return false;
    }
    if (root_) {
        AddDelayedCleanup(root_);
    }
    root_ = root;
    root_->SetManager(this, nullptr, true);
    needLayout_ = true;
    if (hwnd_) {
        // A window shown later (or never, in the tray) is laid out and gets
        // "windowinit" all the same.
        PostMessageW(hwnd_, InternalMessage(), kWorkLayout, 0);
    }
    return true;
}

CControlUI* CPaintManagerUI::FindControl(LPCTSTR name) const {
    if (!name || !root_) {
        return nullptr;
    }
    auto found = names_.find(name);
    if (found != names_.end()) {
        return found->second;
    }
    std::wstring_view wanted = name;
    return root_->FindFirst([wanted](CControlUI* control) { return control->GetName() == wanted; });
}

CControlUI* CPaintManagerUI::FindControl(POINT point) const {
    return root_ ? root_->FindControlAt(point) : nullptr;
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* parent, LPCTSTR name) const {
    if (!parent || !name) {
        return nullptr;
    }
    std::wstring_view wanted = name;
    return parent->FindFirst(
        [wanted](CControlUI* control) { return control->GetName() == wanted; });
}

void CPaintManagerUI::InitControl(CControlUI* control) {
    if (!control->GetName().empty()) {
        names_.emplace(control->GetName(), control);
    }
}

void CPaintManagerUI::ForgetControl(CControlUI* control) {
    auto found = names_.find(control->GetName());
    if (found != names_.end() && found->second == control) {
        names_.erase(found);
    }
    if (hover_ == control) {
        hover_ = nullptr;
        toolTip_->Hide();
    }
    if (pushed_ == control) {
        pushed_ = nullptr;
    }
    if (focus_ == control) {
        focus_ = nullptr;
    }
    if (hwnd_) {
        timers_->KillAll(hwnd_, control);
    }
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
    if (!control) {
        return;
    }
    control->FindFirst([this](CControlUI* each) {
        ForgetControl(each);
        return false;
    });
    control->SetManager(nullptr, nullptr, false);
    delayedCleanup_.push_back(control);
    if (hwnd_) {
        PostMessageW(hwnd_, InternalMessage(), kWorkCleanup, 0);
    }
}

void CPaintManagerUI::CleanupDelayed() {
    std::vector<CControlUI*> doomed;
    doomed.swap(delayedCleanup_);
    for (CControlUI* control : doomed) {
        delete control;
    }
}

void CPaintManagerUI::NeedUpdate() {
    if (!inLayout_) {
        needLayout_ = true;
        Invalidate();
    }
}

void CPaintManagerUI::Invalidate() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, FALSE);
    }
}

void CPaintManagerUI::Invalidate(const RECT& rect) {
    if (hwnd_) {
        InvalidateRect(hwnd_, &rect, FALSE);
    }
}

void CPaintManagerUI::Layout() {
    if (!root_ || !hwnd_) {
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    if (client.right <= client.left || client.bottom <= client.top) {
        return;
    }
    inLayout_ = true;
    needLayout_ = false;
    root_->SetPos(client, false);
    inLayout_ = false;
    Invalidate();
}

void CPaintManagerUI::EnsureLayout() {
    if (needLayout_) {
        Layout();
    }
    if (!windowInitSent_ && root_ && hwnd_) {
        windowInitSent_ = true;
        SendNotify(root_, DUI_MSGTYPE_WINDOWINIT);
        if (needLayout_) {
            Layout();
        }
    }
}

SIZE CPaintManagerUI::GetInitSize() const { return dpi_.Scale(initSize_); }
void CPaintManagerUI::SetInitSize(int cx, int cy) { initSize_ = {cx, cy}; }
RECT CPaintManagerUI::GetCaptionRect() const { return dpi_.Scale(caption_); }
void CPaintManagerUI::SetCaptionRect(RECT rect) { caption_ = rect; }
RECT CPaintManagerUI::GetSizeBox() const { return dpi_.Scale(sizeBox_); }
void CPaintManagerUI::SetSizeBox(RECT rect) { sizeBox_ = rect; }
SIZE CPaintManagerUI::GetRoundCorner() const { return dpi_.Scale(roundCorner_); }
void CPaintManagerUI::SetRoundCorner(SIZE size) { roundCorner_ = size; }
SIZE CPaintManagerUI::GetMinInfo() const { return dpi_.Scale(minInfo_); }
void CPaintManagerUI::SetMinInfo(int cx, int cy) { minInfo_ = {cx, cy}; }
SIZE CPaintManagerUI::GetMaxInfo() const { return dpi_.Scale(maxInfo_); }
void CPaintManagerUI::SetMaxInfo(int cx, int cy) { maxInfo_ = {cx, cy}; }

void CPaintManagerUI::SetDPI(int dpi) {
    SIZE oldSize = GetInitSize();
    dpi_.SetScale(static_cast<UINT>(dpi));
    fonts_->Reset();
    SIZE newSize = GetInitSize();
    if (hwnd_ && newSize.cx > 0 && newSize.cy > 0 &&
        (newSize.cx != oldSize.cx || newSize.cy != oldSize.cy)) {
        // Grow or shrink about the window's centre.
        RECT window;
        GetWindowRect(hwnd_, &window);
        int centerX = (window.left + window.right) / 2;
        int centerY = (window.top + window.bottom) / 2;
        SetWindowPos(hwnd_, nullptr, centerX - newSize.cx / 2, centerY - newSize.cy / 2, newSize.cx,
                     newSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    needLayout_ = true;
    Invalidate();
}

void CPaintManagerUI::AddFont(int id, LPCTSTR face, int size, bool bold, bool underline,
                              bool italic, bool isDefault) {
    fonts_->Add(id, face ? face : L"", size, bold, underline, italic, isDefault);
}

HFONT CPaintManagerUI::GetFont(int id) { return fonts_->Get(id, dpi_.GetDPI()); }

HFONT CPaintManagerUI::GetFont(LPCTSTR face, int size, bool bold, bool underline, bool italic) {
    return fonts_->Get(face ? face : L"", size, bold, underline, italic, dpi_.GetDPI());
}

HFONT CPaintManagerUI::GetDefaultFont() { return GetFont(-1); }

TEXTMETRIC CPaintManagerUI::GetFontMetrics(HFONT font) { return fonts_->Metrics(font); }

void CPaintManagerUI::AddDefaultAttributeList(LPCTSTR controlClass, LPCTSTR attributes) {
    if (controlClass) {
        defaultAttributes_[controlClass] = attributes ? attributes : L"";
    }
}

const wchar_t* CPaintManagerUI::GetDefaultAttributeList(LPCTSTR controlClass) const {
    auto found = controlClass ? defaultAttributes_.find(controlClass) : defaultAttributes_.end();
    return found == defaultAttributes_.end() ? nullptr : found->second.c_str();
}

std::shared_ptr<const ImageData> CPaintManagerUI::GetImage(const std::wstring& name) {
    if (name.empty()) {
        return nullptr;
    }
    bool doubled = dpi_.UseDoubleImages();
    std::wstring key = (IsAbsolute(name) ? L"" : archiveFolder_) + name + (doubled ? L"|2" : L"|1");
    auto& images = Shared().images;
    auto found = images.find(key);
    if (found != images.end()) {
        return found->second;
    }
    std::string bytes;
    std::shared_ptr<const ImageData> image;
    if (doubled && ReadResource(DoubleScaleName(name), bytes)) {
        image = DecodeImage(bytes, 2);
    }
    if (!image && ReadResource(name, bytes)) {
        image = DecodeImage(bytes, 1);
    }
    // Missing pictures are remembered too, so a paint does not search again.
    images[key] = image;
    return image;
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (notifier && std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end()) {
        notifiers_.push_back(notifier);
    }
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    notifiers_.erase(std::remove(notifiers_.begin(), notifiers_.end(), notifier), notifiers_.end());
}

void CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) {
    if (filter && std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) {
        filters_.push_back(filter);
    }
}

void CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
    filters_.erase(std::remove(filters_.begin(), filters_.end(), filter), filters_.end());
}

void CPaintManagerUI::SendNotify(CControlUI* control, LPCTSTR type, WPARAM wParam, LPARAM lParam,
                                 bool async) {
    TNotifyUI msg;
    msg.sType = type ? type : L"";
    msg.pSender = control;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
    msg.dwTimestamp = GetTickCount();
    GetCursorPos(&msg.ptMouse);
    if (hwnd_) {
        ScreenToClient(hwnd_, &msg.ptMouse);
    }
    if (async && hwnd_) {
        asyncNotifications_.push_back(msg);
        PostMessageW(hwnd_, InternalMessage(), kWorkNotify, 0);
        return;
    }
    // A receiver may add or remove receivers while it runs.
    std::vector<INotifyUI*> receivers = notifiers_;
    for (INotifyUI* receiver : receivers) {
        if (std::find(notifiers_.begin(), notifiers_.end(), receiver) != notifiers_.end()) {
            receiver->Notify(msg);
        }
    }
}

void CPaintManagerUI::DeliverAsyncNotifications() {
    std::vector<TNotifyUI> pending;
    pending.swap(asyncNotifications_);
    for (TNotifyUI& msg : pending) {
        SendNotify(msg, false);
    }
}

void CPaintManagerUI::DispatchEvent(CControlUI* control, TEventUI& event) {
    if (control) {
        event.pSender = control;
        control->DoEvent(event);
    }
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    if (control == focus_) {
        return;
    }
    if (control && !control->GetNativeWindow() && hwnd_ && ::GetFocus() != hwnd_ &&
        GetForegroundWindow() == GetAncestor(hwnd_, GA_ROOT)) {
        ::SetFocus(hwnd_);
    }
    CControlUI* old = focus_;
    focus_ = control;
    POINT origin = {0, 0};
    if (old) {
        TEventUI event = MakeEvent(UIEVENT_KILLFOCUS, old, origin);
        DispatchEvent(old, event);
        SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
    }
    if (focus_ == control && control) {
        TEventUI event = MakeEvent(UIEVENT_SETFOCUS, control, origin);
        DispatchEvent(control, event);
        SendNotify(control, DUI_MSGTYPE_SETFOCUS);
    }
}

void CPaintManagerUI::SetNextTabControl(bool forward) {
    if (!root_) {
        return;
    }
    std::vector<CControlUI*> stops;
    root_->FindFirst([&stops](CControlUI* control) {
        if (control->IsKeyboardEnabled() && control->IsVisible() && control->IsEnabled()) {
            stops.push_back(control);
        }
        return false;
    });
    if (stops.empty()) {
        return;
    }
    auto current = std::find(stops.begin(), stops.end(), focus_);
    size_t index = 0;
    if (current != stops.end()) {
        size_t at = static_cast<size_t>(current - stops.begin());
        index = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    }
    SetFocus(stops[index]);
}

bool CPaintManagerUI::SetTimer(CControlUI* control, UINT timerId, UINT elapse) {
    return hwnd_ && timers_->Set(hwnd_, control, timerId, elapse);
}

bool CPaintManagerUI::KillTimer(CControlUI* control, UINT timerId) {
    return hwnd_ && timers_->Kill(hwnd_, control, timerId);
}

void CPaintManagerUI::KillTimers(CControlUI* control) {
    if (hwnd_) {
        timers_->KillAll(hwnd_, control);
    }
}

bool CPaintManagerUI::OwnsTimer(UINT_PTR windowsId) const {
    CControlUI* control = nullptr;
    UINT timerId = 0;
    return timers_->Find(windowsId, control, timerId);
}

void CPaintManagerUI::BindNativeWindow(HWND child, CControlUI* control) {
    if (control) {
        SetPropW(child, kNativeControlProperty, control);
    } else {
        RemovePropW(child, kNativeControlProperty);
    }
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    std::vector<IMessageFilterUI*> filters = filters_;
    for (IMessageFilterUI* filter : filters) {
        bool handled = false;
        LRESULT answer = filter->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            result = answer;
            return true;
        }
    }
    return false;
}

void CPaintManagerUI::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    EnsureLayout();
    RECT client;
    GetClientRect(hwnd_, &client);
    HDC memory = root_ ? buffer_->Prepare(dc, client.right, client.bottom) : nullptr;
    if (memory) {
        const RECT& area = paint.rcPaint;
        int saved = SaveDC(memory);
        IntersectClipRect(memory, area.left, area.top, area.right, area.bottom);
        FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        root_->DoPaint(memory, area);
        RestoreDC(memory, saved);
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory,
               area.left, area.top, SRCCOPY);
    }
    EndPaint(hwnd_, &paint);
}

void CPaintManagerUI::SetHover(CControlUI* control, POINT point) {
    if (control == hover_) {
        return;
    }
    toolTip_->Hide();
    CControlUI* old = hover_;
    hover_ = control;
    if (old) {
        TEventUI event = MakeEvent(UIEVENT_MOUSELEAVE, old, point);
        DispatchEvent(old, event);
    }
    if (hover_ == control && control) {
        TEventUI event = MakeEvent(UIEVENT_MOUSEENTER, control, point);
        DispatchEvent(control, event);
    }
}

void CPaintManagerUI::ForgetMouse() {
    if (mouseTracking_) {
        // The next move over the window asks for the leave and hover messages again.
        TRACKMOUSEEVENT cancel = {sizeof(cancel), TME_LEAVE | TME_HOVER | TME_CANCEL, hwnd_, 0};
        TrackMouseEvent(&cancel);
        mouseTracking_ = false;
    }
    SetHover(nullptr, POINT{-1, -1});
}

void CPaintManagerUI::ShowToolTip(POINT point) {
    if (!hover_ || pushed_ || hover_->GetToolTip().empty()) {
        return;
    }
    ClientToScreen(hwnd_, &point);
    toolTip_->Show(hwnd_, hover_->GetToolTip(), point);
}

void CPaintManagerUI::HandleMouse(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    EnsureLayout();
    switch (uMsg) {
        case WM_MOUSEMOVE: {
            if (!mouseTracking_) {
                TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE | TME_HOVER, hwnd_,
                                         HOVER_DEFAULT};
                mouseTracking_ = TrackMouseEvent(&track) != FALSE;
            }
            SetHover(
                pushed_ ? (FindControl(point) == pushed_ ? pushed_ : nullptr) : FindControl(point),
                point);
            CControlUI* target = pushed_ ? pushed_ : hover_;
            TEventUI event = MakeEvent(UIEVENT_MOUSEMOVE, target, point, wParam, lParam);
            DispatchEvent(target, event);
            break;
        }
        case WM_MOUSELEAVE:
            mouseTracking_ = false;
            if (!pushed_) {
                ForgetMouse();
            }
            break;
        case WM_MOUSEHOVER:
            // The hover is reported once: the next move asks for it again.
            mouseTracking_ = false;
            ShowToolTip(point);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            toolTip_->Hide();
            CControlUI* control = FindControl(point);
            if (!control) {
                break;
            }
            pushed_ = control;
            SetCapture(hwnd_);
            if (control->IsKeyboardEnabled() && control->IsEnabled()) {
                SetFocus(control);
            }
            TEventUI event =
                MakeEvent(uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, control,
                          point, wParam, lParam);
            DispatchEvent(control, event);
            break;
        }
        case WM_LBUTTONUP: {
            CControlUI* control = pushed_;
            pushed_ = nullptr;
            if (GetCapture() == hwnd_) {
                ReleaseCapture();
            }
            TEventUI event = MakeEvent(UIEVENT_BUTTONUP, control, point, wParam, lParam);
            DispatchEvent(control, event);
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            toolTip_->Hide();
            CControlUI* control = FindControl(point);
            TEventUI event =
                MakeEvent(uMsg == WM_RBUTTONDOWN ? UIEVENT_RBUTTONDOWN : UIEVENT_RBUTTONUP, control,
                          point, wParam, lParam);
            DispatchEvent(control, event);
            break;
        }
        case WM_MOUSEWHEEL: {
            toolTip_->Hide();
            POINT client = point;
            ScreenToClient(hwnd_, &client);
            CControlUI* control = FindControl(client);
            TEventUI event = MakeEvent(UIEVENT_SCROLLWHEEL, control, client, wParam, lParam);
            DispatchEvent(control, event);
            break;
        }
        default:
            break;
    }
}

bool CPaintManagerUI::HandleKey(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_KEYDOWN && wParam == VK_TAB) {
        SetNextTabControl(GetKeyState(VK_SHIFT) >= 0);
        return true;
    }
    if (!focus_) {
        return false;
    }
    int type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN
               : uMsg == WM_KEYUP ? UIEVENT_KEYUP
                                  : UIEVENT_CHAR;
    POINT origin = {0, 0};
    TEventUI event = MakeEvent(type, focus_, origin, wParam, lParam);
    event.chKey = static_cast<TCHAR>(wParam);
    DispatchEvent(focus_, event);
    return true;
}

bool CPaintManagerUI::ReflectToNative(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    if (uMsg == WM_NOTIFY) {
        child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    } else {
        child = reinterpret_cast<HWND>(lParam);
    }
    auto* control =
        child ? static_cast<CControlUI*>(GetPropW(child, kNativeControlProperty)) : nullptr;
    return control && control->HandleNativeMessage(uMsg, wParam, lParam, result);
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!hwnd_) {
        return false;
    }
    ++handlerDepth_;
    bool handled = PreMessageHandler(uMsg, wParam, lParam, result);
    if (!handled) {
        handled = true;
        result = 0;
        switch (uMsg) {
            case WM_PAINT:
                Paint();
                break;
            case WM_ERASEBKGND:
                result = 1;
                break;
            case WM_SIZE:
                needLayout_ = true;
                Invalidate();
                handled = false;
                break;
            case WM_MOUSEMOVE:
            case WM_MOUSELEAVE:
            case WM_MOUSEHOVER:
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
            case WM_LBUTTONUP:
            case WM_RBUTTONDOWN:
            case WM_RBUTTONUP:
            case WM_MOUSEWHEEL:
                HandleMouse(uMsg, wParam, lParam);
                break;
            case WM_SHOWWINDOW:
            case WM_ACTIVATE:
            case WM_ENABLE:
            case WM_CANCELMODE:
                if (EndsMouseOver(uMsg, wParam)) {
                    ForgetMouse();
                }
                handled = false;
                break;
            case WM_CAPTURECHANGED:
                // Another window (a menu, a dialog) took the mouse.
                if (lParam && reinterpret_cast<HWND>(lParam) != hwnd_) {
                    ForgetMouse();
                }
                if (reinterpret_cast<HWND>(lParam) != hwnd_ && pushed_) {
                    POINT origin = {0, 0};
                    TEventUI event = MakeEvent(UIEVENT_BUTTONUP, pushed_, origin);
                    CControlUI* control = pushed_;
                    pushed_ = nullptr;
                    // A lost capture is no click: the point lies outside.
                    event.ptMouse = {-1, -1};
                    DispatchEvent(control, event);
                }
                handled = false;
                break;
            case WM_KEYDOWN:
            case WM_KEYUP:
            case WM_CHAR:
                handled = HandleKey(uMsg, wParam, lParam);
                break;
            case WM_TIMER: {
                CControlUI* control = nullptr;
                UINT timerId = 0;
                if (timers_->Find(wParam, control, timerId)) {
                    POINT origin = {0, 0};
                    TEventUI event = MakeEvent(UIEVENT_TIMER, control, origin, timerId, lParam);
                    DispatchEvent(control, event);
                } else {
                    handled = false;
                }
                break;
            }
            case WM_COMMAND:
            case WM_NOTIFY:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORSTATIC:
                handled = lParam != 0 && ReflectToNative(uMsg, wParam, lParam, result);
                break;
            case WM_COPYDATA:
                handled = HandleDriveRequest(*this, reinterpret_cast<HWND>(wParam),
                                             reinterpret_cast<const COPYDATASTRUCT*>(lParam));
                result = handled ? TRUE : FALSE;
                break;
            case WM_DESTROY:
                timers_->KillEverything(hwnd_);
                // The tooltip is an owned window: it goes with this one.
                toolTip_->Forget();
                handled = false;
                break;
            default:
                if (uMsg == InternalMessage()) {
                    if (wParam == kWorkNotify) {
                        DeliverAsyncNotifications();
                    } else if (wParam == kWorkLayout) {
                        EnsureLayout();
                    }
                } else {
                    handled = false;
                }
                break;
        }
    }
    --handlerDepth_;
    // Removed controls are deleted only once no handler of this window is
    // running any more: a notification handler may have removed its sender.
    if (handlerDepth_ == 0 && !delayedCleanup_.empty()) {
        CleanupDelayed();
    }
    return handled;
}
