#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/uilib/UIExport.h"
#include "platform/uilib/core/DPI.h"
#include "platform/uilib/core/UIEvents.h"
#include "platform/uilib/core/UIInterfaces.h"

class CControlUI;
class FontTable;
class ImageData;
class OffscreenBuffer;
class TimerTable;
class ToolTipWindow;

// Owns one window's control tree: resources (layout folder, fonts, default
// attributes, images), layout, double-buffered painting, mouse and keyboard
// routing, focus and notifications. A window hands it every message through
// MessageHandler.
class UILIB_API CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // Process-wide resources.
    static void SetInstance(HINSTANCE instance);
    static HINSTANCE GetInstance();
    // The folder of the executable, ending in "\".
    static std::wstring GetInstancePath();
    // Extension of an archive file on disk used when no archive was handed
    // over in memory: the skin path without its last "\" plus the extension.
    static void SetSkinExt(LPCTSTR extension);
    // The folder layouts are read from when the archive lacks them; its last
    // component names the archive folder of the same layouts ("skin").
    static void SetSkinPath(LPCTSTR path);
    static std::wstring GetSkinPath();
    // The zipped layouts and images, copied. False when it is not a zip.
    static bool SetResourceZip(const void* data, unsigned int size);
    // The UI thread's message loop; ends with WM_QUIT.
    static void MessageLoop();
    // Offers a queued message to the paint managers first (keyboard input of
    // native child controls goes through the window's message filters).
    static bool TranslateMessage(const MSG* msg);
    // The manager of a window, or null.
    static CPaintManagerUI* FromWindow(HWND hwnd);

    // Window.
    void Init(HWND hwnd, LPCTSTR name = nullptr);
    HWND GetPaintWindow() const { return hwnd_; }
    const std::wstring& GetName() const { return name_; }
    // Where this window's layout and images are read: a folder relative to
    // the instance path (or absolute); its last component is the folder of
    // the same files in the archive.
    void SetLayoutFolder(const std::wstring& folder);
    const std::wstring& GetArchiveFolder() const { return archiveFolder_; }
    const std::wstring& GetDiskFolder() const { return diskFolder_; }
    // Bytes of a file relative to the layout folder ("../default/x.png"
    // allowed): from the archive when it holds it, else from disk.
    bool ReadResource(const std::wstring& relativePath, std::string& bytes) const;

    // Control tree.
    bool AttachDialog(CControlUI* root);
    CControlUI* GetRoot() const { return root_; }
    CControlUI* FindControl(LPCTSTR name) const;
    CControlUI* FindControl(POINT point) const;
    CControlUI* FindSubControlByName(CControlUI* parent, LPCTSTR name) const;
    // Called by controls joining and leaving the tree.
    void InitControl(CControlUI* control);
    void ForgetControl(CControlUI* control);
    // A removed control is deleted once the message being handled is done,
    // because a notification handler may still be running on it.
    void AddDelayedCleanup(CControlUI* control);

    // Layout and painting.
    void NeedUpdate();
    void Invalidate();
    void Invalidate(const RECT& rect);
    // Lays the tree out now when it is due (and sends "windowinit" after the
    // first layout).
    void EnsureLayout();
    SIZE GetInitSize() const;  // scaled
    void SetInitSize(int cx, int cy);
    RECT GetCaptionRect() const;  // scaled
    void SetCaptionRect(RECT rect);
    RECT GetSizeBox() const;  // scaled
    void SetSizeBox(RECT rect);
    SIZE GetRoundCorner() const;
    void SetRoundCorner(SIZE size);
    SIZE GetMinInfo() const;  // scaled
    void SetMinInfo(int cx, int cy);
    SIZE GetMaxInfo() const;
    void SetMaxInfo(int cx, int cy);
    bool IsShowShadow() const { return showShadow_; }
    void SetShowShadow(bool show) { showShadow_ = show; }
    int GetShadowSize() const { return shadowSize_; }
    void SetShadowSize(int size) { shadowSize_ = size; }
    UINT GetTrayIconId() const { return trayIconId_; }
    void SetTrayIconId(UINT id) { trayIconId_ = id; }
    const std::wstring& GetTrayTipText() const { return trayTipText_; }
    void SetTrayTipText(LPCTSTR text) { trayTipText_ = text ? text : L""; }

    // Scale.
    CDPI* GetDPIObj() { return &dpi_; }
    const CDPI& GetDPI() const { return dpi_; }
    // Sets the scale of this window (and of windows made later), reloads
    // fonts and images and lays the window out again.
    void SetDPI(int dpi);

    // Fonts: the layouts' numbered fonts, scaled. Index -1 or an unknown
    // index gives the default font.
    void AddFont(int id, LPCTSTR face, int size, bool bold, bool underline, bool italic,
                 bool isDefault);
    HFONT GetFont(int id);
    // A font by face and size (for label markup).
    HFONT GetFont(LPCTSTR face, int size, bool bold = false, bool underline = false,
                  bool italic = false);
    HFONT GetDefaultFont();
    TEXTMETRIC GetFontMetrics(HFONT font);

    // Default attributes per control class ("Button" -> "attr='...'").
    void AddDefaultAttributeList(LPCTSTR controlClass, LPCTSTR attributes);
    const wchar_t* GetDefaultAttributeList(LPCTSTR controlClass) const;

    // Images named relative to the layout folder; at 200 % "name@200.ext" is
    // taken when it exists. Shared by every window of the process.
    std::shared_ptr<const ImageData> GetImage(const std::wstring& name);

    // Notifications and filters.
    void AddNotifier(INotifyUI* notifier);
    void RemoveNotifier(INotifyUI* notifier);
    void AddMessageFilter(IMessageFilterUI* filter);
    void RemoveMessageFilter(IMessageFilterUI* filter);
    void SendNotify(CControlUI* control, LPCTSTR type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);
    void SendNotify(TNotifyUI& msg, bool async = false);

    // Input.
    CControlUI* GetFocus() const { return focus_; }
    void SetFocus(CControlUI* control);
    // Moves the focus to the next (or previous) control that takes the keyboard.
    void SetNextTabControl(bool forward = true);
    bool SetTimer(CControlUI* control, UINT timerId, UINT elapse);
    bool KillTimer(CControlUI* control, UINT timerId);
    void KillTimers(CControlUI* control);
    // True when a WM_TIMER id belongs to a control of this window.
    bool OwnsTimer(UINT_PTR windowsId) const;
    // The control whose native child window is hwnd (edit, rich edit, ...).
    static void BindNativeWindow(HWND child, CControlUI* control);

    // Window messages. Returns true when the message was handled; result
    // then holds the window procedure's return value.
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The filters' view of a message, before MessageHandler.
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void Paint();
    void Layout();
    void HandleMouse(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void SetHover(CControlUI* control, POINT point);
    // No control is under the mouse any more, whatever the mouse does next.
    void ForgetMouse();
    // The tooltip of the control the mouse rests on (client point), if it has one.
    void ShowToolTip(POINT point);
    bool HandleKey(UINT uMsg, WPARAM wParam, LPARAM lParam);
    bool ReflectToNative(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void DeliverAsyncNotifications();
    void CleanupDelayed();
    void DispatchEvent(CControlUI* control, TEventUI& event);

    HWND hwnd_ = nullptr;
    std::wstring name_;
    std::wstring archiveFolder_;
    std::wstring diskFolder_;
    CControlUI* root_ = nullptr;
    std::unordered_map<std::wstring, CControlUI*> names_;
    std::vector<CControlUI*> delayedCleanup_;
    std::vector<INotifyUI*> notifiers_;
    std::vector<IMessageFilterUI*> filters_;
    std::vector<TNotifyUI> asyncNotifications_;
    CControlUI* hover_ = nullptr;
    CControlUI* pushed_ = nullptr;
    CControlUI* focus_ = nullptr;
    bool needLayout_ = true;
    bool windowInitSent_ = false;
    bool mouseTracking_ = false;
    bool inLayout_ = false;
    int handlerDepth_ = 0;
    SIZE initSize_ = {0, 0};
    RECT caption_ = {0, 0, 0, 0};
    RECT sizeBox_ = {0, 0, 0, 0};
    SIZE roundCorner_ = {0, 0};
    SIZE minInfo_ = {0, 0};
    SIZE maxInfo_ = {0, 0};
    bool showShadow_ = false;
    int shadowSize_ = 0;
    UINT trayIconId_ = 0;
    std::wstring trayTipText_;
    CDPI dpi_;
    std::map<std::wstring, std::wstring> defaultAttributes_;
    std::unique_ptr<FontTable> fonts_;
    std::unique_ptr<TimerTable> timers_;
    std::unique_ptr<OffscreenBuffer> buffer_;
    std::unique_ptr<ToolTipWindow> toolTip_;
};
