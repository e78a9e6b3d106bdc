#include "platform/webengine/BrowserView.h"

#include <mshtml.h>

#include <cmath>

#include "platform/webengine/BrowserSite.h"
#include "platform/webengine/ExternalObject.h"
#include "platform/webengine/WindowClass.h"

namespace {

constexpr wchar_t kWindowClass[] = L"PimloWebEngineBrowserHost";

// The HTML engine's document class, CLSID_HTMLDocument, which MinGW's uuid library lacks.
constexpr CLSID kHtmlDocumentClass = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

// A BSTR owned for one call.
class OwnedBstr {
public:
    explicit OwnedBstr(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    OwnedBstr() = default;
    ~OwnedBstr() { SysFreeString(text_); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;

    BSTR get() const { return text_; }
    BSTR* out() { return &text_; }

private:
    BSTR text_ = nullptr;
};

template <class Interface>
ComOwner<Interface> Query(IUnknown* object, REFIID iid) {
    Interface* found = nullptr;
    if (!object || FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&found)))) {
        return nullptr;
    }
    return ComOwner<Interface>(found);
}

}  // namespace

bool BrowserView::HtmlEngineAvailable() {
    // The browser control exists on systems whose HTML engine is missing or switched off (it then
    // shows nothing); asking for the engine's document itself tells. Asked once per process.
    static const bool available = [] {
        IUnknown* document = nullptr;
        if (FAILED(CoCreateInstance(kHtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                    reinterpret_cast<void**>(&document))) ||
            !document) {
            return false;
        }
        document->Release();
        return true;
    }();
    return available;
}

std::unique_ptr<BrowserView> BrowserView::Create(HWND parent, const RECT& place) {
    std::unique_ptr<BrowserView> view(new BrowserView());
    // Hosting needs a single-threaded apartment; a thread in the multithreaded one cannot host.
    if (FAILED(OleInitialize(nullptr))) {
        return nullptr;
    }
    view->oleInitialized_ = true;
    if (!HtmlEngineAvailable() || !view->Embed(parent, place)) {
        return nullptr;
    }
    return view;
}

bool BrowserView::Embed(HWND parent, const RECT& place) {
    if (!RegisterViewClass(kWindowClass, WindowProcedure)) {
        return false;
    }
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                              place.left, place.top, place.right - place.left,
                              place.bottom - place.top, parent, nullptr, EngineModule(), this);
    if (!window_) {
        return false;
    }
    IOleObject* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object))) ||
        !object) {
        return false;
    }
    object_.reset(object);
    external_ =
        new ExternalObject([this](const std::wstring& text) { return DeliverTextMessage(text); });
    site_ = new BrowserSite(window_, external_);
    if (FAILED(object_->SetClientSite(static_cast<IOleClientSite*>(site_)))) {
        return false;
    }
    OleSetContainedObject(object_.get(), TRUE);
    RECT client = {0, 0, place.right - place.left, place.bottom - place.top};
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                               static_cast<IOleClientSite*>(site_), 0, window_, &client))) {
        return false;
    }
    browser_ = Query<IWebBrowser2>(object_.get(), IID_IWebBrowser2);
    auto container = Query<IConnectionPointContainer>(object_.get(), IID_IConnectionPointContainer);
    IConnectionPoint* connection = nullptr;
    if (!browser_ || !container ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &connection)) ||
        !connection) {
        return false;
    }
    connection_.reset(connection);
    events_ = new BrowserEvents(this);
    if (FAILED(connection_->Advise(events_, &connectionCookie_))) {
        connectionCookie_ = 0;
        return false;
    }
    // Script errors and other dialogs of the control would stop the program's window.
    browser_->put_Silent(VARIANT_TRUE);
    return true;
}

BrowserView::~BrowserView() { Teardown(); }

void BrowserView::Teardown() {
    if (connection_ && connectionCookie_) {
        connection_->Unadvise(connectionCookie_);
    }
    connection_.reset();
    if (events_) {
        events_->Detach();
        events_->Release();
        events_ = nullptr;
    }
    if (browser_) {
        browser_->Stop();
        browser_.reset();
    }
    if (object_) {
        if (auto inPlace = Query<IOleInPlaceObject>(object_.get(), IID_IOleInPlaceObject)) {
            inPlace->InPlaceDeactivate();
        }
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_.reset();
    }
    if (site_) {
        site_->Detach();
        static_cast<IOleClientSite*>(site_)->Release();
        site_ = nullptr;
    }
    if (external_) {
        external_->Detach();
        external_->Release();
        external_ = nullptr;
    }
    if (window_) {
        DestroyWindow(window_);
    }
    if (oleInitialized_) {
        OleUninitialize();
        oleInitialized_ = false;
    }
}

void BrowserView::Move(int x, int y, int width, int height) {
    if (window_) {
        MoveWindow(window_, x, y, width, height, TRUE);
    }
}

void BrowserView::Show(bool show) {
    if (window_) {
        ShowWindow(window_, show ? SW_SHOWNA : SW_HIDE);
    }
}

void BrowserView::FitControl() {
    auto inPlace = Query<IOleInPlaceObject>(object_.get(), IID_IOleInPlaceObject);
    if (!inPlace || !window_) {
        return;
    }
    RECT client;
    GetClientRect(window_, &client);
    inPlace->SetObjectRects(&client, &client);
}

void BrowserView::Load(const std::wstring& url) {
    if (!browser_) {
        return;
    }
    VARIANT flags;
    VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = memoryCache_ ? 0 : (navNoReadFromCache | navNoWriteToCache);
    VARIANT none;
    VariantInit(&none);
    OwnedBstr address(url);
    if (FAILED(browser_->Navigate(address.get(), &flags, &none, &none, &none))) {
        QueueLoadingFinished(window_, url, kWkeLoadingFailed, L"The address was refused.");
    }
}

void BrowserView::RunScript(const std::wstring& script) {
    IDispatch* document = nullptr;
    if (!browser_ || FAILED(browser_->get_Document(&document)) || !document) {
        return;
    }
    ComOwner<IDispatch> documentOwner(document);
    auto html = Query<IHTMLDocument2>(document, IID_IHTMLDocument2);
    IHTMLWindow2* window = nullptr;
    if (!html || FAILED(html->get_parentWindow(&window)) || !window) {
        return;
    }
    ComOwner<IHTMLWindow2> windowOwner(window);
    OwnedBstr code(script);
    OwnedBstr language(L"JavaScript");
    VARIANT result;
    VariantInit(&result);
    window->execScript(code.get(), language.get(), &result);
    VariantClear(&result);
}

bool BrowserView::GoBack() { return browser_ && SUCCEEDED(browser_->GoBack()); }

bool BrowserView::GoForward() { return browser_ && SUCCEEDED(browser_->GoForward()); }

void BrowserView::Reload() {
    // Navigating to the current address again, unlike Refresh, fires DocumentComplete, so a
    // reload ends in loading finished like any other loading.
    OwnedBstr location;
    if (browser_ && SUCCEEDED(browser_->get_LocationURL(location.out())) && location.get() &&
        SysStringLen(location.get()) > 0) {
        Load(std::wstring(location.get(), SysStringLen(location.get())));
    }
}

void BrowserView::SetZoom(float factor) {
    zoomPercent_ = std::lround(factor * 100.0f);
    ApplyZoom();
}

void BrowserView::ApplyZoom() {
    if (!browser_) {
        return;
    }
    VARIANT percent;
    VariantInit(&percent);
    percent.vt = VT_I4;
    percent.lVal = zoomPercent_;
    browser_->ExecWB(OLECMDID_OPTICAL_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &percent, nullptr);
}

bool BrowserView::IsTopFrame(IDispatch* frame) const {
    auto frameIdentity = Query<IUnknown>(frame, IID_IUnknown);
    auto browserIdentity = Query<IUnknown>(browser_.get(), IID_IUnknown);
    return frameIdentity && frameIdentity == browserIdentity;
}

void BrowserView::OnBeforeNavigate(IDispatch* frame) {
    if (IsTopFrame(frame)) {
        navigationFailed_ = false;
    }
}

void BrowserView::OnDocumentComplete(IDispatch* frame, const std::wstring& url) {
    if (!IsTopFrame(frame) || navigationFailed_) {
        return;
    }
    // A new document starts at the control's own zoom: give it the view's.
    if (zoomPercent_ != 100) {
        ApplyZoom();
    }
    QueueLoadingFinished(window_, url, kWkeLoadingSucceeded, std::wstring());
}

bool BrowserView::OnNavigateError(IDispatch* frame, const std::wstring& url, long status) {
    if (!IsTopFrame(frame)) {
        return false;
    }
    navigationFailed_ = true;
    wchar_t reason[64];
    swprintf(reason, 64, L"The page could not be loaded (status %ld).", status);
    QueueLoadingFinished(window_, url, kWkeLoadingFailed, reason);
    return true;
}

LRESULT CALLBACK BrowserView::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<BrowserView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* view = reinterpret_cast<BrowserView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case kDeliverLoadingFinished:
            // The callback may destroy this view: nothing may follow it.
            view->DeliverLoadingFinished();
            return 0;
        case WM_SIZE:
            view->FitControl();
            return 0;
        case WM_ERASEBKGND:
            // The control covers the whole window.
            return 1;
        case WM_NCDESTROY:
            // The view outlives its window when the parent goes first; it is deleted by its owner.
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            view->window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
